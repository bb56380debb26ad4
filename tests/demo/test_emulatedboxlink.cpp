#include "app/mainwindow.h"
#include "tests/support/dialoganswerer.h"
#include "tests/support/kelvotestmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

const QString kRead = QStringLiteral("Read operation was successfull");

// Starts the emulated box program with the given arguments; returns the terminal it printed, or
// an empty text when it printed none.
QString startBox(QProcess& box, const QStringList& arguments)
{
    box.start(QStringLiteral(EMULATED_BOX_PROGRAM), arguments);
    if (!box.waitForStarted() || !box.waitForReadyRead())
        return QString();
    return QString::fromLocal8Bit(box.readLine().trimmed());
}

void stopBox(QProcess& box)
{
    box.kill();
    box.waitForFinished();
}

} // namespace

// kelvoconf-emulated-box --link PATH, as the README has the user start it: the tool started on
// PATH finds the box again after the box program restarted, as a real box plugged back in.
class EmulatedBoxLinkTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("KELVOCONF_CR95HF_LIBRARY", QByteArray("/nonexistent/libcr95hf.so"));
    }

    void toolFollowsTheLinkAcrossRestarts()
    {
        const QString link = QDir::current().filePath(QStringLiteral("box"));
        qputenv("KELVOCONF_BOX_PORT", link.toLocal8Bit());
        QProcess box;
        const QString first = startBox(box, {QStringLiteral("--link"), link});
        QVERIFY(first.startsWith(QLatin1String("/dev/")));
        QCOMPARE(QFileInfo(link).symLinkTarget(), first);

        DialogAnswerer answerer;
        MainWindow window;
        auto* read = window.findChild<QPushButton*>(QStringLiteral("Btn_Read"));
        read->click();
        QCOMPARE(answerer.texts(), QStringList{kRead});

        stopBox(box);
        const QString second = startBox(box, {QStringLiteral("--link"), link});
        QVERIFY(second.startsWith(QLatin1String("/dev/")));
        QCOMPARE(QFileInfo(link).symLinkTarget(), second);
        answerer.clear();
        read->click();
        QCOMPARE(answerer.texts(), QStringList{kRead});
        stopBox(box);
    }

    // Only a link is replaced: a file of the user's at that path stays as it was.
    void leavesAFileAlone()
    {
        QFile file(QStringLiteral("notes"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me");
        file.close();
        QProcess box;
        QVERIFY(startBox(box, {QStringLiteral("--link"), file.fileName()}).isEmpty());
        box.waitForFinished();
        QCOMPARE(box.state(), QProcess::NotRunning);
        QCOMPARE(box.exitCode(), 1);
        QVERIFY(!QFileInfo(file.fileName()).isSymLink());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep me"));
    }
};

KELVO_TEST_MAIN(EmulatedBoxLinkTest)
#include "test_emulatedboxlink.moc"
