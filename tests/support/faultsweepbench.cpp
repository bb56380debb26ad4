#include "tests/support/faultsweepbench.h"

#include "app/buildvariant.h"
#include "app/toolsetup.h"
#include "box/boxconfiguration.h"
#include "box/boxlogdownload.h"
#include "drivers/kelvodevice.h"
#include "platform/cr95hflibrary.h"
#include "platform/d2xxlibrary.h"

#include <QDateTime>

namespace FaultSweep {
namespace {

// 1 March 2024 14:05:09, in seconds since 2010.
constexpr quint32 kFirstStamp = 0x1aa4a595;

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
    case Fault::AnswerAfterTimeOut:
        return EmulatedStandaloneBox::Fault::AnswerAfterTimeOut;
    case Fault::DuplicatedAnswer:
        return EmulatedStandaloneBox::Fault::DuplicatedAnswer;
    case Fault::FlippedBit:
        return EmulatedStandaloneBox::Fault::FlippedBit;
    default:
        return EmulatedStandaloneBox::Fault::FfEcho;
    }
}

// The box's log holds kBoxLogEntries entries of the Kelvo in its field, a minute apart.
void fillBoxLog(EmulatedStandaloneBox& box)
{
    std::array<quint32, EmulatedKelvoTag::blockCount> blocks{};
    for (quint16 block = 0; block < EmulatedKelvoTag::blockCount; ++block)
        blocks[block] = box.tag().block(block);
    for (int index = 0; index < kBoxLogEntries; ++index) {
        box.appendLogEntry(EmulatedStandaloneBox::logEntry(kFirstStamp + 60u * quint32(index),
                                                           index == 0, blocks));
    }
}

} // namespace

Bench::Bench(Reader reader) : mReader(reader)
{
    mBoard.tag().fillWithPlausibleValues();
    mBoard.setPlugged(reader == Reader::Board);
    mBox.tag().fillWithPlausibleValues();
    mBox.setPlugged(reader == Reader::Box);
}

Bench::~Bench()
{
    mBoxLogDownload.reset();
    mDevice.reset();
}

bool Bench::start(Flow flow)
{
    if (isBoxTabFlow(flow))
        fillBoxLog(mBox);
    mDevice = std::make_unique<KelvoDevice>(mBoard, mBox, [](unsigned long /*milliseconds*/) {});
    mDevice->setFactoryWrites(isFactoryBuild());
    mBoxLogDownload = std::make_unique<BoxLogDownload>(*mDevice);
    KelvoRecord& record = mDevice->record();
    ToolSetup::load(QLatin1String(kCrewSetupStore), QDateTime::currentDateTime())
        .applyTo(record, mDevice->boxSettings());
    record.mActivationDepth = record.mPresetDepths[0];
    const bool readerFound = mDevice->ensureReader();
    if (isBoxTabFlow(flow))
        BoxConfiguration(*mDevice).readBack();
    if (flow == Flow::EraseMemory)
        runFlow(*this, Flow::ReadFromBox);
    return readerFound;
}

EmulatedKelvoTag& Bench::tag()
{
    return mReader == Reader::Box ? mBox.tag() : mBoard.tag();
}

int Bench::exchanges() const
{
    return mReader == Reader::Box ? mBox.exchanges() : mBoard.exchanges();
}

void Bench::inject(int exchange, Fault fault)
{
    if (mReader == Reader::Board) {
        mBoard.injectFault(exchange, boardFault(fault), fault == Fault::Unplugged ? 1 : kAttempts);
    } else if (fault == Fault::Unplugged) {
        mBox.unplugAfterExchanges(exchange - 1);
    } else if (fault == Fault::NoAnswer || wholeLookingFaults().contains(fault)) {
        // After an exchange that got no answer at all the link fails the operation's other
        // attempts at once, without a request: the box is silent for that one exchange.
        mBox.injectFault(exchange, boxFault(fault), 1);
    } else {
        mBox.injectFault(exchange, boxFault(fault), kAttempts);
    }
}

void Bench::clearFaults()
{
    mBoard.clearFaults();
    mBox.clearFaults();
    if (mReader == Reader::Box)
        mBox.setPlugged(true);
    else
        mBoard.setPlugged(true);
}

} // namespace FaultSweep
