#include "box/logboxwriter.h"

LogBoxWriter::LogBoxWriter(const QString& path) : mFile(path) {}

bool LogBoxWriter::append(const QByteArray& line)
{
    if (!mFile.isOpen() &&
        !mFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        return false;
    }
    return mFile.write(line) == line.size();
}
