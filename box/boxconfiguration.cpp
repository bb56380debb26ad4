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
    const FlowResult result = write(entries);
    // Whatever the outcome, the tab then shows what the box holds, or nothing where it did not
    // answer; a write already read it back.
    if (!mReadBack)
        readBack();
    return result;
}

FlowResult BoxConfiguration::write(const BoxEntries& entries)
{
    mReadBack = false;
    const QString failed = tr("Write operation failed, try again");
    // Checked as typed: a value the keypad would not offer never reaches the box, cut or whole.
    const auto outOfRange = [&failed](const QString& entry, const EntryRules::NumberRange& range) {
        return FlowResult::failure(Outcome::Done, FlowResult::Icon::Warning,
                                   failed + QLatin1Char('\n') +
                                       tr("%1 must be a whole number from %2 to %3: nothing was "
                                          "written to the box.")
                                           .arg(entry)
                                           .arg(range.minimum)
                                           .arg(range.maximum));
    };
    if (!EntryRules::isValidActivationDepth(entries.activationDepth))
        return outOfRange(tr("The activation depth"), EntryRules::kActivationDepth);
    if (!EntryRules::isValidFilter(entries.filter))
        return outOfRange(tr("The filter"), EntryRules::kFilter);
    if (!mDevice.isStandaloneBox()) {
        return FlowResult::failure(Outcome::WrongReader, FlowResult::Icon::Information,
                                   failed + QLatin1Char('\n') +
                                       tr("No Standalone Box is connected."));
    }
    BoxSettings& box = mDevice.boxSettings();
    const quint8 depth = static_cast<quint8>(entries.activationDepth.toUInt());
    const quint16 filter = static_cast<quint16>(entries.filter.toUInt());
    box.mBoxActivationDepth = depth;
    box.mBoxFilter = filter;
    if (!mDevice.writeBoxConfig())
        return FlowResult::failure(mDevice.lastOutcome(), FlowResult::Icon::Information, failed);
    // The write counts only once the box answers the read-back with what was written.
    mReadBack = true;
    if (!readBack()) {
        return FlowResult::failure(mDevice.lastOutcome(), FlowResult::Icon::Information,
                                   failed + QLatin1Char('\n') +
                                       tr("The values written could not be read back from the "
                                          "box."));
    }
    if (box.mBoxActivationDepth != depth || box.mBoxFilter != filter) {
        return FlowResult::failure(Outcome::NotAsWritten, FlowResult::Icon::Information,
                                   failed + QLatin1Char('\n') +
                                       tr("The values read back from the box differ from those "
                                          "written."));
    }
    return FlowResult::success(tr("Write operation was successfull"));
}

bool BoxConfiguration::readBack()
{
    return mDevice.readBoxConfig();
}

QString BoxConfiguration::heldValueNote(const BoxSettings& box)
{
    if (!box.mBoxConfigRead || (EntryRules::kActivationDepth.contains(box.mBoxActivationDepth) &&
                                EntryRules::kFilter.contains(box.mBoxFilter)))
        return QString();
    return tr("The box holds a value that CONFIGURE BOX would refuse: activation depth %1 %2, "
              "filter %3 %4.")
        .arg(box.mBoxActivationDepth)
        .arg(EntryRules::kActivationDepth.bounds())
        .arg(box.mBoxFilter)
        .arg(EntryRules::kFilter.bounds());
}
