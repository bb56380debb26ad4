#include "box/logboxfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace LogBoxFile {

QString newName(const QString& operationsLogPath, const QDateTime& when)
{
    return followingLog(operationsLogPath, QLatin1String("LogBox_") +
                                               when.toString(QStringLiteral("yyyyMMdd_hhmmss")) +
                                               QLatin1String(".txt"));
}

QString followingLog(const QString& operationsLogPath, const QString& logBoxPath)
{
    return QFileInfo(operationsLogPath).path() + QLatin1Char('/') +
           QFileInfo(logBoxPath).fileName();
}

std::optional<QList<QByteArray>> lastLines(const QString& path, int count)
{
    QFile file(path);
    if (count < 0 || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray content = file.readAll();
    QList<QByteArray> lines = content.split('\n');
    // After the last line end split leaves an empty piece; a last line without its line end stays
    // as it is, and so differs from any whole line.
    lines.removeLast();
    for (QByteArray& line : lines)
        line.append('\n');
    if (!content.endsWith('\n') && !content.isEmpty())
        lines.append(content.mid(content.lastIndexOf('\n') + 1));
    if (lines.size() < count)
        return std::nullopt;
    return lines.mid(lines.size() - count);
}

QString shownPath(const QString& logBoxPath)
{
    return QDir::toNativeSeparators(QFileInfo(logBoxPath).absoluteFilePath());
}

} // namespace LogBoxFile
