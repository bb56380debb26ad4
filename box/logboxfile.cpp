#include "box/logboxfile.h"

#include <QDir>
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

QString shownPath(const QString& logBoxPath)
{
    return QDir::toNativeSeparators(QFileInfo(logBoxPath).absoluteFilePath());
}

} // namespace LogBoxFile
