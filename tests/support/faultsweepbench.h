#ifndef FAULTSWEEPBENCH_H
#define FAULTSWEEPBENCH_H

#include "emulation/emulatedcr95hfboard.h"
#include "emulation/emulatedstandalonebox.h"
#include "tests/support/faultsweep.h"

#include <memory>

class BoxLogDownload;
class KelvoDevice;

namespace FaultSweep {

// The tool's device on one reader holding a configured Kelvo, as the window holds it: the
// emulated board, or the emulated box with no board attached. The memory-access retries do not
// pause.
class Bench
{
public:
    explicit Bench(Reader reader);
    ~Bench();
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    // Creates the device as the window does on start-up, with the tool's settings, and searches
    // for a reader; then readies the flow as the window does before its button is clicked: the
    // box tab reads the box's settings when it is shown, and Erase Memory follows a download.
    // True when the search found a reader; for the tag flows nothing reaches the device after it.
    bool start(Flow flow);
    KelvoDevice& device() { return *mDevice; }
    // Kept across the flows, as the window keeps it: it knows whether the log was saved whole.
    BoxLogDownload& boxLogDownload() { return *mBoxLogDownload; }
    EmulatedCr95hfBoard& board() { return mBoard; }
    EmulatedStandaloneBox& box() { return mBox; }
    EmulatedKelvoTag& tag();
    int exchanges() const;
    // Spoils the exchange-th exchange from now, and the attempts of the same block operation
    // that follow it; an unplugged reader stays unplugged.
    void inject(int exchange, Fault fault);
    // Forgets the faults still waiting and plugs the reader back in.
    void clearFaults();

private:
    Reader mReader;
    EmulatedCr95hfBoard mBoard;
    EmulatedStandaloneBox mBox;
    std::unique_ptr<KelvoDevice> mDevice;
    std::unique_ptr<BoxLogDownload> mBoxLogDownload;
};

} // namespace FaultSweep

#endif
