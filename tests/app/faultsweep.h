#ifndef FAULTSWEEP_H
#define FAULTSWEEP_H

#include "emulation/emulatedstandalonebox.h"
#include "tests/app/flowbench.h"

#include <QMetaType>
#include <QStringList>

// A fault sweep runs a flow of the window once for every fault a reader can show at every
// exchange of the flow, through the emulated board or the emulated box, and compares what each
// run leaves behind with a run without faults.
namespace FaultSweep {

enum class Reader
{
    Board,
    Box
};

enum class Flow
{
    SimplifiedRead,
    AdvancedRead,
    SimplifiedWrite,
    AdvancedWrite,
    // The flows of the Standalone Box tab, on a box whose log holds kBoxLogEntries entries.
    ReadFromBox,
    ConfigureBox,
    // Erase Memory, after a download that saved the whole log.
    EraseMemory
};

constexpr int kBoxLogEntries = 3;

enum class Fault
{
    NoAnswer,
    ShortAnswer,
    Garbage,
    FfEcho,
    Unplugged
};

const QList<Flow>& tagFlows();
const QList<Flow>& boxTabFlows();
const QList<Fault>& faults();
const char* flowName(Flow flow);
const char* faultName(Fault fault);

// The window on one reader holding a configured Kelvo: the emulated board, or the emulated box
// with no board attached.
class Bench
{
public:
    explicit Bench(Reader reader);

    // Builds the window and shows the flow's tab, ready for the flow.
    void start(Flow flow);
    FlowBench& flowBench() { return mFlowBench; }
    EmulatedKelvoTag& tag();
    EmulatedStandaloneBox& box() { return mFlowBench.box(); }
    int exchanges();
    // Spoils the exchange-th exchange from now, and the attempts of the same block operation
    // that follow it; an unplugged reader stays unplugged.
    void inject(int exchange, Fault fault);
    // Forgets the faults still waiting and plugs the reader back in.
    void clearFaults();

private:
    Reader mReader;
    FlowBench mFlowBench;
};

// What a run of a flow told and left behind.
struct Run
{
    // Exactly one outcome box, shown with the button coloured: green with a success text, or red
    // with any other.
    bool honest = false;
    bool succeeded = false;
    // For a read of the tag, every field of the window and the last log line; for a write, the
    // tag's memory apart from the tool's access request flag; for the box tab, the table, the
    // last lines of the LogBox file and the box's configuration and log.
    QStringList outcome;
};

// Enters new values for a write, clicks the flow's button and reads what came of it. An erase
// that fails is also honest when it refuses with its reason.
Run clickFlow(Bench& bench, Flow flow);

// What the flow leaves behind without faults.
QStringList cleanOutcome(Reader reader, Flow flow);

// A read goes on when block 15 cannot be read, the last four characters of the Kelvo serial
// number keeping what the record held before; this is the outcome without them.
QStringList withoutKelvoSerialEnd(QStringList outcome);

// The exchange of a tag flow that reads block 15: the tenth of the record read, after the five
// exchanges of the tag check and the memory claim.
constexpr int kBlock15ReadExchange = 15;

// Removes the operations log and the LogBox files and clears the tool's settings.
void clearFiles();

// The rows of a sweep: every flow, every fault, every exchange of the flow.
void addFlowRows(Reader reader, const QList<Flow>& flows);

// One row: the flow with the fault must neither crash nor hang, must report honestly, must not
// pass off a wrong outcome as a success, must leave the tag's checksums covering what it wrote,
// must not leave the box's log erased unless every entry was saved, and the next click must work
// again once the fault is gone.
void runFlowRow(Reader reader);

} // namespace FaultSweep

Q_DECLARE_METATYPE(FaultSweep::Flow)
Q_DECLARE_METATYPE(FaultSweep::Fault)

#endif
