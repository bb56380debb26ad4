#include "tests/support/isolatedenvironment.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>
#include <iostream>

QString isolateTestEnvironment()
{
    static QTemporaryDir folder;
    if (!folder.isValid()) {
        std::cerr << "cannot create a temporary folder for the test" << std::endl;
        std::exit(EXIT_FAILURE);
    }
    const QString root = folder.path();
    QDir(root).mkpath(QStringLiteral("config"));
    QDir(root).mkpath(QStringLiteral("work"));
    qputenv("HOME", root.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toLocal8Bit());
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, root + QStringLiteral("/config"));
        QSettings::setPath(format, QSettings::SystemScope, root + QStringLiteral("/config"));
    }
    // No test reaches a Standalone Box attached to the machine: the serial-port backend looks for
    // one only where this points, and nothing is there.
    qputenv("KELVOCONF_BOX_PORT", (root + QStringLiteral("/no-box")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QString work = root + QStringLiteral("/work");
    QDir::setCurrent(work);
    return work;
}
