#ifndef LOGBOXFILE_H
#define LOGBOXFILE_H

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The LogBox files, into which the box's log is downloaded, live next to the operations log.
namespace LogBoxFile {

// A new file name: the operations log's directory, then "/LogBox_yyyyMMdd_hhmmss.txt" of the
// given local time. A bare "log.txt" has the directory ".".
QString newName(const QString& operationsLogPath, const QDateTime& when);

// The current file moved into the operations log's directory, keeping its own name.
QString followingLog(const QString& operationsLogPath, const QString& logBoxPath);

// The lines of the file as they are on the disk, each with its line end (a last line without one
// stays as it is, and so differs from any whole line); none, with the reason in errorText when
// given, when the file cannot be opened or read to its end.
std::optional<QList<QByteArray>> lines(const QString& path, QString* errorText = nullptr);

// The last count lines of the file; none when the file cannot be read or holds fewer lines.
std::optional<QList<QByteArray>> lastLines(const QString& path, int count);

// The path as the crew is shown it: absolute, so that it names the folder even when the stored
// path is relative to the working directory ("./LogBox_...").
QString shownPath(const QString& logBoxPath);

} // namespace LogBoxFile

#endif
