#ifndef FAULTSWEEP_H
#define FAULTSWEEP_H

#include "platform/emulatedstandalonebox.h"
#include "tests/app/flowbench.h"

#include <QMetaType>
#include <QStringList>

#include <memory>

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
    AdvancedWrite
};

enum class Fault
{
    NoAnswer,
    ShortAnswer,
    Garbage,
    FfEcho,
    Unplugged
};

const QList<Flow>& tagFlows();
const QList<Fault>& faults();
const char* flowName(Flow flow);
const char* faultName(Fault fault);
bool isWrite(Flow flow);

// The window on one reader holding a configured Kelvo: the emulated board, or the emulated box
// with no board attached.
class Bench
{
public:
    explicit Bench(Reader reader);
    ~Bench();

    // Builds the window and shows the flow's tab.
    void start(Flow flow);
    FlowBench& flowBench() { return mFlowBench; }
    EmulatedKelvoTag& tag();
    EmulatedStandaloneBox& box() { return *mBox; }
    int exchanges();
    // Spoils the exchange-th exchange from now, and the attempts of the same block operation
    // that follow it; an unplugged reader stays unplugged.
    void inject(int exchange, Fault fault);
    // Forgets the faults still waiting and plugs the reader back in.
    void clearFaults();

private:
    Reader mReader;
    // The box outlives the window, whose driver closes its link to the box.
    std::unique_ptr<EmulatedStandaloneBox> mBox;
    FlowBench mFlowBench;
};

// What a run of a flow told and left behind.
struct Run
{
    // Exactly one outcome box, shown with the button coloured: green with a success text, or red
    // with any other.
    bool honest = false;
    bool succeeded = false;
    // For a read, every field of the window and the last log line; for a write, the tag's memory
    // apart from the tool's access request flag.
    QStringList outcome;
};

// Enters new values for a write, clicks the flow's button and reads what came of it.
Run clickFlow(Bench& bench, Flow flow);

// What the flow leaves behind without faults.
QStringList cleanOutcome(Reader reader, Flow flow);

// A read goes on when block 15 cannot be read, the last four characters of the Kelvo serial
// number keeping what the record held before; this is the outcome without them.
QStringList withoutKelvoSerialEnd(QStringList outcome);

// The exchange of a tag flow that reads block 15: the tenth of the record read, after the five
// exchanges of the tag check and the memory claim.
constexpr int kBlock15ReadExchange = 15;

// Removes the operations log and clears the tool's settings.
void clearFiles();

// The rows of a sweep over the tag flows: every flow, every fault, every exchange of the flow.
void addTagFlowRows(Reader reader);

// One row: the flow with the fault must neither crash nor hang, must report honestly, must not
// pass off a wrong outcome as a success, must leave the tag's checksums covering what it wrote,
// and the next click must work again once the fault is gone.
void runTagFlowRow(Reader reader);

} // namespace FaultSweep

Q_DECLARE_METATYPE(FaultSweep::Flow)
Q_DECLARE_METATYPE(FaultSweep::Fault)

#endif
