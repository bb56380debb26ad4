#ifndef LOGBOXWRITER_H
#define LOGBOXWRITER_H

#include <QByteArray>
#include <QFile>
#include <QString>

// The LogBox file while a download appends to it. The file is opened once, in append mode and
// created when missing, and each line goes to it in one unbuffered write, so that a line reported
// written is in the file even if the tool stops before the download ends. A file that cannot be
// opened is tried again at the next line.
class LogBoxWriter
{
public:
    explicit LogBoxWriter(const QString& path);

    // False when the file cannot be opened or the line was not written whole.
    bool append(const QByteArray& line);

private:
    QFile mFile;
};

#endif
