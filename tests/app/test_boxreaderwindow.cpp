#include "app/mainwindow.h"
#include "tests/support/dialoganswerer.h"
#include "tests/support/flowbench.h"
#include "tests/support/kelvotestmain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

const QString kPlausibleRecord =
    QStringLiteral("50,5,3665,3543,3298,2.5,62.5,50,S00D00,KV23000417,00000417, No Error ");

} // namespace

// The operator build with no board library, reaching an emulated box that runs in its own
// process behind a pseudo-terminal named by KELVOCONF_BOX_PORT: the way a Linux user reaches a
// real box.
class TestBoxReaderWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("KELVOCONF_CR95HF_LIBRARY", QByteArray("/nonexistent/libcr95hf.so"));
        mPeer.start(QStringLiteral(EMULATED_BOX_PROGRAM), QStringList());
        QVERIFY(mPeer.waitForStarted());
        QVERIFY(mPeer.waitForReadyRead());
        const QByteArray port = mPeer.readLine().trimmed();
        QVERIFY(port.startsWith("/dev/"));
        qputenv("KELVOCONF_BOX_PORT", port);
    }

    void cleanupTestCase()
    {
        mPeer.kill();
        mPeer.waitForFinished();
    }

    void readsAndWritesThroughTheBox()
    {
        DialogAnswerer answerer;
        MainWindow window;
        QVERIFY(answerer.seen().isEmpty());
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("TabW_menu"));
        QVERIFY(tabs->isTabEnabled(3));
        auto* read = window.findChild<QPushButton*>(QStringLiteral("Btn_Read"));
        auto* write = window.findChild<QPushButton*>(QStringLiteral("Btn_Write"));
        const auto field = [&window](const char* name) {
            return window.findChild<QLineEdit*>(QLatin1String(name));
        };

        read->click();
        QCOMPARE(answerer.texts(), QStringList{"Read operation was successfull"});
        QCOMPARE(field("LnEd_SerialNumber")->text(), QStringLiteral("KV23000417"));
        QCOMPARE(field("LnEd_LastDepth")->text(), QStringLiteral("062.5"));
        QCOMPARE(FlowBench::logLines(), QStringList{"READ," + kPlausibleRecord});

        answerer.clear();
        tabs->setCurrentIndex(1);
        answerer.clear();
        field("LnEd_ActivationDepth_Adv")->setText(QStringLiteral("150"));
        field("LnEd_Filter_Adv")->setText(QStringLiteral("10"));
        field("LnEd_SerialNumber_Adv")->setText(QStringLiteral("KV23000417"));
        write->click();
        QCOMPARE(answerer.texts(), QStringList{"Write operation was successfull"});

        answerer.clear();
        tabs->setCurrentIndex(0);
        answerer.clear();
        read->click();
        QCOMPARE(answerer.texts(), QStringList{"Read operation was successfull"});
        auto* depth = window.findChild<QComboBox*>(QStringLiteral("Cmb_Depth"));
        QCOMPARE(depth->currentText(), QStringLiteral("150"));
        depth->setCurrentText(QStringLiteral("75"));
        window.findChild<QComboBox*>(QStringLiteral("Cmb_Filter"))
            ->setCurrentText(QStringLiteral("7"));
        answerer.clear();
        write->click();
        QCOMPARE(answerer.texts(), QStringList{"Write operation was successfull"});
        const QStringList lines = FlowBench::logLines();
        QVERIFY(lines.size() >= 4);
        QVERIFY(lines.last().startsWith(QLatin1String("READ,75,7,")));
    }

private:
    QProcess mPeer;
};

KELVO_TEST_MAIN(TestBoxReaderWindow)
#include "test_boxreaderwindow.moc"
