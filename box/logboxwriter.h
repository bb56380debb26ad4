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
    // Waits until the lines written are on the disk itself, not only in the system's cache, so
    // that they survive a power cut. False, with the system's reason in errorString(), when the
    // system could not confirm it or no line was ever written.
    bool flushToDisk();
    QString errorString() const { return mError; }

private:
    QString mPath;
    QFile mFile;
    QString mError;
};

#endif
