#ifndef FAULTSWEEP_H
#define FAULTSWEEP_H

#include "drivers/outcome.h"

#include <QList>
#include <QMetaType>
#include <QStringList>

// A fault sweep runs a flow once for every fault a reader can show at every exchange of the flow,
// through the emulated board or the emulated box, with the device and the flow classes as the
// window drives them but no window, and compares what each run leaves behind with a run without
// faults.
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
    Unplugged,
    // Box answers that look whole but may belong to another request, or carry a wrong bit.
    AnswerAfterTimeOut,
    DuplicatedAnswer,
    FlippedBit
};

const QList<Flow>& tagFlows();
const QList<Flow>& boxTabFlows();
const QList<Fault>& faults();
// The faults of answers that look whole, swept through the box's own flows.
const QList<Fault>& wholeLookingFaults();
const char* flowName(Flow flow);
const char* faultName(Fault fault);
bool isBoxTabFlow(Flow flow);
bool isTagWrite(Flow flow);

class Bench;

// What a run of a flow told and left behind.
struct Run
{
    // The flow's one result colours the button: green with a success text, or red with any other;
    // a success text that needs attention leaves it as it is, with a warning.
    bool honest = false;
    bool succeeded = false;
    bool warned = false;
    // Why the flow failed, as its result tells; Outcome::Done for a success.
    Outcome failure = Outcome::Done;
    QString text;
    // What the run showed: its progress values, warnings and the texts it put back into fields.
    // Then, for a read of the tag, the record as the tab showed it at its last recordChanged and
    // the last line of the operations log; for a write, the tag's memory apart from the tool's
    // access request flag; for the box tab, the log table's rows, the last lines of the LogBox
    // files, the box's configuration and log, and what the tool holds of them.
    QStringList outcome;
    // The tab's fields at the flow's last recordChanged, and the operations log lines it appended.
    QStringList shown;
    QByteArrayList logLines;
};

// Runs the flow as its button in the window does, with new values entered for a write.
Run runFlow(Bench& bench, Flow flow);

// What the flow leaves behind without faults.
QStringList cleanOutcome(Reader reader, Flow flow);

// A read goes on when block 15 cannot be read, and the last four characters of the Kelvo serial
// number are then not known; this is the outcome without them.
QStringList withoutKelvoSerialEnd(QStringList outcome);

// The exchange of a tag flow that reads block 15: the tenth of the record read, after the five
// exchanges of the tag check and the memory claim.
constexpr int kBlock15ReadExchange = 15;

// Removes the operations log and the LogBox files and clears the tool's settings.
void clearFiles();

// The rows of a sweep: every flow, every fault, every exchange of the flow.
void addFlowRows(Reader reader, const QList<Flow>& flows);

// One row: the flow with the fault must neither crash nor hang, must report honestly, must not
// pass off a wrong outcome as a success, must tell why it failed, must leave the tag's checksums
// covering what it wrote, must not leave the box's log erased unless every entry was saved, and
// the next run must work again once the fault is gone.
void runFlowRow(Reader reader);

// The rows of the Kelvo swap: every tag flow with no answer at every exchange, each run after a
// read of one Kelvo and with another Kelvo put on the reader.
void addSwapRows();

// One swap row: no field shows, and no log line holds, a value of the Kelvo read before that the
// Kelvo on the reader does not share; a write leaves the identity of the Kelvo on the reader as
// it was; and a green result is the clean run's.
void runSwapRow();

} // namespace FaultSweep

Q_DECLARE_METATYPE(FaultSweep::Flow)
Q_DECLARE_METATYPE(FaultSweep::Fault)

#endif
