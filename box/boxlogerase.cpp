#include "box/boxlogerase.h"

#include "box/boxlogformat.h"
#include "box/boxlogreading.h"
#include "box/logboxfile.h"
#include "drivers/boxlogentry.h"
#include "drivers/kelvodevice.h"
#include "kelvo/flowlistener.h"

BoxLogErase::BoxLogErase(KelvoDevice& device, const SavedBoxLog& saved)
    : mDevice(device), mSaved(saved)
{
}

FlowResult BoxLogErase::refusal(Outcome outcome, const QString& reason)
{
    return FlowResult::failure(outcome, FlowResult::Icon::Information,
                               tr("Erase operation failed") + QLatin1Char('\n') + reason);
}

FlowResult BoxLogErase::run(FlowListener& listener)
{
    listener.showProgress(FlowListener::ProgressMode::Read);
    listener.progress(0);
    const QString readAgain = tr("Nothing was erased: read the box again (READ DATA FROM BOX).");
    if (std::optional<FlowResult> refused = countRefusal())
        return *refused;
    const int count = mSaved.count;
    const std::optional<QList<QByteArray>> lines = LogBoxFile::lastLines(mSaved.path, count);
    if (!lines) {
        return refusal(Outcome::Done, tr("The LogBox file %1 is missing, or no longer holds the "
                                         "%2 entries saved.")
                                              .arg(LogBoxFile::shownPath(mSaved.path))
                                              .arg(count) +
                                          QLatin1Char('\n') + readAgain);
    }
    for (int index = 0; index < count; ++index) {
        const BoxLogReading reading = BoxLogReading::read(mDevice, index);
        if (isUnreadBoxLogEntry(reading.entry)) {
            return refusal(mDevice.lastOutcome(),
                           tr("Entry %1 of the box could not be read again.").arg(index + 1) +
                               QLatin1Char('\n') + readAgain);
        }
        if (BoxLogFormat::logBoxLine(reading.entry) != lines->at(index)) {
            return refusal(Outcome::NotAsWritten,
                           tr("Entry %1 of the box differs from the LogBox file %2.")
                                   .arg(index + 1)
                                   .arg(LogBoxFile::shownPath(mSaved.path)) +
                               QLatin1Char('\n') + readAgain);
        }
        listener.progress(int((index + 1) / float(count) * 100));
    }
    // The box holds, entry by entry, what the file holds.
    return eraseCommand();
}

std::optional<FlowResult> BoxLogErase::countRefusal()
{
    mDevice.reopenBoxLink();
    const int count = mDevice.readBoxLogCount();
    if (count == -1) {
        return refusal(mDevice.lastOutcome(),
                       tr("The number of entries in the box could not be read again."));
    }
    if (count != mSaved.count) {
        return refusal(Outcome::NotAsWritten,
                       tr("The box now holds %1 log entries, not the %2 saved: read it again "
                          "before erasing.")
                           .arg(count)
                           .arg(mSaved.count));
    }
    return std::nullopt;
}

// When the answer to the erase cannot be read, or reports an error, the box may have erased all
// the same: the number of entries it then holds tells.
FlowResult BoxLogErase::eraseCommand()
{
    if (mDevice.eraseBoxLog())
        return FlowResult::success(tr("Erase operation was successfull"));
    const Outcome failure = mDevice.lastOutcome();
    mDevice.reopenBoxLink();
    const int count = mDevice.readBoxLogCount();
    if (count == 0) {
        return FlowResult::success(tr("Erase operation was successfull") + QLatin1Char('\n') +
                                   tr("The box did not confirm the erase, but it now holds no "
                                      "entries."));
    }
    if (count == mSaved.count) {
        return FlowResult::failure(failure, FlowResult::Icon::Information,
                                   tr("Erase operation failed"));
    }
    return refusal(failure,
                   tr("The box did not confirm the erase, and whether its log was erased is "
                      "unknown. Nothing more is erased: read the box again."));
}
