#ifndef LOGBOXFILELIST_H
#define LOGBOXFILELIST_H

#include <QDateTime>
#include <QString>

#include <vector>

// A LogBox file saved earlier, as the box tab offers it for opening.
struct LogBoxFileInfo
{
    QString mPath;
    QDateTime mModified;
    // Its lines: one per downloaded entry.
    int mEntries = 0;
};

namespace LogBoxFileList {

// The LogBox files in the operations log's directory, the last written first. A file that cannot
// be read is listed with no entries.
std::vector<LogBoxFileInfo> nextTo(const QString& operationsLogPath);

} // namespace LogBoxFileList

#endif
