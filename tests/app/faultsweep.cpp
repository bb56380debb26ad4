#include "tests/app/faultsweep.h"

#include "drivers/blockvalue.h"
#include "tests/drivers/tagchecks.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

namespace FaultSweep {
namespace {

const QString kSuccessStyle = QStringLiteral("background-color: #8CC63F;");
const QString kFailureStyle = QStringLiteral("background-color: #FF0000;");
const QStringList kSuccessTexts = {QStringLiteral("Read operation was successfull"),
                                   QStringLiteral("Write operation was successfull"),
                                   QStringLiteral("Erase operation was successfull")};
constexpr int kBoxTab = 3;
// 1 March 2024 14:05:09, in seconds since 2010.
constexpr quint32 kFirstStamp = 0x1aa4a595;

// Three failures in a row use up every attempt of a block operation.
constexpr int kAttempts = 3;

EmulatedCr95hfBoard::Fault boardFault(Fault fault)
{
    switch (fault) {
    case Fault::NoAnswer:
        return EmulatedCr95hfBoard::Fault::FailedCall;
    case Fault::ShortAnswer:
        return EmulatedCr95hfBoard::Fault::ShortAnswer;
    case Fault::Garbage:
        return EmulatedCr95hfBoard::Fault::NonHexAnswer;
    case Fault::FfEcho:
        return EmulatedCr95hfBoard::Fault::FfFilledAnswer;
    default:
        return EmulatedCr95hfBoard::Fault::Unplugged;
    }
}

EmulatedStandaloneBox::Fault boxFault(Fault fault)
{
    switch (fault) {
    case Fault::NoAnswer:
        return EmulatedStandaloneBox::Fault::NoAnswer;
    case Fault::ShortAnswer:
        return EmulatedStandaloneBox::Fault::ShortAnswer;
    case Fault::Garbage:
        return EmulatedStandaloneBox::Fault::Garbage;
    default:
        return EmulatedStandaloneBox::Fault::FfEcho;
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

// The operator's entries, different from what the Kelvo or the box holds in every field a write
// sends.
void enterNewValues(FlowBench& bench, Flow flow)
{
    if (flow == Flow::SimplifiedWrite) {
        bench.find<QComboBox>("Cmb_Depth")->setCurrentText(QStringLiteral("75"));
        bench.find<QComboBox>("Cmb_Filter")->setCurrentText(QStringLiteral("7"));
        bench.field("LnEd_SerialNumberKelvo")->setText(QStringLiteral("KLV00099"));
        bench.field("LnEd_SerialNumber")->setText(QStringLiteral("SN00000001"));
        bench.field("LnEd_BatMin")->setText(QStringLiteral("3500"));
    } else if (flow == Flow::AdvancedWrite) {
        bench.field("LnEd_ActivationDepth_Adv")->setText(QStringLiteral("120"));
        bench.field("LnEd_Filter_Adv")->setText(QStringLiteral("9"));
        bench.field("LnEd_SerialNumberKelvo_Adv")->setText(QStringLiteral("KLV00100"));
        bench.field("LnEd_SerialNumber_Adv")->setText(QStringLiteral("SN00000002"));
        bench.field("LnEd_BatMin_Adv")->setText(QStringLiteral("3400"));
    } else if (flow == Flow::ConfigureBox) {
        bench.field("LnEd_ActivationDepth_SBox")->setText(QStringLiteral("120"));
        bench.field("LnEd_Filter_SBox")->setText(QStringLiteral("9"));
    }
}

QPushButton* flowButton(FlowBench& bench, Flow flow)
{
    if (flow == Flow::EraseMemory)
        return bench.find<QPushButton>("Erase_SBox");
    const bool write = isTagWrite(flow) || flow == Flow::ConfigureBox;
    return write ? bench.writeButton() : bench.readButton();
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

QStringList tableState(FlowBench& bench)
{
    const auto* table = bench.find<QTableWidget>("SBoxData");
    QStringList state{QStringLiteral("%1x%2").arg(table->rowCount()).arg(table->columnCount())};
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column) {
            const QTableWidgetItem* item = table->item(row, column);
            cells << (item != nullptr ? item->text() : QString());
        }
        state << cells.join(QLatin1Char('|'));
    }
    return state;
}

QStringList boxTabOutcome(Bench& bench, Flow flow)
{
    FlowBench& flowBench = bench.flowBench();
    QStringList state = tableState(flowBench);
    state << QStringLiteral("box log %1").arg(bench.box().logEntries().size());
    state << QStringLiteral("box config %1 %2")
                 .arg(bench.box().activationDepth())
                 .arg(bench.box().filter());
    state
        << QStringLiteral("erase shown %1").arg(!flowBench.find<QWidget>("Erase_SBox")->isHidden());
    if (flow == Flow::ReadFromBox) {
        const QList<QByteArray> lines = logBoxLines();
        for (const QByteArray& line : lines.mid(lines.size() - kBoxLogEntries))
            state << QString::fromLatin1(line);
    }
    if (flow == Flow::ConfigureBox) {
        state << flowBench.field("LnEd_ActivationDepth_SBox")->text()
              << flowBench.field("LnEd_Filter_SBox")->text();
    }
    return state;
}

QStringList outcome(Bench& bench, Flow flow)
{
    if (isBoxTabFlow(flow))
        return boxTabOutcome(bench, flow);
    QStringList state;
    if (isTagWrite(flow)) {
        for (quint16 block = 0; block < EmulatedKelvoTag::blockCount; ++block) {
            const quint32 value =
                block == 0 ? withByteAt(bench.tag().block(0), 1, 0) : bench.tag().block(block);
            state << QString::number(value, 16);
        }
        return state;
    }
    const MainWindow& window = bench.flowBench().window();
    for (const QLineEdit* field : window.findChildren<QLineEdit*>())
        state << field->objectName() + QLatin1Char('=') + field->text();
    for (const QComboBox* list : window.findChildren<QComboBox*>())
        state << list->objectName() + QLatin1Char('=') + list->currentText();
    const QStringList log = FlowBench::logLines();
    state << log.value(log.size() - 1);
    return state;
}

// The box's log holds kBoxLogEntries entries of the Kelvo in its field, a minute apart.
void fillBoxLog(EmulatedStandaloneBox& box)
{
    std::array<quint32, EmulatedKelvoTag::blockCount> blocks{};
    for (quint16 block = 0; block < EmulatedKelvoTag::blockCount; ++block)
        blocks[block] = box.tag().block(block);
    for (int index = 0; index < kBoxLogEntries; ++index) {
        box.appendLogEntry(EmulatedStandaloneBox::logEntry(kFirstStamp + 60u * quint32(index),
                                                           index == 0, blocks));
    }
}

// Every entry the box held is in a LogBox file, whatever became of the box's log.
bool boxLogEntriesSaved(const QStringList& expectedLines)
{
    const QList<QByteArray> lines = logBoxLines();
    for (const QString& line : expectedLines) {
        if (!lines.contains(line.toLatin1()))
            return false;
    }
    return true;
}

} // namespace

const QList<Flow>& tagFlows()
{
    static const QList<Flow> flows = {Flow::SimplifiedRead, Flow::AdvancedRead,
                                      Flow::SimplifiedWrite, Flow::AdvancedWrite};
    return flows;
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
    default:
        return "unplugged";
    }
}

Bench::Bench(Reader reader) : mReader(reader)
{
    if (reader == Reader::Box)
        mFlowBench.useStandaloneBox();
}

void Bench::start(Flow flow)
{
    if (isBoxTabFlow(flow))
        fillBoxLog(box());
    mFlowBench.start();
    if (flow == Flow::AdvancedRead || flow == Flow::AdvancedWrite)
        mFlowBench.showTab(1);
    if (isBoxTabFlow(flow))
        mFlowBench.showTab(kBoxTab);
    if (flow == Flow::EraseMemory)
        mFlowBench.click(mFlowBench.readButton());
}

EmulatedKelvoTag& Bench::tag()
{
    return mReader == Reader::Box ? box().tag() : mFlowBench.tag();
}

int Bench::exchanges()
{
    return mReader == Reader::Box ? box().exchanges() : mFlowBench.board().exchanges();
}

void Bench::inject(int exchange, Fault fault)
{
    if (mReader == Reader::Board) {
        mFlowBench.board().injectFault(exchange, boardFault(fault),
                                       fault == Fault::Unplugged ? 1 : kAttempts);
    } else if (fault == Fault::Unplugged) {
        box().unplugAfterExchanges(exchange - 1);
    } else {
        box().injectFault(exchange, boxFault(fault), kAttempts);
    }
}

void Bench::clearFaults()
{
    mFlowBench.board().clearFaults();
    box().clearFaults();
    if (mReader == Reader::Box)
        box().setPlugged(true);
    else
        mFlowBench.board().setPlugged(true);
}

Run clickFlow(Bench& bench, Flow flow)
{
    FlowBench& flowBench = bench.flowBench();
    enterNewValues(flowBench, flow);
    flowBench.click(flowButton(flowBench, flow));
    QList<SeenDialog> outcomes;
    for (const SeenDialog& dialog : flowBench.answerer().seen()) {
        if (!dialog.watchedButtonStyle.isEmpty())
            outcomes << dialog;
    }
    Run run;
    if (outcomes.size() == 1) {
        const bool toldSuccess = kSuccessTexts.contains(outcomes[0].text);
        const QString style = outcomes[0].watchedButtonStyle;
        run.succeeded = toldSuccess && style == kSuccessStyle;
        run.honest = toldSuccess ? style == kSuccessStyle : style == kFailureStyle;
    }
    run.outcome = outcome(bench, flow);
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
        const Run run = clickFlow(clean, flow);
        outcomes[key] = run.succeeded ? run.outcome : QStringList{"failed without a fault"};
        clearFiles();
    }
    return outcomes[key];
}

QStringList withoutKelvoSerialEnd(QStringList outcome)
{
    for (QString& entry : outcome) {
        if (entry.startsWith(QStringLiteral("LnEd_SerialNumberKelvo")))
            entry.chop(4);
        else if (entry.startsWith(QStringLiteral("READ,")))
            entry.remove(entry.lastIndexOf(QLatin1Char(',')) - 4, 4);
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
        QVERIFY2(clickFlow(clean, flow).succeeded, flowName(flow));
        const int exchanges = clean.exchanges() - before;
        for (const Fault fault : faults()) {
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
    // The LogBox lines of a whole download are the last lines of its outcome.
    const QStringList download =
        isBoxTabFlow(flow) ? cleanOutcome(reader, Flow::ReadFromBox) : QStringList();
    const QStringList savedBoxLog = download.mid(download.size() - kBoxLogEntries);
    Bench bench(reader);
    bench.start(flow);
    const EmulatedKelvoTag& tag = bench.tag();
    const quint32 blockOne = tag.block(1);
    const quint8 threshold = byteAt(tag.block(13), 3);
    bench.inject(exchange, fault);
    const Run faulty = clickFlow(bench, flow);
    QVERIFY(faulty.honest);
    if (faulty.succeeded && exchange == kBlock15ReadExchange && !isTagWrite(flow))
        QCOMPARE(withoutKelvoSerialEnd(faulty.outcome), withoutKelvoSerialEnd(expected));
    else if (faulty.succeeded)
        QCOMPARE(faulty.outcome, expected);
    // A reader unplugged halfway through a write leaves the tag as far as it got: nothing reaches
    // the tag until it is back, and the next write below must leave it consistent.
    if (fault != Fault::Unplugged) {
        QVERIFY(tag.block(1) == blockOne || checksumAMatches(tag));
        QVERIFY(byteAt(tag.block(13), 3) == threshold || checksumBMatches(tag));
    }
    if (isBoxTabFlow(flow) && bench.box().logEntries().isEmpty())
        QVERIFY(boxLogEntriesSaved(savedBoxLog));

    bench.clearFaults();
    if (flow == Flow::EraseMemory) {
        // The erase may have gone through with its answer lost; otherwise the log is read and
        // saved again, and erased.
        clickFlow(bench, Flow::ReadFromBox);
        if (!bench.box().logEntries().isEmpty()) {
            const Run erase = clickFlow(bench, flow);
            QVERIFY(erase.honest && erase.succeeded);
        }
        QVERIFY(bench.box().logEntries().isEmpty());
        return;
    }
    const Run again = clickFlow(bench, flow);
    QVERIFY(again.honest && again.succeeded);
    QCOMPARE(again.outcome, expected);
}

} // namespace FaultSweep
