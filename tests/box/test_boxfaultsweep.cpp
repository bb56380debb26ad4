#include "drivers/kelvodevice.h"
#include "tests/support/faultsweep.h"
#include "tests/support/faultsweepbench.h"
#include "tests/support/kelvotestmain.h"

#include <QTest>

using namespace FaultSweep;

// Every fault the Standalone Box can show, at every exchange of every tag flow through it and of
// every flow of its tab in turn, and at every exchange of the reader search at start-up, which
// finds no board and then the box.
class BoxFaultSweepTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { clearFiles(); }

    void faultAtEveryExchange_data() { addFlowRows(Reader::Box, tagFlows()); }
    void faultAtEveryExchange() { runFlowRow(Reader::Box); }

    void faultInTheBoxTab_data() { addFlowRows(Reader::Box, boxTabFlows()); }
    void faultInTheBoxTab() { runFlowRow(Reader::Box); }

    // A box that restarts behind its converter keeps the converter's handle alive but forgets its
    // protocol selection: the Read that meets it fails and tells why, and the next one opens the
    // link again.
    void recoversFromARestartOfTheBox()
    {
        const QStringList expected = cleanOutcome(Reader::Box, Flow::SimplifiedRead);
        Bench bench(Reader::Box);
        bench.start(Flow::SimplifiedRead);
        bench.box().restart();
        const Run failed = runFlow(bench, Flow::SimplifiedRead);
        QVERIFY(failed.honest && !failed.succeeded);
        QVERIFY(failed.failure != Outcome::Done);
        const Run again = runFlow(bench, Flow::SimplifiedRead);
        QVERIFY(again.honest && again.succeeded);
        QCOMPARE(again.outcome, expected);
    }

    // The search at start-up tells why it found no reader, and the first Read finds the box once
    // it works again.
    void faultDuringStartUpSearch_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("exchange");
        Bench clean(Reader::Box);
        clean.start(Flow::SimplifiedRead);
        for (const Fault fault : faults()) {
            for (int exchange = 1; exchange <= clean.exchanges(); ++exchange) {
                QTest::addRow("%s at exchange %d", faultName(fault), exchange) << fault << exchange;
            }
        }
    }

    void faultDuringStartUpSearch()
    {
        QFETCH(Fault, fault);
        QFETCH(int, exchange);
        const QStringList expected = cleanOutcome(Reader::Box, Flow::SimplifiedRead);
        Bench bench(Reader::Box);
        bench.inject(exchange, fault);
        const bool found = bench.start(Flow::SimplifiedRead);
        QCOMPARE(bench.device().lastOutcome() == Outcome::Done, found);

        bench.clearFaults();
        const Run run = runFlow(bench, Flow::SimplifiedRead);
        QVERIFY(run.honest && run.succeeded);
        QCOMPARE(run.outcome, expected);
    }
};

KELVO_TEST_MAIN(BoxFaultSweepTest)
#include "test_boxfaultsweep.moc"
