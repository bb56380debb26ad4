#include "demo/demoworkspace.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

QString enterDemoWorkspace(const QString& imagesFolder)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) {
        return QString();
    }
    const QString folder = data + QStringLiteral("/kelvoconf-demo");
    QDir workspace(folder);
    if (!workspace.mkpath(QStringLiteral("settings")) ||
        !workspace.mkpath(QStringLiteral("Images"))) {
        return QString();
    }
    // Where the store is a file, in the demo's folder. Both scopes: the demo must not even read
    // a setup that the machine's administrator left.
    const QString settings = workspace.filePath(QStringLiteral("settings"));
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
            QSettings::setPath(format, scope, settings);
        }
    }
    // Pictures of an earlier build would show otherwise.
    const QDir pictures(imagesFolder);
    for (const QString& name : pictures.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        const QString copy = workspace.filePath(QStringLiteral("Images/") + name);
        QFile::remove(copy);
        QFile::copy(pictures.filePath(name), copy);
    }
    if (!QDir::setCurrent(folder)) {
        return QString();
    }
    return folder;
}
