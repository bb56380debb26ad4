#include "tests/support/faultsweep.h"

#include "app/toolsetup.h"
#include "box/boxconfiguration.h"
#include "box/boxlogdownload.h"
#include "box/boxlogformat.h"
#include "drivers/blockvalue.h"
#include "drivers/boxlogentry.h"
#include "drivers/ftdiseriallink.h"
#include "drivers/kelvodevice.h"
#include "kelvo/tagsession.h"
#include "tests/support/faultsweepbench.h"
#include "tests/support/outcomename.h"
#include "tests/support/recordingflowlistener.h"
#include "tests/support/tagchecks.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

namespace FaultSweep {
namespace {

const QStringList kSuccessTexts = {QStringLiteral("Read operation was successfull"),
                                   QStringLiteral("Write operation was successfull"),
                                   QStringLiteral("Erase operation was successfull")};

// No box fault costs a flow more than this many read time-outs.
constexpr int kMostBoxTimeOutsOfARun = 3;

// The operator's entries, different from what the Kelvo holds in every field a write sends. The
// streamer and device fields show what the window shows before any read.
TabEntries newTabEntries(Flow flow)
{
    if (flow == Flow::SimplifiedWrite) {
        return {QStringLiteral("75"),        QStringLiteral("7"),        QStringLiteral("0"),
                QStringLiteral("0"),         QStringLiteral("KLV00099"), QStringLiteral("3500"),
                QStringLiteral("SN00000001")};
    }
    return {QStringLiteral("120"),       QStringLiteral("9"),        QStringLiteral("0"),
            QStringLiteral("0"),         QStringLiteral("KLV00100"), QStringLiteral("3400"),
            QStringLiteral("SN00000002")};
}

// The activation depth and filter entered for the box, different from what it holds.
const BoxEntries kNewBoxEntries = {QStringLiteral("120"), QStringLiteral("9")};

// Runs the flow as the window's button does, around the flow class.
FlowResult runThroughAdapter(Bench& bench, Flow flow, RecordingFlowListener& listener)
{
    KelvoDevice& device = bench.device();
    switch (flow) {
    case Flow::SimplifiedRead:
    case Flow::AdvancedRead:
        return TagSession(device, listener)
            .read(flow == Flow::SimplifiedRead ? TagTab::Simplified : TagTab::Advanced);
    case Flow::SimplifiedWrite:
    case Flow::AdvancedWrite: {
        listener.showProgress(FlowListener::ProgressMode::Write);
        listener.progress(10);
        const FlowResult result =
            TagSession(device, listener)
                .write(flow == Flow::SimplifiedWrite ? TagTab::Simplified : TagTab::Advanced,
                       newTabEntries(flow));
        listener.progress(100);
        listener.hideProgress();
        return result;
    }
    case Flow::ReadFromBox: {
        const FlowResult result = bench.boxLogDownload().read(listener);
        if (listener.progressShown()) {
            listener.progress(100);
            listener.hideProgress();
        }
        return result;
    }
    case Flow::ConfigureBox: {
        listener.showProgress(FlowListener::ProgressMode::Write);
        listener.progress(10);
        BoxConfiguration configuration(device);
        const FlowResult result = configuration.configure(kNewBoxEntries);
        listener.progress(100);
        listener.hideProgress();
        return result;
    }
    default: {
        const std::optional<FlowResult> erased = bench.boxLogDownload().erase(
            [&listener](int count, const QString& /*logBoxPath*/) {
                return listener.agreeToErase(count);
            },
            listener);
        // The operator agreed, so the erase owes a result; none is not an honest one.
        if (!erased)
            return FlowResult();
        // The next download goes to a LogBox file of its own.
        if (erased->succeeded()) {
            device.boxSettings().mLogBoxPath = ToolSetup::startNewLogBoxFile(
                QLatin1String(kCrewSetupStore), QDateTime::currentDateTime());
        }
        return *erased;
    }
    }
}

// The last line of the operations log without its date and time.
QString lastLogLine(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("no operations log");
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeAll(QByteArray());
    const QString line = QString::fromLatin1(lines.value(lines.size() - 1));
    static const QRegularExpression stamped(QStringLiteral("^\\d{8},\\d\\d:\\d\\d:\\d\\d,(.*)\r$"));
    const QRegularExpressionMatch match = stamped.match(line);
    return match.hasMatch() ? match.captured(1) : QStringLiteral("malformed: ") + line;
}

// The lines of every LogBox file in the working directory.
QList<QByteArray> logBoxLines()
{
    QList<QByteArray> lines;
    for (const QString& name :
         QDir().entryList({QStringLiteral("LogBox_*.txt")}, QDir::Files, QDir::Name)) {
        QFile file(name);
        if (file.open(QIODevice::ReadOnly))
            lines += file.readAll().split('\n');
    }
    lines.removeAll(QByteArray());
    return lines;
}

QStringList shownDuringRun(const RecordingFlowListener& listener)
{
    QStringList values;
    for (const int value : listener.progressValues())
        values << QString::number(value);
    return QStringList{QStringLiteral("progress ") + values.join(QLatin1Char(' '))}
           << listener.warnings() << listener.fieldTexts() << listener.questions();
}

QStringList tagMemory(const EmulatedKelvoTag& tag)
{
    QStringList blocks;
    for (quint16 block = 0; block < EmulatedKelvoTag::blockCount; ++block) {
        const quint32 value = block == 0 ? withByteAt(tag.block(0), 1, 0) : tag.block(block);
        blocks << QString::number(value, 16);
    }
    return blocks;
}

QStringList boxTabOutcome(Bench& bench, Flow flow, const RecordingFlowListener& listener)
{
    QStringList state = listener.tableRows();
    state << QStringLiteral("box log %1").arg(bench.box().logEntries().size());
    state << QStringLiteral("box config %1 %2")
                 .arg(bench.box().activationDepth())
                 .arg(bench.box().filter());
    if (flow == Flow::ReadFromBox) {
        const QList<QByteArray> lines = logBoxLines();
        for (const QByteArray& line : lines.mid(lines.size() - kBoxLogEntries))
            state << QString::fromLatin1(line);
    }
    if (flow == Flow::ConfigureBox) {
        // What the box did not give at its last read shows as unknown.
        const BoxSettings& shown = bench.device().boxSettings();
        state << (shown.mBoxConfigRead ? QStringLiteral("tab shows %1 %2")
                                             .arg(shown.mBoxActivationDepth)
                                             .arg(shown.mBoxFilter)
                                       : QStringLiteral("tab shows unknown values"));
    }
    return state;
}

QStringList outcome(Bench& bench, Flow flow, const RecordingFlowListener& listener)
{
    QStringList state = shownDuringRun(listener);
    if (isBoxTabFlow(flow))
        return state << boxTabOutcome(bench, flow, listener);
    if (isTagWrite(flow))
        return state << tagMemory(bench.tag());
    return state << listener.shownRecord() << lastLogLine(bench.device().record().mLogPath);
}

// The box's log as the lines of a LogBox file, as logBoxLines() gives them.
QList<QByteArray> boxLogAsLines(const EmulatedStandaloneBox& box)
{
    QList<QByteArray> lines;
    for (const QByteArray& entry : box.logEntries())
        lines << BoxLogFormat::logBoxLine(decodeBoxLogEntry(entry.toHex())).chopped(1);
    return lines;
}

// The LogBox files end with the box's log.
bool savedOnDisk(const QList<QByteArray>& boxLog)
{
    const QList<QByteArray> lines = logBoxLines();
    return lines.mid(lines.size() - boxLog.size()) == boxLog;
}

QByteArray failureMessage(const Run& run)
{
    return QByteArray("failed with outcome ") + outcomeName(run.failure) + ": " +
           run.text.toLatin1();
}

} // namespace

const QList<Flow>& tagFlows()
{
    static const QList<Flow> flows = {Flow::SimplifiedRead, Flow::AdvancedRead,
                                      Flow::SimplifiedWrite, Flow::AdvancedWrite};
    return flows;
}

const QList<Fault>& wholeLookingFaults()
{
    static const QList<Fault> all = {Fault::AnswerAfterTimeOut, Fault::DuplicatedAnswer,
                                     Fault::FlippedBit};
    return all;
}

const QList<Flow>& boxTabFlows()
{
    static const QList<Flow> flows = {Flow::ReadFromBox, Flow::ConfigureBox, Flow::EraseMemory};
    return flows;
}

const QList<Fault>& faults()
{
    static const QList<Fault> all = {Fault::NoAnswer, Fault::ShortAnswer, Fault::Garbage,
                                     Fault::FfEcho, Fault::Unplugged};
    return all;
}

const char* flowName(Flow flow)
{
    switch (flow) {
    case Flow::SimplifiedRead:
        return "Simplified Read";
    case Flow::AdvancedRead:
        return "Advanced Read";
    case Flow::SimplifiedWrite:
        return "Simplified Write";
    case Flow::AdvancedWrite:
        return "Advanced Write";
    case Flow::ReadFromBox:
        return "READ DATA FROM BOX";
    case Flow::ConfigureBox:
        return "CONFIGURE BOX";
    default:
        return "Erase Memory";
    }
}

const char* faultName(Fault fault)
{
    switch (fault) {
    case Fault::NoAnswer:
        return "no answer";
    case Fault::ShortAnswer:
        return "short answer";
    case Fault::Garbage:
        return "garbage";
    case Fault::FfEcho:
        return "0xFF echo";
    case Fault::AnswerAfterTimeOut:
        return "answer after the time-out";
    case Fault::DuplicatedAnswer:
        return "duplicated answer";
    case Fault::FlippedBit:
        return "flipped bit";
    default:
        return "unplugged";
    }
}

bool isTagWrite(Flow flow)
{
    return flow == Flow::SimplifiedWrite || flow == Flow::AdvancedWrite;
}

bool isBoxTabFlow(Flow flow)
{
    return boxTabFlows().contains(flow);
}

Run runFlow(Bench& bench, Flow flow)
{
    RecordingFlowListener listener(bench.device().record());
    const FlowResult result = runThroughAdapter(bench, flow, listener);
    Run run;
    // A download saved whole adds the LogBox file's path under the success text.
    const bool toldSuccess = kSuccessTexts.contains(result.text.section(QLatin1Char('\n'), 0, 0));
    run.succeeded = toldSuccess && result.colour() == FlowResult::Colour::Success;
    run.warned = toldSuccess && result.colour() == FlowResult::Colour::Unchanged &&
                 result.icon() == FlowResult::Icon::Warning;
    run.honest = run.warned || result.colour() == (toldSuccess ? FlowResult::Colour::Success
                                                               : FlowResult::Colour::Failure);
    run.failure = result.outcome;
    run.text = result.text;
    run.outcome = outcome(bench, flow, listener);
    run.shown = listener.shownRecord();
    run.logLines = result.logLines;
    return run;
}

QStringList cleanOutcome(Reader reader, Flow flow)
{
    static QMap<QPair<Reader, Flow>, QStringList> outcomes;
    const QPair<Reader, Flow> key(reader, flow);
    if (!outcomes.contains(key)) {
        clearFiles();
        Bench clean(reader);
        clean.start(flow);
        const Run run = runFlow(clean, flow);
        outcomes[key] = run.succeeded ? run.outcome : QStringList{"failed without a fault"};
        clearFiles();
    }
    return outcomes[key];
}

QStringList withoutKelvoSerialEnd(QStringList outcome)
{
    const QStringList fields = {QStringLiteral("%1=").arg(int(TagField::KelvoSerialStart)),
                                QStringLiteral("%1=").arg(int(TagField::KelvoSerialEnd))};
    for (QString& entry : outcome) {
        const QString field = entry.section(QLatin1Char('='), 0, 0) + QLatin1Char('=');
        if (fields.contains(field)) {
            entry = entry.left(field.size() + 4);
        } else if (entry.startsWith(QStringLiteral("READ,"))) {
            // The Kelvo serial number is the last field but one of a log line.
            QStringList fields = entry.split(QLatin1Char(','));
            fields[fields.size() - 2] = fields[fields.size() - 2].left(4);
            entry = fields.join(QLatin1Char(','));
        }
    }
    return outcome;
}

void clearFiles()
{
    QSettings(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo")).clear();
    QFile::remove(QStringLiteral("log.txt"));
    for (const QString& name : QDir().entryList({QStringLiteral("LogBox_*.txt")}))
        QFile::remove(name);
}

void addFlowRows(Reader reader, const QList<Flow>& flows)
{
    QTest::addColumn<Flow>("flow");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("exchange");
    for (const Flow flow : flows) {
        clearFiles();
        Bench clean(reader);
        clean.start(flow);
        const int before = clean.exchanges();
        QVERIFY2(runFlow(clean, flow).succeeded, flowName(flow));
        const int exchanges = clean.exchanges() - before;
        QList<Fault> swept = faults();
        if (reader == Reader::Box)
            swept += wholeLookingFaults();
        for (const Fault fault : swept) {
            for (int exchange = 1; exchange <= exchanges; ++exchange) {
                QTest::addRow("%s, %s at exchange %d", flowName(flow), faultName(fault), exchange)
                    << flow << fault << exchange;
            }
        }
    }
    clearFiles();
}

void runFlowRow(Reader reader)
{
    QFETCH(Flow, flow);
    QFETCH(Fault, fault);
    QFETCH(int, exchange);
    const QStringList expected = cleanOutcome(reader, flow);
    Bench bench(reader);
    bench.start(flow);
    const EmulatedKelvoTag& tag = bench.tag();
    const quint32 blockOne = tag.block(1);
    const quint8 threshold = byteAt(tag.block(13), 3);
    const QList<QByteArray> boxLog = boxLogAsLines(bench.box());
    bench.inject(exchange, fault);
    const qint64 waitedBefore = bench.box().emulatedMilliseconds();
    const Run faulty = runFlow(bench, flow);
    QVERIFY2(faulty.honest, qPrintable(faulty.text));
    // A fault costs a few read time-outs of the box at most, never one for each later command.
    const qint64 waited = bench.box().emulatedMilliseconds() - waitedBefore;
    QVERIFY2(waited <= kMostBoxTimeOutsOfARun * qint64(FtdiSerialLink::timeoutMilliseconds),
             qPrintable(QString::number(waited) + QStringLiteral(" ms of time-outs")));
    // One flipped bit in an entry cannot show in a single read: the check before an erase must
    // find it.
    const bool unseenFlip = flow == Flow::ReadFromBox && faulty.succeeded && !savedOnDisk(boxLog);
    const bool done = faulty.succeeded || faulty.warned;
    if (unseenFlip)
        QCOMPARE(fault, Fault::FlippedBit);
    else if (done && exchange == kBlock15ReadExchange && !isTagWrite(flow))
        QCOMPARE(withoutKelvoSerialEnd(faulty.outcome), withoutKelvoSerialEnd(expected));
    else if (done)
        QCOMPARE(faulty.outcome, expected);
    else
        QVERIFY2(faulty.failure != Outcome::Done, failureMessage(faulty));
    // A reader unplugged halfway through a write leaves the tag as far as it got: nothing reaches
    // the tag until it is back, and the next write below must leave it consistent.
    if (fault != Fault::Unplugged) {
        QVERIFY(tag.block(1) == blockOne || checksumAMatches(tag));
        QVERIFY(byteAt(tag.block(13), 3) == threshold || checksumBMatches(tag));
    }
    // An erase happens only when the file on the disk holds the box's log; a download is green
    // only when its file does.
    if (isBoxTabFlow(flow) && bench.box().logEntries().isEmpty())
        QVERIFY(savedOnDisk(boxLog));
    if (unseenFlip) {
        bench.clearFaults();
        QVERIFY(!runFlow(bench, Flow::EraseMemory).succeeded);
        QCOMPARE(boxLogAsLines(bench.box()), boxLog);
    }

    bench.clearFaults();
    if (flow == Flow::EraseMemory) {
        // The erase may have gone through with its answer lost; otherwise the log is read and
        // saved again, and erased.
        runFlow(bench, Flow::ReadFromBox);
        if (!bench.box().logEntries().isEmpty()) {
            const Run erase = runFlow(bench, flow);
            QVERIFY(erase.honest && erase.succeeded);
        }
        QVERIFY(bench.box().logEntries().isEmpty());
        return;
    }
    const Run again = runFlow(bench, flow);
    QVERIFY(again.honest && again.succeeded);
    QCOMPARE(again.outcome, expected);
}

} // namespace FaultSweep
