#include "app/toolsetup.h"
#include "demo/demoworkspace.h"
#include "tests/support/kelvotestmain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QtTest>

// The isolated home of the test stands for the crew's: the real tool's store there holds their
// setup, which the demo must neither show nor change.
class DemoWorkspaceTest : public QObject
{
    Q_OBJECT

private slots:
    void keepsToItsOwnFolder()
    {
        const QString data = QDir::homePath() + QStringLiteral("/data");
        qputenv("XDG_DATA_HOME", data.toLocal8Bit());
        QString crewStore;
        {
            QSettings crew(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo"));
            crew.setValue(QStringLiteral("Depth0"), 60);
            crewStore = crew.fileName();
        }
        QVERIFY(QFile::exists(crewStore));

        const QString folder = enterDemoWorkspace(QStringLiteral(KELVO_IMAGES_DIR));
        QCOMPARE(folder, data + QStringLiteral("/kelvoconf-demo"));
        QCOMPARE(QDir::currentPath(), folder);
        QVERIFY(QFile::exists(QStringLiteral("Images/imageAdmin.png")));

        // The demo starts from the defaults; its logs and its setup stay in its folder.
        ToolSetup setup =
            ToolSetup::load(QLatin1String(kDemoSetupStore), QDateTime::currentDateTime());
        QCOMPARE(setup.presetDepths[0], quint8(50));
        QCOMPARE(QFileInfo(setup.logPath).absolutePath(), folder);
        QCOMPARE(QFileInfo(setup.logBoxPath).absolutePath(), folder);
        setup.presetDepths[0] = 30;
        ToolSetup::save(QLatin1String(kDemoSetupStore), setup);
        QCOMPARE(QSettings(crewStore, QSettings::IniFormat).value(QStringLiteral("Depth0")).toInt(),
                 60);
        QVERIFY(QFile::exists(folder + QStringLiteral("/settings/Varrow/ConfKelvo Demo.conf")));

        // The next start finds its own setup again.
        QVERIFY(QDir::setCurrent(QDir::homePath()));
        QCOMPARE(enterDemoWorkspace(QStringLiteral(KELVO_IMAGES_DIR)), folder);
        QCOMPARE(ToolSetup::load(QLatin1String(kDemoSetupStore), QDateTime::currentDateTime())
                     .presetDepths[0],
                 quint8(30));
    }
};

KELVO_TEST_MAIN(DemoWorkspaceTest)
#include "test_demoworkspace.moc"
