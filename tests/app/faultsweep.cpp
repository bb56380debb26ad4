#include "tests/app/faultsweep.h"

#include "drivers/blockvalue.h"
#include "tests/drivers/tagchecks.h"

#include <QFile>
#include <QMap>
#include <QSettings>
#include <QTest>

namespace FaultSweep {
namespace {

const QString kSuccessStyle = QStringLiteral("background-color: #8CC63F;");
const QString kFailureStyle = QStringLiteral("background-color: #FF0000;");
const QStringList kSuccessTexts = {QStringLiteral("Read operation was successfull"),
                                   QStringLiteral("Write operation was successfull")};

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

// The operator's entries, different from what the Kelvo holds in every field a write sends.
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
    }
}

QStringList outcome(Bench& bench, Flow flow)
{
    QStringList state;
    if (isWrite(flow)) {
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

} // namespace

const QList<Flow>& tagFlows()
{
    static const QList<Flow> flows = {Flow::SimplifiedRead, Flow::AdvancedRead,
                                      Flow::SimplifiedWrite, Flow::AdvancedWrite};
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
    default:
        return "Advanced Write";
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

bool isWrite(Flow flow)
{
    return flow == Flow::SimplifiedWrite || flow == Flow::AdvancedWrite;
}

Bench::Bench(Reader reader) : mReader(reader)
{
    if (reader == Reader::Box) {
        mFlowBench.board().setPlugged(false);
        mBox = std::make_unique<EmulatedStandaloneBox>();
        mBox->tag().fillWithPlausibleValues();
        installD2xxLibrary(*mBox);
    }
}

Bench::~Bench()
{
    if (mBox)
        restoreDefaultD2xxLibrary();
}

void Bench::start(Flow flow)
{
    mFlowBench.start();
    if (flow == Flow::AdvancedRead || flow == Flow::AdvancedWrite)
        mFlowBench.showTab(1);
}

EmulatedKelvoTag& Bench::tag()
{
    return mBox ? mBox->tag() : mFlowBench.tag();
}

int Bench::exchanges()
{
    return mBox ? mBox->exchanges() : mFlowBench.board().exchanges();
}

void Bench::inject(int exchange, Fault fault)
{
    if (mReader == Reader::Board) {
        mFlowBench.board().injectFault(exchange, boardFault(fault),
                                       fault == Fault::Unplugged ? 1 : kAttempts);
    } else if (fault == Fault::Unplugged) {
        mBox->unplugAfterExchanges(exchange - 1);
    } else {
        mBox->injectFault(exchange, boxFault(fault), kAttempts);
    }
}

void Bench::clearFaults()
{
    mFlowBench.board().clearFaults();
    if (mBox) {
        mBox->clearFaults();
        mBox->setPlugged(true);
    } else {
        mFlowBench.board().setPlugged(true);
    }
}

Run clickFlow(Bench& bench, Flow flow)
{
    FlowBench& flowBench = bench.flowBench();
    enterNewValues(flowBench, flow);
    flowBench.click(isWrite(flow) ? flowBench.writeButton() : flowBench.readButton());
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
}

void addTagFlowRows(Reader reader)
{
    QTest::addColumn<Flow>("flow");
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("exchange");
    for (const Flow flow : tagFlows()) {
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

void runTagFlowRow(Reader reader)
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
    bench.inject(exchange, fault);
    const Run faulty = clickFlow(bench, flow);
    QVERIFY(faulty.honest);
    if (faulty.succeeded && exchange == kBlock15ReadExchange && !isWrite(flow))
        QCOMPARE(withoutKelvoSerialEnd(faulty.outcome), withoutKelvoSerialEnd(expected));
    else if (faulty.succeeded)
        QCOMPARE(faulty.outcome, expected);
    // A reader unplugged halfway through a write leaves the tag as far as it got: nothing reaches
    // the tag until it is back, and the next write below must leave it consistent.
    if (fault != Fault::Unplugged) {
        QVERIFY(tag.block(1) == blockOne || checksumAMatches(tag));
        QVERIFY(byteAt(tag.block(13), 3) == threshold || checksumBMatches(tag));
    }

    bench.clearFaults();
    const Run again = clickFlow(bench, flow);
    QVERIFY(again.honest && again.succeeded);
    QCOMPARE(again.outcome, expected);
}

} // namespace FaultSweep
