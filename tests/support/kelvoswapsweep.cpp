#include "drivers/kelvodevice.h"
#include "tests/support/faultsweep.h"
#include "tests/support/faultsweepbench.h"

#include <QMap>
#include <QTest>

namespace FaultSweep {
namespace {

// One Kelvo read as the Simplified tab reads it, then another put on the reader.
Run readThenSwap(Bench& bench, Flow flow)
{
    bench.start(flow);
    const Run first = runFlow(bench, Flow::SimplifiedRead);
    bench.tag().fillAsAnotherKelvo();
    return first;
}

// The run without a fault; the Simplified Read's tells what the second Kelvo holds.
const Run& cleanSwapRun(Flow flow)
{
    static QMap<Flow, Run> runs;
    if (!runs.contains(flow)) {
        clearFiles();
        Bench bench(Reader::Board);
        readThenSwap(bench, flow);
        runs[flow] = runFlow(bench, flow);
        clearFiles();
    }
    return runs[flow];
}

// The fields of a log line after its date and time.
QStringList logFields(const QByteArray& line)
{
    QStringList fields;
    for (const QByteArray& field : line.split(',').mid(2))
        fields << QString::fromLatin1(field);
    return fields;
}

// Where the two Kelvos differ, no value is the first's.
void verifyNoneOf(const QStringList& values, const QStringList& first, const QStringList& second)
{
    for (int index = 0; index < values.size(); ++index) {
        if (first.value(index) != second.value(index))
            QVERIFY2(values.at(index) != first.value(index), qPrintable(values.at(index)));
    }
}

// The serial number, battery threshold and Kelvo serial number on the tag.
QList<quint32> identity(const EmulatedKelvoTag& tag)
{
    return {tag.block(5),         tag.block(6),  tag.block(7) >> 16,
            tag.block(13) & 0xFF, tag.block(14), tag.block(15)};
}

} // namespace

void addSwapRows()
{
    QTest::addColumn<Flow>("flow");
    QTest::addColumn<int>("exchange");
    for (const Flow flow : tagFlows()) {
        clearFiles();
        Bench clean(Reader::Board);
        readThenSwap(clean, flow);
        const int before = clean.exchanges();
        QVERIFY2(runFlow(clean, flow).succeeded, flowName(flow));
        for (int exchange = 1; exchange <= clean.exchanges() - before; ++exchange)
            QTest::addRow("%s, no answer at exchange %d", flowName(flow), exchange)
                << flow << exchange;
    }
    clearFiles();
}

void runSwapRow()
{
    QFETCH(Flow, flow);
    QFETCH(int, exchange);
    const Run& expected = cleanSwapRun(flow);
    const Run& second = cleanSwapRun(Flow::SimplifiedRead);
    Bench bench(Reader::Board);
    const Run first = readThenSwap(bench, flow);
    const QList<quint32> identityBefore = identity(bench.tag());
    bench.inject(exchange, Fault::NoAnswer);
    const Run run = runFlow(bench, flow);
    QVERIFY2(run.honest, qPrintable(run.text));
    verifyNoneOf(run.shown, first.shown, second.shown);
    for (const QByteArray& line : run.logLines) {
        verifyNoneOf(logFields(line), logFields(first.logLines.value(0)),
                     logFields(second.logLines.value(0)));
    }
    // The entries were typed for the Kelvo read before.
    QCOMPARE(identity(bench.tag()), identityBefore);
    if (run.succeeded && exchange == kBlock15ReadExchange && !isTagWrite(flow))
        QCOMPARE(withoutKelvoSerialEnd(run.outcome), withoutKelvoSerialEnd(expected.outcome));
    else if (run.succeeded)
        QCOMPARE(run.outcome, expected.outcome);
}

} // namespace FaultSweep
