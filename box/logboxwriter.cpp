#include "box/logboxwriter.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

// The file is opened through the C runtime, so that its descriptor is one the system's flush
// call accepts on every platform; QFile then writes through that descriptor and closes it.

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The descriptor of the file opened for appending, created when missing; -1 with errno set.
int openForAppending(const QString& path)
{
#ifdef Q_OS_WIN
    return _wopen(reinterpret_cast<const wchar_t*>(path.utf16()),
                  _O_WRONLY | _O_APPEND | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC,
                  0666);
#endif
}

// 0 once the system reports the file's data on the disk, otherwise the error number.
int syncToDisk(int descriptor)
{
#ifdef Q_OS_WIN
    return _commit(descriptor) == 0 ? 0 : errno;
#else
    int result = 0;
    do {
        result = fsync(descriptor);
    } while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
#endif
}

} // namespace

LogBoxWriter::LogBoxWriter(const QString& path) : mPath(path) {}

bool LogBoxWriter::append(const QByteArray& line)
{
    if (!mFile.isOpen()) {
        const int descriptor = openForAppending(mPath);
        if (descriptor < 0) {
            mError = systemError(errno);
            return false;
        }
        if (!mFile.open(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered,
                        QFileDevice::AutoCloseHandle)) {
            mError = mFile.errorString();
#ifdef Q_OS_WIN
            _close(descriptor);
#else
            ::close(descriptor);
#endif
            return false;
        }
    }
    if (mFile.write(line) != line.size()) {
        mError = mFile.errorString();
        return false;
    }
    return true;
}

bool LogBoxWriter::flushToDisk()
{
    if (!mFile.isOpen()) {
        if (mError.isEmpty())
            mError = QStringLiteral("no line was written");
        return false;
    }
    const int error = syncToDisk(mFile.handle());
    if (error != 0) {
        mError = systemError(error);
        return false;
    }
    return true;
}
