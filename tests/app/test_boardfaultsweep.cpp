#include "app/buildvariant.h"
#include "tests/app/flowbench.h"
#include "tests/drivers/tagchecks.h"
#include "tests/support/kelvotestmain.h"

#include <QFile>
#include <QMap>
#include <QSettings>
#include <QTest>

using Fault = EmulatedCr95hfBoard::Fault;

namespace {

const QString kSuccessStyle = QStringLiteral("background-color: #8CC63F;");
const QString kFailureStyle = QStringLiteral("background-color: #FF0000;");
const QStringList kSuccessTexts = {QStringLiteral("Read operation was successfull"),
                                   QStringLiteral("Write operation was successfull")};

enum class Flow
{
    SimplifiedRead,
    AdvancedRead,
    SimplifiedWrite,
    AdvancedWrite
};

bool isWrite(Flow flow)
{
    return flow == Flow::SimplifiedWrite || flow == Flow::AdvancedWrite;
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
    case Fault::FailedCall:
        return "no answer";
    case Fault::ShortAnswer:
        return "short answer";
    case Fault::NonHexAnswer:
        return "garbage";
    case Fault::FfFilledAnswer:
        return "0xFF echo";
    default:
        return "unplugged";
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

// What a run of the flow leaves behind, to be compared with a run without faults: for a read,
// every field of the window and the last log line; for a write, the tag's memory, apart from the
// tool's access request flag.
QStringList outcome(FlowBench& bench, Flow flow)
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
    for (const QLineEdit* field : bench.window().findChildren<QLineEdit*>())
        state << field->objectName() + QLatin1Char('=') + field->text();
    for (const QComboBox* list : bench.window().findChildren<QComboBox*>())
        state << list->objectName() + QLatin1Char('=') + list->currentText();
    state << FlowBench::logLines().value(FlowBench::logLines().size() - 1);
    return state;
}

// A read goes on when block 15 cannot be read, the last four characters of the Kelvo serial
// number keeping what the record held before. Block 15 is read in the tenth exchange of the record
// read, after the five exchanges of the tag check and the memory claim.
constexpr int kBlock15ReadExchange = 15;

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

struct Run
{
    bool honest = false;
    bool succeeded = false;
    QStringList outcome;
};

// Clicks the flow's button once on a started bench. The run counts as a success only when its
// report is honest and says so: exactly one outcome box (the one shown with the button coloured),
// telling of success with the button green.
Run clickFlow(FlowBench& bench, Flow flow)
{
    enterNewValues(bench, flow);
    bench.click(isWrite(flow) ? bench.writeButton() : bench.readButton());
    QList<SeenDialog> outcomes;
    for (const SeenDialog& dialog : bench.answerer().seen()) {
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

void startOnTab(FlowBench& bench, Flow flow)
{
    bench.start();
    if (flow == Flow::AdvancedRead || flow == Flow::AdvancedWrite)
        bench.showTab(1);
}

// What each flow leaves behind without faults, run once per flow.
QStringList cleanOutcome(Flow flow)
{
    static QMap<Flow, QStringList> outcomes;
    if (!outcomes.contains(flow)) {
        QFile::remove(QStringLiteral("log.txt"));
        FlowBench clean;
        startOnTab(clean, flow);
        const Run run = clickFlow(clean, flow);
        outcomes[flow] = run.succeeded ? run.outcome : QStringList{"failed without a fault"};
        QFile::remove(QStringLiteral("log.txt"));
    }
    return outcomes[flow];
}

} // namespace

Q_DECLARE_METATYPE(Flow)
Q_DECLARE_METATYPE(Fault)

// Every fault the reader can show, at every exchange of every tag flow in turn: the tool must not
// crash or hang, must not report a failed flow as done, must leave the tag's checksums covering
// what it changed, and must work again at the next click once the fault is gone.
class BoardFaultSweepTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo")).clear();
        QFile::remove(QStringLiteral("log.txt"));
    }

    void faultAtEveryExchange_data()
    {
        QTest::addColumn<Flow>("flow");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("exchange");
        for (const Flow flow : {Flow::SimplifiedRead, Flow::AdvancedRead, Flow::SimplifiedWrite,
                                Flow::AdvancedWrite}) {
            init();
            FlowBench clean;
            startOnTab(clean, flow);
            const int before = clean.board().exchanges();
            QVERIFY2(clickFlow(clean, flow).succeeded, flowName(flow));
            const int exchanges = clean.board().exchanges() - before;
            for (const Fault fault : {Fault::FailedCall, Fault::ShortAnswer, Fault::NonHexAnswer,
                                      Fault::FfFilledAnswer, Fault::Unplugged}) {
                for (int exchange = 1; exchange <= exchanges; ++exchange) {
                    QTest::addRow("%s, %s at exchange %d", flowName(flow), faultName(fault),
                                  exchange)
                        << flow << fault << exchange;
                }
            }
        }
    }

    void faultAtEveryExchange()
    {
        QFETCH(Flow, flow);
        QFETCH(Fault, fault);
        QFETCH(int, exchange);
        const QStringList expected = cleanOutcome(flow);
        FlowBench bench;
        startOnTab(bench, flow);
        const EmulatedKelvoTag& tag = bench.tag();
        const quint32 blockOne = tag.block(1);
        const quint8 threshold = byteAt(tag.block(13), 3);
        // A fault that lasts through every attempt of the block operation it hits.
        bench.board().injectFault(exchange, fault, fault == Fault::Unplugged ? 1 : 3);
        const Run faulty = clickFlow(bench, flow);
        QVERIFY(faulty.honest);
        if (faulty.succeeded && exchange == kBlock15ReadExchange && !isWrite(flow))
            QCOMPARE(withoutKelvoSerialEnd(faulty.outcome), withoutKelvoSerialEnd(expected));
        else if (faulty.succeeded)
            QCOMPARE(faulty.outcome, expected);
        // A board unplugged halfway through a write leaves the tag as far as it got: nothing
        // reaches the tag until it is back, and the next write below must leave it consistent.
        if (fault != Fault::Unplugged) {
            QVERIFY(tag.block(1) == blockOne || checksumAMatches(tag));
            QVERIFY(byteAt(tag.block(13), 3) == threshold || checksumBMatches(tag));
        }

        bench.board().clearFaults();
        bench.board().setPlugged(true);
        const Run again = clickFlow(bench, flow);
        QVERIFY(again.honest && again.succeeded);
        QCOMPARE(again.outcome, expected);
    }

    // The reader search at start-up, with the board failing at each of its calls in turn: the
    // window comes up, and the first Read finds the board once it works again.
    void faultDuringStartUpSearch_data()
    {
        QTest::addColumn<int>("call");
        QTest::addColumn<bool>("unplug");
        FlowBench clean;
        clean.start();
        const int calls = clean.board().calls(EmulatedCr95hfBoard::Call::Connect) +
                          clean.board().calls(EmulatedCr95hfBoard::Call::HandleCheck) +
                          clean.board().calls(EmulatedCr95hfBoard::Call::Select);
        for (int call = 0; call < calls; ++call)
            QTest::addRow("unplugged after %d calls", call) << call << true;
        const int selects = clean.board().calls(EmulatedCr95hfBoard::Call::Select);
        for (int select = 1; select <= selects + 1; ++select)
            QTest::addRow("protocol select %d fails", select) << select << false;
    }

    void faultDuringStartUpSearch()
    {
        QFETCH(int, call);
        QFETCH(bool, unplug);
        const QStringList expected = cleanOutcome(Flow::SimplifiedRead);
        FlowBench bench;
        if (unplug)
            bench.board().unplugAfterCalls(call);
        else
            bench.board().failSelects(call);
        bench.start();
        for (const SeenDialog& dialog : bench.answerer().seen())
            QVERIFY(!kSuccessTexts.contains(dialog.text));

        bench.board().clearFaults();
        bench.board().setPlugged(true);
        const Run run = clickFlow(bench, Flow::SimplifiedRead);
        QVERIFY(run.honest && run.succeeded);
        QCOMPARE(run.outcome, expected);
    }
};

KELVO_TEST_MAIN(BoardFaultSweepTest)
#include "test_boardfaultsweep.moc"
