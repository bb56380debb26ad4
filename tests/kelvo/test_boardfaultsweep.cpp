#include "drivers/kelvodevice.h"
#include "tests/support/faultsweep.h"
#include "tests/support/faultsweepbench.h"
#include "tests/support/kelvotestmain.h"

#include <QTest>

using namespace FaultSweep;

// Every fault the board can show, at every exchange of every tag flow in turn, also after a Kelvo
// swap, and at every call of the reader search at start-up.
class BoardFaultSweepTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearFiles(); }

    void faultAtEveryExchange_data() { addFlowRows(Reader::Board, tagFlows()); }
    void faultAtEveryExchange() { runFlowRow(Reader::Board); }

    // One Kelvo read, another put on the reader, and no answer at each exchange of the flow.
    void noValueOfAnotherKelvo_data() { addSwapRows(); }
    void noValueOfAnotherKelvo() { runSwapRow(); }

    // The search at start-up tells why it found no reader, and the first Read finds the board
    // once it works again.
    void faultDuringStartUpSearch_data()
    {
        QTest::addColumn<int>("call");
        QTest::addColumn<bool>("unplug");
        Bench clean(Reader::Board);
        clean.start(Flow::SimplifiedRead);
        const EmulatedCr95hfBoard& board = clean.board();
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
        if (unplug)
            bench.board().unplugAfterCalls(call);
        else
            bench.board().failSelects(call);
        const bool found = bench.start(Flow::SimplifiedRead);
        QCOMPARE(bench.device().lastOutcome() == Outcome::Done, found);

        bench.clearFaults();
        const Run run = runFlow(bench, Flow::SimplifiedRead);
        QVERIFY(run.honest && run.succeeded);
        QCOMPARE(run.outcome, expected);
    }
};

KELVO_TEST_MAIN(BoardFaultSweepTest)
#include "test_boardfaultsweep.moc"
