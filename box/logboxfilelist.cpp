#include "box/logboxfilelist.h"

#include "box/logboxfile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace LogBoxFileList {

std::vector<LogBoxFileInfo> nextTo(const QString& operationsLogPath)
{
    const QDir folder = QFileInfo(operationsLogPath).dir();
    std::vector<LogBoxFileInfo> files;
    const QFileInfoList found = folder.entryInfoList({QStringLiteral("LogBox_*.txt")},
                                                     QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : found) {
        files.push_back(
            {file.filePath(), file.lastModified(),
             int(LogBoxFile::lines(file.filePath()).value_or(QList<QByteArray>()).size())});
    }
    std::stable_sort(
        files.begin(), files.end(),
        [](const LogBoxFileInfo& a, const LogBoxFileInfo& b) { return a.mModified > b.mModified; });
    return files;
}

} // namespace LogBoxFileList
