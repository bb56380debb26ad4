#include "box/logboxfilelist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

int lineCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    int lines = 0;
    while (!file.atEnd()) {
        file.readLine();
        ++lines;
    }
    return lines;
}

} // namespace

namespace LogBoxFileList {

std::vector<LogBoxFileInfo> nextTo(const QString& operationsLogPath)
{
    const QDir folder = QFileInfo(operationsLogPath).dir();
    std::vector<LogBoxFileInfo> files;
    const QFileInfoList found = folder.entryInfoList({QStringLiteral("LogBox_*.txt")},
                                                     QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : found) {
        files.push_back({file.filePath(), file.lastModified(), lineCount(file.filePath())});
    }
    std::stable_sort(
        files.begin(), files.end(),
        [](const LogBoxFileInfo& a, const LogBoxFileInfo& b) { return a.mModified > b.mModified; });
    return files;
}

} // namespace LogBoxFileList
