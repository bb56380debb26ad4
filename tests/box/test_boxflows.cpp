#include "box/boxconfiguration.h"
#include "box/boxlogdownload.h"
#include "drivers/boxlogentry.h"
#include "drivers/kelvodevice.h"
#include "emulation/emulatedcr95hfboard.h"
#include "emulation/emulatedstandalonebox.h"
#include "kelvo/flowlistener.h"
#include "tests/support/coutcapture.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

#include <functional>

namespace {

using Fault = EmulatedStandaloneBox::Fault;
using Request = EmulatedStandaloneBox::Request;

// Records which entries came unread and whether the log was saved whole; calls a hook after each.
class Recorder : public FlowListener
{
public:
    void progress(int value) override
    {
        if (afterProgress)
            afterProgress(value);
    }
    void tableStarted(int) override { unread.clear(); }
    void entryRead(int index, const KelvoRecord& entry) override
    {
        unread << isUnreadBoxLogEntry(entry);
        if (afterEntry)
            afterEntry(index);
    }
    void tableFinished(int, bool savedWhole) override { saved = savedWhole; }

    QList<bool> unread;
    bool saved = false;
    std::function<void(int)> afterEntry;
    std::function<void(int)> afterProgress;
};

// The box as the only reader, holding count entries a minute apart.
struct Bench
{
    explicit Bench(int count = 10)
    {
        board.setPlugged(false);
        for (int index = 0; index < count; ++index)
            box.appendLogEntry(EmulatedStandaloneBox::logEntry(60u * quint32(index), 0, {}));
        device.boxSettings().mLogBoxPath = QStringLiteral("LogBox_test.txt");
        QFile::remove(device.boxSettings().mLogBoxPath);
        device.ensureReader();
    }

    CoutCapture console;
    EmulatedCr95hfBoard board;
    EmulatedStandaloneBox box;
    KelvoDevice device{board, box, [](unsigned long) {}};
    BoxLogDownload download{device};
    Recorder recorder;
};

QString failed(const QString& text, bool readerLost = false)
{
    return text + (readerLost ? QLatin1Char('\n') + FlowResult::readerLostNote() : QString());
}

using BenchChange = std::function<void(Bench&)>;

enum class BoxFlow
{
    TabEntry,
    Configure,
    Read,
    Erase
};

} // namespace

Q_DECLARE_METATYPE(BoxFlow)
Q_DECLARE_METATYPE(BenchChange)

class BoxFlowsTest : public QObject
{
    Q_OBJECT

private slots:
    // Only entries the keypads would give are written, and whole: nothing is cut to 8 bits, not
    // even a filter that the box itself holds above 255.
    void configureWritesOnlyEntriesInRange_data()
    {
        QTest::addColumn<QString>("depth");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("refusal");
        const QString depth = QStringLiteral("The activation depth must be a whole number from 25 "
                                             "to 150: nothing was written to the box.");
        const QString filter = QStringLiteral("The filter must be a whole number from 4 to 10: "
                                              "nothing was written to the box.");
        QTest::newRow("in range") << "150"
                                  << "4" << QString();
        QTest::newRow("depth 24") << "24"
                                  << "5" << depth;
        QTest::newRow("depth 300, not 44") << "300"
                                           << "5" << depth;
        QTest::newRow("depth not a number") << "5a"
                                            << "5" << depth;
        QTest::newRow("depth empty") << ""
                                     << "5" << depth;
        QTest::newRow("filter 11") << "50"
                                   << "11" << filter;
        QTest::newRow("filter 260, not 4") << "50"
                                           << "260" << filter;
        QTest::newRow("filter 300 held by the box") << "50"
                                                    << "300" << filter;
        QTest::newRow("filter -5") << "50"
                                   << "-5" << filter;
    }

    void configureWritesOnlyEntriesInRange()
    {
        QFETCH(QString, depth);
        QFETCH(QString, filter);
        QFETCH(QString, refusal);
        Bench bench;
        bench.box.setConfig(60, 300);
        const FlowResult result = BoxConfiguration(bench.device).configure({depth, filter});
        QCOMPARE(result.text, refusal.isEmpty() ? QStringLiteral("Write operation was successfull")
                                                : "Write operation failed, try again\n" + refusal);
        QCOMPARE(result.icon(),
                 refusal.isEmpty() ? FlowResult::Icon::Information : FlowResult::Icon::Warning);
        QCOMPARE(bench.box.requests(Request::WriteConfig), refusal.isEmpty() ? 1 : 0);
        QCOMPARE(bench.box.filter(), quint16(refusal.isEmpty() ? filter.toUInt() : 300));
    }

    // A value is known only when the box gave it at the last read: not after a failed command,
    // with the board as reader, or with no reader.
    void boxValuesAreKnownOnlyWhenRead_data()
    {
        QTest::addColumn<int>("faultAt");
        QTest::addColumn<QString>("reader");
        QTest::addColumn<bool>("batteryRead");
        QTest::addColumn<bool>("configRead");
        QTest::newRow("both read") << 0 << "box" << true << true;
        QTest::newRow("battery garbled") << 1 << "box" << false << true;
        QTest::newRow("config garbled") << 2 << "box" << true << false;
        QTest::newRow("board") << 0 << "board" << false << false;
        QTest::newRow("no reader") << 0 << "none" << false << false;
    }

    void boxValuesAreKnownOnlyWhenRead()
    {
        QFETCH(int, faultAt);
        QFETCH(QString, reader);
        Bench bench;
        QVERIFY(BoxConfiguration(bench.device).readBack());
        bench.board.setPlugged(reader == QLatin1String("board"));
        bench.box.setPlugged(reader == QLatin1String("box"));
        bench.device.ensureReader();
        if (faultAt > 0)
            bench.box.injectFault(faultAt, Fault::Garbage);
        BoxConfiguration(bench.device).readBack();
        QTEST(bench.device.boxSettings().mBoxBatteryLevelRead, "batteryRead");
        QTEST(bench.device.boxSettings().mBoxConfigRead, "configRead");
    }

    void readingFromTheBoardReportsNoBox()
    {
        Bench bench;
        bench.board.setPlugged(true);
        QVERIFY(bench.device.connectReader());
        const FlowResult result = bench.download.read(bench.recorder);
        QCOMPARE(result.text, QStringLiteral("No Standalone Box detected, please plug one"));
        QCOMPARE(result.outcome, Outcome::WrongReader);
        QVERIFY(!result.succeeded());
        QCOMPARE(bench.box.exchanges(), 1);
    }

    // Whatever the moment the box stops answering, a download ends within two time-outs, or
    // three when its reader part still answers, those of three entries when every answer is cut
    // short, and gives up on the rest of the log.
    void aDownloadGivesUpOnABoxThatStoppedAnswering_data()
    {
        QTest::addColumn<BenchChange>("fault");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("unread");
        QTest::addColumn<qint64>("milliseconds");
        const auto after1 = [](std::function<void(EmulatedStandaloneBox&)> stop) {
            return BenchChange([stop](Bench& bench) {
                bench.recorder.afterEntry = [&bench, stop](int index) {
                    if (index == 1)
                        stop(bench.box);
                };
            });
        };
        const QString gone = failed("Read operation failed\n8 of the 10 log entries could not be "
                                    "read; they are not in the LogBox file.\nThe box stopped "
                                    "answering: entry 3 got no answer, nor did the box when its "
                                    "link was opened again.",
                                    true);
        QTest::newRow("silent after entry 1")
            << after1([](EmulatedStandaloneBox& box) { box.setSilent(true); }) << gone << 8
            << qint64(10000);
        QTest::newRow("unplugged after entry 1")
            << after1([](EmulatedStandaloneBox& box) { box.setPlugged(false); }) << gone << 8
            << qint64(0);
        QTest::newRow("one answer lost")
            << BenchChange([](Bench& bench) { bench.box.injectLogEntryFault(3, Fault::NoAnswer); })
            << "Read operation was successfull" << 0 << qint64(5000);
        // Each entry is asked after its own reopen: the box answers the rest.
        QTest::newRow("an entry's answer lost twice")
            << BenchChange(
                   [](Bench& bench) { bench.box.injectLogEntryFault(3, Fault::NoAnswer, 2); })
            << "Read operation failed\n1 of the 10 log entries could not be read; they are not "
               "in the LogBox file."
            << 1 << qint64(10000);
        QTest::newRow("no answer to the battery request")
            << BenchChange([](Bench& bench) { bench.box.injectFault(1, Fault::NoAnswer); })
            << "Read operation was successfull" << 0 << qint64(5000);
        QTest::newRow("every answer cut short from entry 2")
            << BenchChange([](Bench& bench) {
                   for (int index = 2; index < 10; ++index)
                       bench.box.injectLogEntryFault(index, Fault::ShortAnswer, 2);
               })
            << "Read operation failed\n8 of the 10 log entries could not be read; they are not in "
               "the LogBox file.\nThe box's answers could not be read: the download gave up after "
               "3 entries in a row."
            << 8 << qint64(30000);
    }

    void aDownloadGivesUpOnABoxThatStoppedAnswering()
    {
        QFETCH(BenchChange, fault);
        QFETCH(int, unread);
        Bench bench;
        fault(bench);
        const FlowResult result = bench.download.read(bench.recorder);
        // A download saved whole says where it went, under the first line compared here.
        QTEST(unread == 0 ? result.text.section(QLatin1Char('\n'), 0, 0) : result.text, "text");
        QTEST(bench.box.emulatedMilliseconds(), "milliseconds");
        QCOMPARE(bench.recorder.unread.count(true), unread);
        QCOMPARE(bench.recorder.unread.size(), 10);
        QCOMPARE(bench.recorder.saved, unread == 0);
        // Only the entries read are in the file.
        QFile file(bench.device.boxSettings().mLogBoxPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count('\n'), 10 - unread);
    }

    // Every other box flow meets a box that stopped answering with one time-out, then reports
    // the lost reader: the commands after the time-out fail at once.
    void otherFlowsSpendOneTimeOutOnASilentBox_data()
    {
        QTest::addColumn<BoxFlow>("flow");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("milliseconds");
        QTest::newRow("tab entry") << BoxFlow::TabEntry << QString() << qint64(5000);
        QTest::newRow("configure")
            << BoxFlow::Configure << failed("Write operation failed, try again", true)
            << qint64(5000);
        // A box that does not answer its battery request may still hold its log: the link is
        // opened once more before the box counts as lost.
        QTest::newRow("read") << BoxFlow::Read << failed("Read operation failed", true)
                              << qint64(10000);
        QTest::newRow("erase") << BoxFlow::Erase
                               << failed("Erase operation failed\nThe number of entries in the "
                                         "box could not be read again.",
                                         true)
                               << qint64(5000);
    }

    void otherFlowsSpendOneTimeOutOnASilentBox()
    {
        QFETCH(BoxFlow, flow);
        Bench bench;
        QVERIFY(bench.download.read(bench.recorder).succeeded());
        bench.box.setSilent(true);
        BoxConfiguration configuration(bench.device);
        QString text;
        if (flow == BoxFlow::Configure)
            text = configuration.configure({"120", "9"}).text;
        if (flow == BoxFlow::Read)
            text = bench.download.read(bench.recorder).text;
        if (flow == BoxFlow::Erase)
            text = bench.download.erase([](int, const QString&) { return true; }, bench.recorder)
                       ->text;
        QVERIFY(!configuration.readBack());
        QTEST(text, "text");
        QTEST(bench.box.emulatedMilliseconds(), "milliseconds");
        QVERIFY(!bench.device.boxSettings().mBoxConfigRead);
        QCOMPARE(bench.box.logEntries().size(), 10);
    }

    // The log is erased only once saved whole, the operator agreed, and the box still holds the
    // saved log, down to its last entry, after the question too.
    void erasesOnlyTheLogSaved_data()
    {
        QTest::addColumn<BenchChange>("change");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("questions");
        const auto change = [](BenchChange step) { return step; };
        const QString readAgain =
            QStringLiteral("\nNothing was erased: read the box again (READ DATA FROM BOX).");
        // Messages name the LogBox file by its absolute path.
        const QString shownLogBox = QDir::current().absoluteFilePath("LogBox_test.txt");
        QTest::newRow("same box") << change([](Bench&) {}) << true
                                  << "Erase operation was successfull" << 1;
        QTest::newRow("declined") << change([](Bench&) {}) << false << QString() << 1;
        QTest::newRow("another box, same count")
            << change([](Bench& bench) {
                   bench.box.clearLog();
                   for (int index = 0; index < 10; ++index)
                       bench.box.appendLogEntry(EmulatedStandaloneBox::logEntry(7u, 1, {}));
               })
            << true
            << "Erase operation failed\nEntry 1 of the box differs from the LogBox file " +
                   shownLogBox + "." + readAgain
            << 1;
        QTest::newRow("last entry unreadable")
            << change([](Bench& bench) { bench.box.injectLogEntryFault(9, Fault::Garbage, 2); })
            << true
            << "Erase operation failed\nEntry 10 of the box could not be read again." + readAgain
            << 1;
        QTest::newRow("file deleted")
            << change([](Bench& bench) { QFile::remove(bench.device.boxSettings().mLogBoxPath); })
            << true
            << "Erase operation failed\nThe LogBox file " + shownLogBox +
                   " is missing, or no longer holds the 10 entries saved." + readAgain
            << 1;
        // The box erased, but its answer cannot be read: the count it then holds tells.
        QTest::newRow("erase answer garbled")
            << change([](Bench& bench) {
                   bench.recorder.afterProgress = [&bench](int value) {
                       if (value == 100)
                           bench.box.injectFault(1, Fault::Garbage);
                   };
               })
            << true
            << "Erase operation was successfull\nThe box did not confirm the erase, but it now "
               "holds no entries."
            << 1;
        QTest::newRow("not saved whole")
            << change([](Bench& bench) {
                   bench.box.injectLogEntryFault(4, Fault::Garbage, 2);
                   bench.download.read(bench.recorder);
               })
            << true
            << "Erase operation failed\nThe box's log has not been saved whole: read it "
               "first."
            << 0;
    }

    void erasesOnlyTheLogSaved()
    {
        QFETCH(BenchChange, change);
        QFETCH(bool, answer);
        Bench bench;
        QVERIFY(bench.download.read(bench.recorder).succeeded());
        change(bench);
        QStringList questions;
        const std::optional<FlowResult> result = bench.download.erase(
            [&](int count, const QString& path) {
                questions << QString::number(count) + QLatin1Char(' ') + path;
                return answer;
            },
            bench.recorder);
        QTEST(result ? result->text : QString(), "text");
        QTEST(int(questions.size()), "questions");
        if (!questions.isEmpty())
            QCOMPARE(questions.first(),
                     "10 " + QDir::current().absoluteFilePath("LogBox_test.txt"));
        const bool erased = result && result->succeeded();
        QCOMPARE(bench.box.logEntries().isEmpty(), erased);
    }

    // A box swapped while the question is open is not erased.
    void aBoxSwappedDuringTheQuestionIsKept()
    {
        Bench bench;
        QVERIFY(bench.download.read(bench.recorder).succeeded());
        const std::optional<FlowResult> result = bench.download.erase(
            [&](int, const QString&) {
                bench.box.appendLogEntry(EmulatedStandaloneBox::logEntry(9999u, 0, {}));
                return true;
            },
            bench.recorder);
        QVERIFY(result && !result->succeeded());
        QCOMPARE(bench.box.requests(Request::EraseLog), 0);
    }

    // The download counts as saved only once the system confirms the file on the disk; a device
    // that cannot be flushed, like /dev/null, never does.
    void aLogBoxFileNotOnTheDiskIsNotSaved()
    {
        if (!QFile::exists(QStringLiteral("/dev/null")))
            QSKIP("Needs a file that accepts writes but cannot be flushed.");
        Bench bench;
        bench.device.boxSettings().mLogBoxPath = QStringLiteral("/dev/null");
        const FlowResult result = bench.download.read(bench.recorder);
        QVERIFY2(result.text.startsWith(QStringLiteral(
                     "Read operation failed\nThe LogBox file /dev/null could not be saved to the "
                     "disk: ")),
                 qPrintable(result.text));
        QVERIFY(!bench.recorder.saved);
    }
};

KELVO_TEST_MAIN(BoxFlowsTest)
#include "test_boxflows.moc"
