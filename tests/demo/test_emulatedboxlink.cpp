#include "app/mainwindow.h"
#include "tests/support/dialoganswerer.h"
#include "tests/support/kelvotestmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

namespace {

// Starts the emulated box program on a link; returns the terminal it printed, or an empty text.
QString startBox(QProcess& box, const QString& link)
{
    box.start(QStringLiteral(EMULATED_BOX_PROGRAM), {QStringLiteral("--link"), link});
    if (!box.waitForStarted() || !box.waitForReadyRead())
        return QString();
    return QString::fromLocal8Bit(box.readLine().trimmed());
}

} // namespace

// kelvoconf-emulated-box --link PATH, as the README has the user start it.
class EmulatedBoxLinkTest : public QObject
{
    Q_OBJECT

private slots:
    // The tool started on the link finds the box again after the box program restarted, at the
    // next click, as a real box plugged back in.
    void toolFollowsTheLinkAcrossRestarts()
    {
        qputenv("KELVOCONF_CR95HF_LIBRARY", QByteArray("/nonexistent/libcr95hf.so"));
        const QString link = QDir::current().filePath(QStringLiteral("box"));
        qputenv("KELVOCONF_BOX_PORT", link.toLocal8Bit());
        QProcess box;
        QString terminal = startBox(box, link);
        QVERIFY(terminal.startsWith(QLatin1String("/dev/")));
        QCOMPARE(QFileInfo(link).symLinkTarget(), terminal);
        DialogAnswerer answerer;
        MainWindow window;
        auto* read = window.findChild<QPushButton*>(QStringLiteral("Btn_Read"));
        for (int start = 0; start < 2; ++start) {
            if (start > 0) {
                box.kill();
                box.waitForFinished();
                terminal = startBox(box, link);
                QCOMPARE(QFileInfo(link).symLinkTarget(), terminal);
            }
            answerer.clear();
            read->click();
            QCOMPARE(answerer.texts(), QStringList{"Read operation was successfull"});
        }
        box.kill();
        box.waitForFinished();
    }

    // Only a link is replaced: a file of the user's at that path stays as it was.
    void leavesAFileAlone()
    {
        QFile file(QStringLiteral("notes"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("keep me") == 7);
        file.close();
        QProcess box;
        QVERIFY(startBox(box, file.fileName()).isEmpty());
        box.waitForFinished();
        QCOMPARE(box.exitCode(), 1);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep me"));
    }
};

KELVO_TEST_MAIN(EmulatedBoxLinkTest)
#include "test_emulatedboxlink.moc"
