#include "tests/app/faultsweep.h"
#include "tests/support/kelvotestmain.h"

#include <QTest>

using namespace FaultSweep;

// Every fault the board can show, at every exchange of every tag flow in turn, and at every call
// of the reader search at start-up.
class BoardFaultSweepTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearFiles(); }

    void faultAtEveryExchange_data() { addFlowRows(Reader::Board, tagFlows()); }
    void faultAtEveryExchange() { runFlowRow(Reader::Board); }

    // The window comes up whatever fails, tells of no success, and the first Read finds the board
    // once it works again.
    void faultDuringStartUpSearch_data()
    {
        QTest::addColumn<int>("call");
        QTest::addColumn<bool>("unplug");
        Bench clean(Reader::Board);
        clean.start(Flow::SimplifiedRead);
        const EmulatedCr95hfBoard& board = clean.flowBench().board();
        const int selects = board.calls(EmulatedCr95hfBoard::Call::Select);
        const int calls = board.calls(EmulatedCr95hfBoard::Call::Connect) +
                          board.calls(EmulatedCr95hfBoard::Call::HandleCheck) + selects;
        for (int call = 0; call < calls; ++call)
            QTest::addRow("unplugged after %d calls", call) << call << true;
        for (int select = 1; select <= selects + 1; ++select)
            QTest::addRow("protocol select %d fails", select) << select << false;
    }

    void faultDuringStartUpSearch()
    {
        QFETCH(int, call);
        QFETCH(bool, unplug);
        const QStringList expected = cleanOutcome(Reader::Board, Flow::SimplifiedRead);
        Bench bench(Reader::Board);
        EmulatedCr95hfBoard& board = bench.flowBench().board();
        if (unplug)
            board.unplugAfterCalls(call);
        else
            board.failSelects(call);
        bench.start(Flow::SimplifiedRead);
        for (const QString& text : bench.flowBench().answerer().texts())
            QVERIFY(!text.contains(QStringLiteral("successfull")));

        bench.clearFaults();
        const Run run = clickFlow(bench, Flow::SimplifiedRead);
        QVERIFY(run.honest && run.succeeded);
        QCOMPARE(run.outcome, expected);
    }
};

KELVO_TEST_MAIN(BoardFaultSweepTest)
#include "test_boardfaultsweep.moc"
