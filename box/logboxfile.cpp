#include "box/logboxfile.h"

#include <QBuffer>
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

std::optional<QList<QByteArray>> lines(const QString& path, QString* errorText)
{
    QFile file(path);
    QByteArray content;
    if (file.open(QIODevice::ReadOnly))
        content = file.readAll();
    // A read that fails part-way would otherwise pass for a shorter file.
    if (file.error() != QFileDevice::NoError) {
        if (errorText != nullptr)
            *errorText = file.errorString();
        return std::nullopt;
    }
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    QList<QByteArray> lines;
    while (!buffer.atEnd())
        lines << buffer.readLine();
    return lines;
}

std::optional<QList<QByteArray>> lastLines(const QString& path, int count)
{
    const std::optional<QList<QByteArray>> all = lines(path);
    if (count < 0 || !all || all->size() < count)
        return std::nullopt;
    return all->mid(all->size() - count);
}

QString shownPath(const QString& logBoxPath)
{
    return QDir::toNativeSeparators(QFileInfo(logBoxPath).absoluteFilePath());
}

} // namespace LogBoxFile
