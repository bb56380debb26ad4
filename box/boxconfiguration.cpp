#include "box/boxconfiguration.h"

#include "drivers/kelvodevice.h"
#include "kelvo/entryrules.h"

BoxConfiguration::BoxConfiguration(KelvoDevice& device) : mDevice(device) {}

FlowResult BoxConfiguration::configure(const BoxEntries& entries)
{
    mReaderFound = mDevice.ensureReader();
    if (!mReaderFound) {
        return FlowResult::failure(mDevice.lastOutcome(), FlowResult::Icon::Critical,
                                   tr("No Standalone Box detected, please plug one"));
    }
    BoxSettings& box = mDevice.boxSettings();
    box.mBoxActivationDepth = EntryRules::entryByte(entries.activationDepth);
    box.mBoxFilter = EntryRules::entryByte(entries.filter);
    if (mDevice.writeBoxConfig())
        return FlowResult::success(tr("Write operation was successfull"));
    return FlowResult::failure(mDevice.lastOutcome(), FlowResult::Icon::Information,
                               tr("Write operation failed, try again"));
}

bool BoxConfiguration::readBack()
{
    return mDevice.readBoxConfig();
}
