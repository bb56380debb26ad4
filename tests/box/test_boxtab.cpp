#include "tests/support/coutcapture.h"
#include "tests/support/flowbench.h"
#include "tests/support/kelvotestmain.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QSettings>
#include <QStackedWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {

using Request = EmulatedStandaloneBox::Request;
using Fault = EmulatedStandaloneBox::Fault;

const QString kSuccessStyle = QStringLiteral("background-color: #8CC63F;");
const QString kFailureStyle = QStringLiteral("background-color: #FF0000;");
constexpr int kBoxTab = 3;

// 1 March 2024 14:05:09, in seconds since 2010.
constexpr quint32 kFirstStamp = 0x1aa4a595;

QSettings store()
{
    return QSettings(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo"));
}

// The first line of each message: the message's own text, under which some messages add lines.
QStringList firstLines(const QStringList& texts)
{
    QStringList lines;
    for (const QString& text : texts)
        lines << text.section(QLatin1Char('\n'), 0, 0);
    return lines;
}

QString logBoxPath()
{
    return store().value(QStringLiteral("SBox Path Log")).toString();
}

QByteArray logBoxContent()
{
    QFile file(logBoxPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The box's log holds count entries of the plausible Kelvo, a minute apart; the first was a write.
void fillLog(EmulatedStandaloneBox& box, int count)
{
    std::array<quint32, EmulatedKelvoTag::blockCount> blocks{};
    for (quint16 block = 0; block < EmulatedKelvoTag::blockCount; ++block) {
        blocks[block] = box.tag().block(block);
    }
    for (int index = 0; index < count; ++index) {
        box.appendLogEntry(EmulatedStandaloneBox::logEntry(kFirstStamp + 60u * quint32(index),
                                                           index == 0, blocks));
    }
}

QByteArray plausibleLine(const char* time, const char* action)
{
    return QByteArray("20240301,") + time + ',' + action +
           ",50,5,3665,3543,3298,2.5,62.5,50,KV23000417,00000417, No Error \r\n";
}

void checkUnknownBatteryLevel(const FlowBench& bench)
{
    auto* label = bench.find<QLabel>("Pgb_Battery_SBox_Label");
    QCOMPARE(label->text(), QString(QChar(0x2013)));
    QCOMPARE(label->styleSheet(), QStringLiteral("font: bold 24pt Arial;"));
    QCOMPARE(bench.find<QProgressBar>("Pgb_Battery_SBox")->value(), 0);
}

QStringList rowCells(QTableWidget* table, int row)
{
    QStringList cells;
    for (int column = 0; column < table->columnCount(); ++column) {
        QTableWidgetItem* item = table->item(row, column);
        cells << (item != nullptr ? item->text() : QStringLiteral("<none>"));
    }
    return cells;
}

// A window whose reader is the box, showing the box tab.
class BoxBench : public FlowBench
{
public:
    explicit BoxBench(int entries = 0)
    {
        useStandaloneBox();
        fillLog(box(), entries);
        start();
        showTab(kBoxTab);
    }
    QTableWidget* table() const { return find<QTableWidget>("SBoxData"); }
    QPushButton* eraseButton() const { return find<QPushButton>("Erase_SBox"); }
    QLabel* countLabel() const { return find<QLabel>("Nb_Log_Value"); }
};

} // namespace

class BoxTabTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        store().clear();
        for (const QString& name : QDir().entryList({QStringLiteral("LogBox_*.txt")})) {
            QFile::remove(name);
        }
    }

    void readsTheLogIntoTheTableAndTheLogBoxFile()
    {
        BoxBench bench(3);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"Read operation was successfull\nThe log was saved in " +
                             QDir::cleanPath(QDir::current().absoluteFilePath(logBoxPath()))});
        const SeenDialog& box = bench.answerer().seen().at(0);
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.title, QStringLiteral("Varrow"));
        QCOMPARE(box.watchedButtonStyle, kSuccessStyle);
        QCOMPARE(bench.progress(), (QList<int>{0, 33, 66, 100}));
        QVERIFY(bench.find<QWidget>("BarGraph")->isHidden());

        QTableWidget* table = bench.table();
        QCOMPARE(table->rowCount(), 3);
        QCOMPARE(table->columnCount(), 14);
        QCOMPARE(table->horizontalHeaderItem(13)->text(), QStringLiteral("Kelvo Serial"));
        QCOMPARE(table->editTriggers(),
                 QAbstractItemView::EditTriggers(QAbstractItemView::NoEditTriggers));
        QCOMPARE(rowCells(table, 0),
                 (QStringList{"20240301", "14:05:09", "WRITE", "2.5", " No Error ", "50", "5",
                              "KV23000417", "3665", "3543", "3298", "50", "62.5", "00000417"}));
        QCOMPARE(bench.countLabel()->text(), QStringLiteral("3 / 3640"));
        QVERIFY(!bench.countLabel()->isHidden());
        QVERIFY(!bench.find<QLabel>("Nb_Log_Label")->isHidden());
        QVERIFY(!bench.eraseButton()->isHidden());
        const QByteArray lines = plausibleLine("14:05:09", "WRITE") +
                                 plausibleLine("14:06:09", "READ") +
                                 plausibleLine("14:07:09", "READ");
        QCOMPARE(logBoxContent(), lines);

        // Reading again appends the whole log again to the same file.
        bench.click(bench.readButton());
        QCOMPARE(logBoxContent(), lines + lines);
        QCOMPARE(bench.box().requests(Request::LogEntry), 6);
        QCOMPARE(table->rowCount(), 3);
    }

    // A new download starts from an empty table: neither an empty log nor a count that cannot be
    // read leaves the previous box's rows and count on the tab.
    void aNewDownloadClearsThePreviousTable()
    {
        BoxBench bench(2);
        bench.click(bench.readButton());
        bench.box().clearLog();
        const QString style = bench.readButton()->styleSheet();
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"Read operation was successfull but memory is empty"});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, style);
        QCOMPARE(bench.progress(), (QList<int>{0, 100}));
        QCOMPARE(bench.table()->rowCount(), 0);
        QVERIFY(bench.countLabel()->isHidden());
        QCOMPARE(logBoxContent().count('\n'), 2);

        fillLog(bench.box(), 2);
        bench.click(bench.readButton());
        QCOMPARE(bench.table()->rowCount(), 2);
        bench.box().injectFault(5, Fault::Garbage);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"Read operation failed"});
        QCOMPARE(bench.table()->rowCount(), 0);
        QVERIFY(bench.countLabel()->isHidden());
        QVERIFY(bench.eraseButton()->isHidden());
    }

    // An entry that cannot be read leaves empty cells and fields, fails the read and keeps the
    // log from being erased until a read saves every entry.
    void anUnreadEntryFailsTheRead()
    {
        BoxBench bench(3);
        bench.box().injectLogEntryFault(1, Fault::ShortAnswer, 2);
        bench.click(bench.readButton());
        QCOMPARE(
            bench.answerer().texts(),
            QStringList{"Read operation failed\n1 of the 3 log entries could not be read; they "
                        "are not in the LogBox file."});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kFailureStyle);
        QCOMPARE(rowCells(bench.table(), 1), QString(13, QLatin1Char(',')).split(QLatin1Char(',')));
        QCOMPARE(rowCells(bench.table(), 2).at(1), QStringLiteral("14:07:09"));
        QCOMPARE(logBoxContent(),
                 plausibleLine("14:05:09", "WRITE") + plausibleLine("14:07:09", "READ"));
        QVERIFY(bench.eraseButton()->isHidden());
        QCOMPARE(bench.countLabel()->text(), QStringLiteral("3 / 3640"));

        bench.click(bench.readButton());
        QCOMPARE(firstLines(bench.answerer().texts()),
                 QStringList{"Read operation was successfull"});
        QVERIFY(!bench.eraseButton()->isHidden());
        bench.box().injectLogEntryFault(0, Fault::NoAnswer, 2);
        bench.click(bench.readButton());
        QVERIFY(bench.eraseButton()->isHidden());
    }

    void aLogBoxFileThatCannotBeWrittenFailsTheRead()
    {
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("gone/LogBox.txt"));
        store().setValue(QStringLiteral("SBox Path Log"), path);
        BoxBench bench(2);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"Read operation failed\nThe LogBox file " +
                                                       path + " could not be written."});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kFailureStyle);
        QCOMPARE(bench.table()->rowCount(), 2);
        QCOMPARE(rowCells(bench.table(), 1).at(2), QStringLiteral("READ"));
        QVERIFY(bench.eraseButton()->isHidden());
    }

    void erasesOnlyTheLogJustSaved()
    {
        store().setValue(QStringLiteral("SBox Path Log"),
                         QStringLiteral("./LogBox_20240301_140509.txt"));
        BoxBench bench(3);
        bench.click(bench.readButton());
        // The box logged another Kelvo since the download: nothing is erased.
        fillLog(bench.box(), 1);
        const QString style = bench.eraseButton()->styleSheet();
        bench.click(bench.eraseButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"Erase operation failed\nThe box now holds 4 log entries, not the 3 "
                             "saved: read it again before erasing."});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kFailureStyle);
        QCOMPARE(bench.eraseButton()->styleSheet(), style);
        QCOMPARE(bench.box().requests(Request::EraseLog), 0);
        QCOMPARE(bench.box().logEntries().size(), 4);

        bench.click(bench.readButton());
        // The operator is asked first, with No as the safe default and for Escape; No erases
        // nothing and tells nothing more. The file is named with its folder, though the stored
        // path is relative.
        bench.answerer().setMessageBoxAnswer(QMessageBox::No);
        bench.click(bench.eraseButton());
        const QString question =
            "Erase the 4 log entries from the box?\nThey were saved in the LogBox file " +
            QDir::currentPath() +
            "/LogBox_20240301_140509.txt.\nBefore erasing, the box's whole log is read again and "
            "compared with that file: the erase takes about as long as the download did.";
        QCOMPARE(bench.answerer().texts(), QStringList{question});
        const SeenDialog& asked = bench.answerer().seen().at(0);
        QCOMPARE(asked.icon, QMessageBox::Question);
        QCOMPARE(asked.defaultButton, QMessageBox::No);
        QCOMPARE(asked.escapeButton, QMessageBox::No);
        QCOMPARE(bench.box().logEntries().size(), 4);
        QVERIFY(!bench.eraseButton()->isHidden());

        bench.answerer().setMessageBoxAnswer(QMessageBox::Yes);
        bench.click(bench.eraseButton());
        QCOMPARE(bench.answerer().texts(),
                 (QStringList{question, "Erase operation was successfull"}));
        QCOMPARE(bench.answerer().seen().at(1).watchedButtonStyle, kSuccessStyle);
        QCOMPARE(bench.eraseButton()->styleSheet(), style);
        QVERIFY(bench.box().logEntries().isEmpty());
        QCOMPARE(bench.table()->rowCount(), 0);
        QCOMPARE(bench.table()->columnCount(), 0);
        QVERIFY(bench.eraseButton()->isHidden());
        QVERIFY(bench.countLabel()->isHidden());
        QVERIFY(bench.find<QLabel>("Nb_Log_Label")->isHidden());
        const QString next = logBoxPath();
        QVERIFY2(QRegularExpression(QStringLiteral("^\\./LogBox_\\d{8}_\\d{6}\\.txt$"))
                         .match(next)
                         .hasMatch() &&
                     next != QStringLiteral("./LogBox_20240301_140509.txt"),
                 qPrintable(next));
        QVERIFY(!QFile::exists(next));

        // Once erased, the log is no longer the one saved.
        bench.click(bench.eraseButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"Erase operation failed\nThe box's log has not been saved whole: "
                             "read it first."});
    }

    void showsTheKelvosOfADownloadAndOfASavedFile()
    {
        BoxBench bench(3);
        bench.click(bench.readButton());
        bench.find<QPushButton>("Btn_Kelvos_SBox")->click();
        auto* view = bench.find<QTableView>("Tbl_Kelvos_SBox");
        QCOMPARE(bench.find<QStackedWidget>("Stk_BoxViews_SBox")->currentWidget(),
                 view->parentWidget());
        QAbstractItemModel* kelvos = view->model();
        QCOMPARE(kelvos->rowCount(), 1);
        QCOMPARE(kelvos->index(0, 2).data().toString(), QStringLiteral("3"));

        // An earlier download: a second Kelvo with a weak battery, and a line that is no entry.
        QFile earlier(QStringLiteral("LogBox_20240101_080000.txt"));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write(plausibleLine("14:05:09", "READ") + "not a LogBox line\r\n" +
                      "20240301,15:00:00,READ,50,5,3200,3543,3298,2.5,62.5,50,KV23000399,"
                      "00000399, No Error \r\n");
        QVERIFY(earlier.flush());
        QVERIFY(earlier.setFileTime(QDateTime(QDate(2024, 1, 1), QTime(8, 0)),
                                    QFileDevice::FileModificationTime));
        earlier.close();
        QStringList offered;
        bench.answerer().setDialogHandler([&offered](QWidget* dialog) {
            auto* list = dialog->findChild<QListWidget*>();
            for (int row = 0; row < list->count(); ++row) {
                offered << list->item(row)->text();
            }
            list->setCurrentRow(1);
            dialog->findChild<QPushButton*>(QStringLiteral("Btn_Open_LogBoxFile"))->click();
        });
        bench.click(bench.find<QPushButton>("Btn_OpenLogBox_SBox"));
        QCOMPARE(offered, (QStringList{QFileInfo(logBoxPath()).fileName() + "   3 entries",
                                       "LogBox_20240101_080000.txt   3 entries"}));
        QCOMPARE(bench.answerer().texts().last(),
                 QStringLiteral("Lines left out of ./LogBox_20240101_080000.txt, which are not "
                                "LogBox lines: 2 (1 in all)."));
        QCOMPARE(bench.table()->rowCount(), 2);
        QVERIFY(bench.eraseButton()->isHidden());
        const auto serials = [kelvos] {
            return QStringList{kelvos->index(0, 0).data().toString(),
                               kelvos->index(1, 0).data().toString()};
        };
        QCOMPARE(serials(), (QStringList{"KV23000399", "KV23000417"}));
        QCOMPARE(kelvos->index(0, 11).data().toString(), QStringLiteral("battery below threshold"));
        QVERIFY(!view->grab().isNull());

        // A tap on a header sorts by that column, a second tap the other way round.
        QHeaderView* header = view->horizontalHeader();
        for (int tap = 0; tap < 2; ++tap) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(7) + 5, 5));
            QCOMPARE(header->sortIndicatorSection(), 7);
            const bool ascending = header->sortIndicatorOrder() == Qt::AscendingOrder;
            QCOMPARE(kelvos->index(0, 7).data().toString(), ascending ? "3200" : "3665");
        }
    }

    void retriesAnEntryOnce()
    {
        BoxBench bench(3);
        bench.box().injectLogEntryFault(1, Fault::FfEcho);
        CoutCapture console;
        QTest::ignoreMessage(QtDebugMsg, "error FFFF");
        bench.click(bench.readButton());
        QCOMPARE(firstLines(bench.answerer().texts()),
                 QStringList{"Read operation was successfull"});
        QCOMPARE(QString::fromStdString(console.text()), QStringLiteral("error"));
        QCOMPARE(bench.box().requests(Request::LogEntry), 4);
        QCOMPARE(rowCells(bench.table(), 1).at(1), QStringLiteral("14:06:09"));
    }

    void configuresTheBoxAndShowsWhatItHolds()
    {
        BoxBench bench;
        QCOMPARE(bench.field("LnEd_ActivationDepth_SBox")->text(), QStringLiteral("50"));
        bench.field("LnEd_ActivationDepth_SBox")->setText(QStringLiteral("120"));
        bench.field("LnEd_Filter_SBox")->setText(QStringLiteral("9"));
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"Write operation was successfull"});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kSuccessStyle);
        QCOMPARE(bench.box().activationDepth(), quint8(120));
        QCOMPARE(bench.box().filter(), quint16(9));
        QCOMPARE(bench.field("LnEd_Filter_SBox")->text(), QStringLiteral("9"));
        QCOMPARE(bench.progress(), (QList<int>{10, 100}));

        // The answer to the write and to the re-read's configuration are lost: the fields show
        // nothing rather than the typed values.
        bench.field("LnEd_ActivationDepth_SBox")->setText(QStringLiteral("75"));
        bench.field("LnEd_Filter_SBox")->setText(QStringLiteral("7"));
        bench.box().injectFault(1, Fault::Garbage);
        bench.box().injectFault(3, Fault::Garbage);
        const int configReads = bench.box().requests(Request::ReadConfig);
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts(), QStringList{"Write operation failed, try again"});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kFailureStyle);
        QCOMPARE(bench.box().requests(Request::ReadConfig), configReads + 1);
        QCOMPARE(bench.field("LnEd_ActivationDepth_SBox")->text(), QString());
        QCOMPARE(bench.field("LnEd_Filter_SBox")->text(), QString());
    }

    void showsTheBatteryLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("colour");
        QTest::newRow("10") << 10 << "10%"
                            << "#CC0000";
        QTest::newRow("11") << 11 << "11%"
                            << "#8CC63F";
        QTest::newRow("255") << 255 << "255%"
                             << "#8CC63F";
    }

    void showsTheBatteryLevel()
    {
        QFETCH(int, level);
        FlowBench bench;
        bench.useStandaloneBox();
        bench.box().setBatteryLevel(quint8(level));
        bench.start();
        bench.showTab(kBoxTab);
        auto* bar = bench.find<QProgressBar>("Pgb_Battery_SBox");
        auto* label = bench.find<QLabel>("Pgb_Battery_SBox_Label");
        QTEST(label->text(), "label");
        QCOMPARE(bar->value(), qMin(level, 100));
        QFETCH(QString, colour);
        QVERIFY(bar->styleSheet().contains(QStringLiteral("stop: 0 ") + colour));
        QCOMPARE(label->styleSheet(), level > 10
                                          ? QStringLiteral("color: #8CC63F; font: bold 24pt Arial;")
                                          : QStringLiteral("color: red; font: bold 24pt Arial;"));
        // Switching to the tab read the box's settings and set its clock.
        QCOMPARE(bench.box().requests(Request::SetClock), 1);
    }

    // A value the box holds that CONFIGURE BOX would refuse shows in the warning colour, and the
    // download says so under its result.
    void warnsOfValuesOutsideTheKeypadsRanges()
    {
        FlowBench bench;
        bench.useStandaloneBox();
        bench.box().setConfig(200, 5);
        fillLog(bench.box(), 1);
        bench.start();
        bench.showTab(kBoxTab);
        QLineEdit* depth = bench.field("LnEd_ActivationDepth_SBox");
        QCOMPARE(depth->text(), QStringLiteral("200"));
        QVERIFY(depth->styleSheet().contains(QStringLiteral("#FF0000")));
        QVERIFY(bench.field("LnEd_Filter_SBox")->styleSheet().isEmpty());
        const QString note =
            QStringLiteral("The box holds a value that CONFIGURE BOX would refuse: "
                           "activation depth 200 (25 to 150), filter 5 (4 to 10).");
        QCOMPARE(depth->toolTip(), note);
        bench.click(bench.readButton());
        QVERIFY(bench.answerer().texts().value(0).endsWith(note));
        bench.box().setConfig(150, 4);
        bench.click(bench.readButton());
        QVERIFY(depth->styleSheet().isEmpty());
    }

    // A failed battery read shows an unknown level, not an empty battery; the other three
    // commands are still sent and the configuration read decides the outcome.
    void aFailedBatteryReadShowsNoLevel()
    {
        BoxBench bench;
        bench.box().setConfig(100, 8);
        bench.box().injectFault(1, Fault::Garbage);
        bench.showTab(0);
        bench.showTab(kBoxTab);
        checkUnknownBatteryLevel(bench);
        QCOMPARE(bench.field("LnEd_ActivationDepth_SBox")->text(), QStringLiteral("100"));
        QCOMPARE(bench.box().requests(Request::BatteryLevel), 2);
        QCOMPARE(bench.box().requests(Request::ReadClock), 2);
        QCOMPARE(bench.box().requests(Request::SetClock), 2);
    }

    // A box whose line came back shows its values as soon as the tab is entered again.
    void enteringTheTabFindsTheBoxAgain()
    {
        BoxBench bench;
        bench.box().setConfig(100, 8);
        bench.showTab(0);
        bench.box().setSilent(true);
        bench.showTab(kBoxTab);
        QVERIFY(bench.field("LnEd_ActivationDepth_SBox")->text().isEmpty());
        bench.box().setSilent(false);
        bench.showTab(0);
        bench.showTab(kBoxTab);
        QCOMPARE(bench.field("LnEd_ActivationDepth_SBox")->text(), QStringLiteral("100"));
    }

    // The tab stays enabled once the box was seen. With the board as reader the box flows send
    // nothing to the box; with no reader they say so.
    void otherReadersAndNone()
    {
        BoxBench bench(2);
        bench.click(bench.readButton());
        bench.box().setPlugged(false);
        bench.board().setPlugged(true);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"No Standalone Box detected, please plug one"});
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kFailureStyle);
        // No box, so none of its values is known.
        checkUnknownBatteryLevel(bench);
        QCOMPARE(bench.field("LnEd_Filter_SBox")->text(), QString());
        bench.box().setPlugged(true);
        const int boxExchanges = bench.box().exchanges();
        bench.field("LnEd_ActivationDepth_SBox")->setText(QStringLiteral("120"));
        bench.field("LnEd_Filter_SBox")->setText(QStringLiteral("9"));
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"Write operation failed, try again\nNo Standalone Box is connected."});
        QCOMPARE(bench.field("LnEd_ActivationDepth_SBox")->text(), QString());
        bench.click(bench.eraseButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"Erase operation failed\nNo Standalone Box is connected."});
        QCOMPARE(bench.box().exchanges(), boxExchanges);
        QCOMPARE(bench.table()->rowCount(), 2);

        bench.box().setPlugged(false);
        bench.board().setPlugged(false);
        bench.click(bench.readButton());
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"No Standalone Box detected, please plug one"});
        QCOMPARE(bench.answerer().seen().at(0).icon, QMessageBox::Information);
        QCOMPARE(bench.answerer().seen().at(0).watchedButtonStyle, kFailureStyle);
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().seen().at(0).icon, QMessageBox::Critical);
        QCOMPARE(bench.answerer().texts(),
                 QStringList{"No Standalone Box detected, please plug one"});
    }
};

KELVO_TEST_MAIN(BoxTabTest)
#include "test_boxtab.moc"
