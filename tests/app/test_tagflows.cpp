#include "app/buildvariant.h"
#include "kelvo/tagencoding.h"
#include "tests/support/flowbench.h"
#include "tests/support/kelvotestmain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTest>
#include <QTimer>

namespace {

const QString kSuccessStyle = QStringLiteral("background-color: #8CC63F;");
const QString kFailureStyle = QStringLiteral("background-color: #FF0000;");

// Claiming the memory takes a block 0 read for the tag check and 4 exchanges of the handshake;
// giving it back takes 4.
constexpr int kClaimExchanges = 5;
constexpr int kReleaseExchanges = 4;
// The record read: 10 blocks and the battery threshold byte.
constexpr int kRecordReadExchanges = 11;

const QString kPlausibleRecord =
    QStringLiteral("50,5,3665,3543,3298,2.5,62.5,50,S00D00,KV23000417,00000417, No Error ");

quint16 checksumAOf(const EmulatedKelvoTag& tag)
{
    const quint32 block1 = tag.block(1);
    const quint32 block7 = tag.block(7);
    return checksumA(quint8(block1 >> 16), quint16(block1), tag.block(5), tag.block(6),
                     quint16(block7 >> 16));
}

} // namespace

class TagFlowsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo")).clear();
        QFile::remove(QStringLiteral("log.txt"));
    }

    void readsTheSimplifiedTab()
    {
        FlowBench bench;
        bench.start();
        // With the board as reader there is no start-up box (but the factory warning) and the
        // Standalone Box tab stays disabled.
        QVERIFY(bench.answerer().seen().size() == (isFactoryBuild() ? 1 : 0));
        QVERIFY(!bench.find<QTabWidget>("TabW_menu")->isTabEnabled(3));
        const QString style = bench.readButton()->styleSheet();
        bench.click(bench.readButton());

        QCOMPARE(bench.answerer().texts(), QStringList{"Read operation was successfull"});
        const SeenDialog& box = bench.answerer().seen().at(0);
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.title, QStringLiteral("Varrow"));
        QCOMPARE(box.watchedButtonStyle, kSuccessStyle);
        QCOMPARE(bench.readButton()->styleSheet(), style);
        QCOMPARE(bench.progress(), (QList<int>{10, 20, 50, 60, 70, 100}));
        QVERIFY(bench.find<QWidget>("BarGraph")->isHidden());

        QCOMPARE(bench.field("LnEd_FirmwareVersion")->text(), QStringLiteral("02.5"));
        QCOMPARE(bench.field("LnEd_LastDepth")->text(), QStringLiteral("062.5"));
        QCOMPARE(bench.field("LnEd_ActDepthM")->text(), QStringLiteral("050.0"));
        QCOMPARE(bench.field("LnEd_SerialNumber")->text(), QStringLiteral("KV23000417"));
        QCOMPARE(bench.field("LnEd_SerialNumberKelvo")->text(), QStringLiteral("00000417"));
        QCOMPARE(bench.field("LnEd_BatMin")->text(), QStringLiteral("3298"));
        QCOMPARE(bench.field("LnEd_Error")->text(), QStringLiteral(" No Error "));
        QCOMPARE(bench.find<QComboBox>("Cmb_Depth")->currentText(), QStringLiteral("50"));
        QCOMPARE(bench.find<QComboBox>("Cmb_Filter")->currentText(), QStringLiteral("5"));
        QCOMPARE(bench.find<QLabel>("Pgb_Battery1_label")->text(), QStringLiteral("3665 mV"));
        QCOMPARE(bench.find<QProgressBar>("Pgb_Battery2_Adv")->value(), 3543);

        QCOMPARE(FlowBench::logLines(), QStringList{"READ," + kPlausibleRecord});
        // The memory claim was given back.
        QCOMPARE(tag0Byte(bench, 1), 0);
    }

    // Before any read nothing of a Kelvo is known: the status shows as unknown, the configuration
    // entries keep their defaults.
    void showsNothingReadAtStartUp()
    {
        FlowBench bench;
        bench.start();
        for (const char* name :
             {"LnEd_Error", "LnEd_FirmwareVersion", "LnEd_LastDepth", "LnEd_ActDepthM",
              "LnEd_SerialNumber", "LnEd_SerialNumberKelvo", "LnEd_BatMin"}) {
            QCOMPARE(bench.field(name)->text(), QString());
            QCOMPARE(bench.field(name)->styleSheet().contains("#8CC63F"), false);
        }
        QCOMPARE(bench.find<QLabel>("Pgb_Battery1_label")->text(), QStringLiteral("–"));
        QCOMPARE(bench.find<QProgressBar>("Pgb_Battery2")->value(), 0);
        QCOMPARE(bench.find<QComboBox>("Cmb_Depth")->currentText(), QStringLiteral("50"));
        QCOMPARE(bench.find<QComboBox>("Cmb_Filter")->currentText(), QStringLiteral("5"));
        bench.showTab(1);
        QCOMPARE(bench.field("LnEd_FirmwareVersion_Adv")->text(), QString());
        QCOMPARE(bench.field("LnEd_Filter_Adv")->text(), QStringLiteral("5"));
    }

    void readsTheAdvancedTab()
    {
        FlowBench bench;
        bench.start();
        bench.showTab(1);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"Read operation was successfull"});
        QCOMPARE(bench.progress(), (QList<int>{10, 20, 50, 80, 100}));
        QCOMPARE(bench.field("LnEd_ActivationDepth_Adv")->text(), QStringLiteral("50"));
        QCOMPARE(bench.field("LnEd_Filter_Adv")->text(), QStringLiteral("5"));
        QCOMPARE(bench.field("LnEd_FirmwareVersion_Adv")->text(), QStringLiteral("02.5"));
        QCOMPARE(FlowBench::logLines(), QStringList{"READ," + kPlausibleRecord});
    }

    // Reader, tag and memory are checked in this order; each failure has its own box, and the
    // progress dialog never shows for a Read.
    void reportsWhatStopsARead()
    {
        FlowBench bench;
        bench.board().setPlugged(false);
        bench.start();
        // At start-up and on every click, one reader check without a reader tries to connect
        // three times.
        QCOMPARE(bench.board().calls(EmulatedCr95hfBoard::Call::Connect), 3);
        QCOMPARE(bench.answerer().texts().value(0),
                 QStringLiteral("No Antenna detected, please plug one"));
        bench.click(bench.readButton());
        QCOMPARE(bench.board().calls(EmulatedCr95hfBoard::Call::Connect), 6);
        QCOMPARE(bench.answerer().texts(), QStringList{"No Antenna detected, please plug one"});
        QCOMPARE(bench.answerer().seen().at(0).icon, QMessageBox::Critical);
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kFailureStyle);
        QVERIFY(bench.progress().isEmpty());
        QCOMPARE(bench.readButton()->styleSheet(), QString());

        bench.board().setPlugged(true);
        bench.board().setTagInField(false);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"Impossible to read the tag, check your antenna"});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kFailureStyle);

        bench.board().setTagInField(true);
        bench.tag().holdMemory(1000);
        const int writesBefore = bench.board().calls(EmulatedCr95hfBoard::Call::Write);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"RFid memory seems to be locked by the microcontroller"});
        QCOMPARE(bench.answerer().seen().at(0).icon, QMessageBox::Critical);
        QVERIFY(bench.progress().isEmpty());
        // A refused claim is not followed by a release.
        QCOMPARE(bench.board().calls(EmulatedCr95hfBoard::Call::Write), writesBefore);
        QVERIFY(FlowBench::logLines().isEmpty());
        // Without a lock flag read as set, the tag stopped answering after the tag check.
        bench.tag().holdMemory(0);
        bench.board().injectFault(2, EmulatedCr95hfBoard::Fault::TagError, 100);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"The tag stopped answering while its memory was being handed over."});
        bench.board().clearFaults();

        // A Write shows the progress dialog at 10 behind the box, and hides it afterwards.
        bench.tag().holdMemory(0);
        bench.board().setPlugged(false);
        bool progressShown = false;
        bench.answerer().setDialogHandler(nullptr);
        auto* progress = bench.find<QWidget>("BarGraph");
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout,
                         [&] { progressShown = progressShown || progress->isVisible(); });
        probe.start(1);
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"No Antenna detected, please plug one"});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kFailureStyle);
        QVERIFY(progressShown);
        QVERIFY(progress->isHidden());
        QCOMPARE(bench.progress(), (QList<int>{10, 100}));
    }

    void reportsAFailedTagRead()
    {
        FlowBench bench;
        bench.start();
        bench.board().injectFault(kClaimExchanges + 1, EmulatedCr95hfBoard::Fault::FailedCall, 3);
        bench.click(bench.readButton());
        // The failed call is how a lost reader shows: the result says what to check.
        QCOMPARE(bench.answerer().texts(),
                 (QStringList{"Read error in the Kelvo",
                              "Read Error\nThe reader stopped answering: check the cable and the "
                              "reader, then try again."}));
        QCOMPARE(bench.answerer().seen().at(0).title, QStringLiteral("Simplified"));
        QCOMPARE(bench.answerer().seen().at(0).icon, QMessageBox::Warning);
        QCOMPARE(bench.answerer().seen().at(1).icon, QMessageBox::Critical);
        QCOMPARE(bench.answerer().seen().at(1).watchedButtonStyle, kFailureStyle);
        QCOMPARE(bench.progress(), (QList<int>{10, 20, 100}));
        QVERIFY(FlowBench::logLines().isEmpty());
    }

    // What the tab shows is what was read: a Kelvo serial end that could not be read is left out,
    // and a read whose checksums do not match is not shown green.
    void showsOnlyWhatWasRead()
    {
        FlowBench bench;
        bench.start();
        bench.field("LnEd_SerialNumberKelvo")->setText(QStringLiteral("OTHERKLV"));
        // Block 15 is the tenth block of the record read.
        bench.board().injectFault(kClaimExchanges + 10, EmulatedCr95hfBoard::Fault::FailedCall, 3);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"Read operation was successfull"});
        QCOMPARE(bench.field("LnEd_SerialNumberKelvo")->text(), QStringLiteral("0000"));

        bench.tag().setBlock(7, bench.tag().block(7) ^ 1u);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts().size(), 1);
        QVERIFY(bench.answerer().texts().at(0).startsWith(
            QStringLiteral("Read operation was successfull\nThe configuration checksum")));
        QCOMPARE(bench.answerer().seen().at(0).icon, QMessageBox::Warning);
        QVERIFY(bench.answerer().seen().at(0).watchedButtonStyle != kSuccessStyle);
        QCOMPARE(bench.field("LnEd_SerialNumberKelvo")->text(), QStringLiteral("00000417"));
    }

    void reportsAnUnwritableLog()
    {
        QSettings(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo"))
            .setValue(QStringLiteral("Path Log"), QStringLiteral("/nonexistent/folder/log.txt"));
        FlowBench bench;
        bench.start();
        bench.click(bench.readButton());
        // The warning names the file and the system's reason.
        QCOMPARE(bench.answerer().texts(),
                 (QStringList{"Backup error in the Log file\n/nonexistent/folder/log.txt: No such "
                              "file or directory",
                              "Read Error"}));
        QCOMPARE(bench.answerer().seen().at(0).title, QStringLiteral("Simplified"));

        // A write reaches the tag and is checked even though its log lines cannot be written; the
        // result says that it was not recorded.
        bench.find<QComboBox>("Cmb_Depth")->setCurrentText(QStringLiteral("75"));
        bench.click(bench.writeButton());
        const QString backupError = bench.answerer().texts().value(0);
        QCOMPARE(bench.answerer().texts(),
                 (QStringList{backupError, backupError, backupError,
                              "Write operation was successfull\nThe write was not recorded in the "
                              "operations log: /nonexistent/folder/log.txt: No such file or "
                              "directory"}));
        QCOMPARE(bench.answerer().seen().at(3).icon, QMessageBox::Warning);
        QCOMPARE((bench.tag().block(1) >> 16) & 0xFF, 75u);
    }

    void writesTheSimplifiedTab()
    {
        FlowBench bench;
        const quint32 serialBlocks[3] = {bench.tag().block(5), bench.tag().block(6),
                                         bench.tag().block(7)};
        bench.tag().setBlock(1, bench.tag().block(1) | 0xAB000000u);
        bench.start();
        bench.click(bench.readButton());
        bench.find<QComboBox>("Cmb_Depth")->setCurrentText(QStringLiteral("75"));
        bench.find<QComboBox>("Cmb_Filter")->setCurrentText(QStringLiteral("7"));
        bench.field("LnEd_SerialNumberKelvo")->setText(QStringLiteral("KLV00099"));
        bench.field("LnEd_SerialNumber")->setText(QStringLiteral("SN00000001"));
        bench.field("LnEd_BatMin")->setText(QStringLiteral("3500"));
        bench.field("LnEd_Streamer")->setText(QStringLiteral("5"));
        bench.field("LnEd_Device")->setText(QStringLiteral("12"));
        QFile::remove(QStringLiteral("log.txt"));
        bench.click(bench.writeButton());

        QCOMPARE(bench.answerer().texts(), QStringList{"Write operation was successfull"});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kSuccessStyle);
        QCOMPARE(bench.writeButton()->styleSheet(), QString());
        QCOMPARE(bench.progress(), (QList<int>{10, 20, 60, 80, 100}));
        // Write A clears block 1 byte 0.
        QCOMPARE(bench.tag().block(1), 0x004B0007u);
        QCOMPARE(bench.tag().block(14), packCharacters("KLV0"));
        QCOMPARE(bench.tag().block(15), packCharacters("0099"));
        QCOMPARE(quint16(bench.tag().block(7)), checksumAOf(bench.tag()));
        if (isFactoryBuild()) {
            QCOMPARE(bench.tag().block(5), packCharacters("SN00"));
            QCOMPARE(quint8(bench.tag().block(13)), voltageCodeFromMillivolts(3500));
        } else {
            QCOMPARE(bench.tag().block(5), serialBlocks[0]);
            QCOMPARE(bench.tag().block(6), serialBlocks[1]);
            QCOMPARE(bench.tag().block(7) >> 16, serialBlocks[2] >> 16);
            QCOMPARE(quint8(bench.tag().block(13)), quint8(140));
        }
        const QStringList lines = FlowBench::logLines();
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(0).startsWith(QLatin1String("READ,50,5,")));
        QVERIFY(lines.at(1).startsWith(QLatin1String("WRITE,75,7,")));
        QVERIFY(lines.at(1).contains(QLatin1String(",S05D12,")));
        QVERIFY(lines.at(2).startsWith(QLatin1String("READ,75,7,")));
        QVERIFY(lines.at(2).contains(QLatin1String(",KLV00099,")));
    }

    // A write that did not reach the tag is reported as a failure.
    void reportsAFailedWrite()
    {
        FlowBench bench;
        bench.start();
        const quint32 block1 = bench.tag().block(1);
        bench.board().injectFault(kClaimExchanges + 1, EmulatedCr95hfBoard::Fault::FailedCall, 3);
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"Write operation failed, try again\nThe reader stopped answering: "
                             "check the cable and the reader, then try again."});
        QCOMPARE(bench.answerer().seen().at(0).icon, QMessageBox::Information);
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kFailureStyle);
        QCOMPARE(bench.tag().block(1), block1);

        // The record read succeeds, the first write of block 1 fails three times.
        bench.board().injectFault(kClaimExchanges + kRecordReadExchanges + 1,
                                  EmulatedCr95hfBoard::Fault::FailedCall, 3);
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts(),
                 (QStringList{"Backup error in the Kelvo",
                              "Write operation failed, try again\nThe reader stopped answering: "
                              "check the cable and the reader, then try again."}));
        QCOMPARE(bench.answerer().seen().at(0).title, QStringLiteral("Simplified"));
        QCOMPARE(bench.writeButton()->styleSheet(), QString());
        QCOMPARE(bench.progress().last(), 100);
        QVERIFY(bench.find<QWidget>("BarGraph")->isHidden());
    }

    // The Advanced entries are checked as the operator left them, once the Kelvo on the reader
    // is read: a refused entry is put back from that Kelvo, not from the one read before.
    void validatesTheAdvancedEntries()
    {
        FlowBench bench;
        bench.start();
        bench.showTab(1);
        bench.click(bench.readButton());
        bench.tag().fillAsAnotherKelvo();
        const int exchanges = bench.board().exchanges();
        const struct
        {
            const char* field;
            const char* entry;
            const char* message;
            const char* restored;
        } rejections[] = {
            {"LnEd_ActivationDepth_Adv", "24",
             "The activation depth should be a positive number between (25 to 150)", "0"},
            {"LnEd_ActivationDepth_Adv", "151",
             "The activation depth should be a positive number between (25 to 150)", "0"},
            {"LnEd_ActivationDepth_Adv", "",
             "The activation depth should be a positive number between (25 to 150)", "0"},
            {"LnEd_Filter_Adv", "3",
             "The activation filter should be positive number between (4 to 10)", "8"},
            {"LnEd_Filter_Adv", "11",
             "The activation filter should be positive number between (4 to 10)", "8"},
            {"LnEd_SerialNumberKelvo_Adv", "K,LVO-01",
             "The Kelvo serial number cannot hold a comma or a control character.", "00000928"},
            {"LnEd_SerialNumber_Adv", "KV-2300041", "Error on the serial number", "KV23000928"},
        };
        for (const auto& rejection : rejections) {
            bench.field("LnEd_ActivationDepth_Adv")->setText(QStringLiteral("60"));
            bench.field("LnEd_Filter_Adv")->setText(QStringLiteral("6"));
            bench.field("LnEd_SerialNumber_Adv")->setText(QStringLiteral("0000000000"));
            bench.field(rejection.field)->setText(QLatin1String(rejection.entry));
            bench.click(bench.writeButton());
            QCOMPARE(bench.answerer().texts(),
                     (QStringList{rejection.message, "Write operation failed, try again"}));
            QCOMPARE(bench.answerer().seen().at(0).title, QStringLiteral("Varrow"));
            QCOMPARE(bench.answerer().seen().at(0).icon, QMessageBox::Warning);
            QLineEdit* field = bench.field(rejection.field);
            QCOMPARE(field->text(), QLatin1String(rejection.restored));
            QCOMPARE(field->selectedText(), field->text());
        }
        // Nothing was written beyond claiming and releasing the memory.
        QCOMPARE((bench.tag().block(1) >> 16) & 0xFF, 100u);
        QCOMPARE(FlowBench::logLines().size(), 8);
        QCOMPARE(bench.board().exchanges() - exchanges,
                 7 * (kClaimExchanges + kRecordReadExchanges + kReleaseExchanges));
    }

    void writesTheAdvancedTab()
    {
        FlowBench bench;
        bench.tag().setBlock(1, bench.tag().block(1) | 0xAB000000u);
        bench.start();
        bench.showTab(1);
        for (const char* depth : {"25", "150"}) {
            bench.field("LnEd_ActivationDepth_Adv")->setText(QLatin1String(depth));
            bench.field("LnEd_Filter_Adv")->setText(QStringLiteral("10"));
            bench.field("LnEd_SerialNumber_Adv")->setText(QStringLiteral("kv23000999"));
            bench.click(bench.writeButton());
            // The first write after start-up names the identity it kept.
            QVERIFY(
                bench.answerer().texts().value(0).startsWith("Write operation was successfull"));
            QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kSuccessStyle);
            QCOMPARE(bench.progress(), (QList<int>{10, 20, 40, 60, 80, 100}));
            // Write B keeps block 1 byte 0.
            QCOMPARE(bench.tag().block(1), 0xAB000000u | (QString(depth).toUInt() << 16) | 10u);
            QCOMPARE(quint16(bench.tag().block(7)), checksumAOf(bench.tag()));
            QCOMPARE(bench.field("LnEd_SerialNumber_Adv")->text(),
                     isFactoryBuild() ? QStringLiteral("KV23000999")
                                      : QStringLiteral("KV23000417"));
        }
        // A rejected depth falls back to the depth last written from this tab.
        bench.field("LnEd_ActivationDepth_Adv")->setText(QStringLiteral("200"));
        bench.click(bench.writeButton());
        QCOMPARE(bench.field("LnEd_ActivationDepth_Adv")->text(), QStringLiteral("150"));
    }

    void showsTheTabPictures()
    {
        FlowBench bench;
        bench.start();
        QStringList pictures;
        bench.answerer().setDialogHandler([&pictures](QWidget* dialog) {
            pictures << dialog->styleSheet().section(QLatin1Char(')'), 0, 0);
            dialog->hide();
        });
        bench.answerer().clear();
        auto* tabs = bench.find<QTabWidget>("TabW_menu");
        tabs->setCurrentIndex(2);
        QCOMPARE(bench.readButton()->text(), QStringLiteral("READ SETUP"));
        QCOMPARE(bench.writeButton()->text(), QStringLiteral("WRITE SETUP"));
        tabs->setCurrentIndex(0);
        QCOMPARE(bench.readButton()->text(), QStringLiteral("READ"));
        tabs->setCurrentIndex(1);
        tabs->setCurrentIndex(0);
        QCOMPARE(pictures, (QStringList{"background-image: url(./Images/imageAdmin.png",
                                        "background-image: url(./Images/imageAdvanced.png",
                                        "background-image: url(./Images/imageSimplified.png"}));
        for (const SeenDialog& seen : bench.answerer().seen()) {
            QCOMPARE(seen.className, QStringLiteral("WarningDialog"));
        }
    }

    // The status colours and the extra list items for values outside the presets.
    void colorsTheStatus()
    {
        FlowBench bench;
        // Battery at the threshold, supercapacitor just below it.
        bench.tag().setBlock(8, (141u << 24) | (140u << 16));
        bench.tag().setBlock(13, (bench.tag().block(13) & 0xFFFFFF00u) | 141u);
        bench.tag().setBlock(0, (14u << 24) | 0x80u);
        bench.tag().setBlock(1, (60u << 16) | 12u);
        bench.start();
        bench.click(bench.readButton());
        const QString barLow = QStringLiteral("#CC0000");
        QVERIFY(bench.find<QProgressBar>("Pgb_Battery1")->styleSheet().contains("#8CC63F"));
        QVERIFY(bench.find<QProgressBar>("Pgb_Battery1_Adv")->styleSheet().contains("#8CC63F"));
        QVERIFY(bench.find<QProgressBar>("Pgb_Battery2")->styleSheet().contains(barLow));
        QCOMPARE(bench.find<QLabel>("Pgb_Battery2_Adv_label")->styleSheet(),
                 QStringLiteral("color: red; font: bold 24pt Arial;"));
        QCOMPARE(bench.find<QLabel>("Pgb_Battery2_label")->text(), QStringLiteral("3298 mV"));
        QCOMPARE(bench.field("LnEd_Error")->text(), QStringLiteral(" Watchdog "));
        QVERIFY(bench.field("LnEd_Error")->styleSheet().startsWith("background-color:#FF0000;"));
        QVERIFY(bench.field("LnEd_FirmwareVersion")->styleSheet().contains("#FF0000"));
        auto* depths = bench.find<QComboBox>("Cmb_Depth");
        QCOMPARE(depths->count(), 4);
        QCOMPARE(depths->currentText(), QStringLiteral("60"));
        auto* filters = bench.find<QComboBox>("Cmb_Filter");
        QCOMPARE(filters->count(), 8);
        QCOMPARE(filters->currentIndex(), 7);
        QCOMPARE(filters->currentText(), QStringLiteral("12"));

        for (const quint32 code : {15u, 35u}) {
            bench.tag().setBlock(0, code << 24);
            bench.click(bench.readButton());
            QVERIFY(bench.field("LnEd_FirmwareVersion")->styleSheet().contains("#8CC63F"));
            QVERIFY(bench.field("LnEd_Error")->styleSheet().contains("#8CC63F"));
        }
        bench.tag().setBlock(0, (36u << 24) | 0xFFu);
        bench.click(bench.readButton());
        QVERIFY(bench.field("LnEd_FirmwareVersion")->styleSheet().contains("#FF0000"));
        QCOMPARE(bench.field("LnEd_Error")->text(),
                 QStringLiteral(" Load  Press  Sensor  Timer  Bat  Supercap  EEPROM  Watchdog "));
    }

    // The progress dialog is painted while a flow holds the thread.
    void paintsTheProgressWhileAFlowRuns()
    {
        FlowBench bench;
        bench.start();
        bench.window().show();
        auto* bar = bench.find<QProgressBar>("progressBar");
        int paints = 0;
        PaintCounter counter(&paints);
        bar->installEventFilter(&counter);
        bench.click(bench.readButton());
        QVERIFY(paints > 0);
    }

private:
    class PaintCounter : public QObject
    {
    public:
        explicit PaintCounter(int* paints) : mPaints(paints) {}
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint) {
                ++*mPaints;
            }
            return false;
        }

    private:
        int* mPaints;
    };

    static int tag0Byte(FlowBench& bench, int index)
    {
        return int((bench.tag().block(0) >> (24 - 8 * index)) & 0xFF);
    }
};

KELVO_TEST_MAIN(TagFlowsTest)
#include "test_tagflows.moc"
