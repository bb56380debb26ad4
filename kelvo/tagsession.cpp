#include "kelvo/tagsession.h"

#include "app/operationlogline.h"
#include "drivers/kelvodevice.h"
#include "kelvo/entryrules.h"
#include "kelvo/serialtext.h"
#include "kelvo/tagencoding.h"

#include <QDateTime>

#include <algorithm>
#include <array>

namespace {

constexpr int kKelvoSerialStart = 4;

// The progress that a tab's read shows before the read, once read, once shown and at its end.
struct ReadProgress
{
    std::optional<int> beforeRead;
    int read;
    int shown;
    int done;
};
const ReadProgress kSimplifiedReadProgress = {20, 50, 60, 70};
const ReadProgress kAdvancedReadProgress = {std::nullopt, 20, 50, 80};

// The entries into the record, which then holds what the write puts on the tag. An entry of at
// most four Kelvo serial characters was not given the last four: they stay as this tag holds them
// (unknown, and not written, when they could not be read).
void copyEntries(const TabEntries& entries, KelvoRecord& record)
{
    record.mActivationDepth = EntryRules::entryByte(entries.activationDepth);
    record.mFilter = EntryRules::entryByte(entries.filter);
    record.mStreamer = EntryRules::entryByte(entries.streamer);
    record.mDevice = EntryRules::entryByte(entries.device);
    if (entries.kelvoSerialNumber.size() > kKelvoSerialStart) {
        SerialText::store(entries.kelvoSerialNumber, record.mKelvoSerialNumber);
        record.mKelvoSerialEndRead = true;
    } else {
        std::array<char, kKelvoSerialStart> start{};
        SerialText::store(entries.kelvoSerialNumber, start);
        std::copy(start.begin(), start.end(), record.mKelvoSerialNumber.begin());
    }
    record.mBatteryThreshold = EntryRules::entryWord(entries.batteryThreshold);
    SerialText::store(entries.serialNumber, record.mSerialNumber);
}

// The values a write puts on the tag, read back: the activation settings and the Kelvo serial
// number (as far as it was written), and in the factory build the serial number and threshold.
bool holdsWrittenValues(const KelvoRecord& read, const KelvoRecord& written, bool factoryWrites)
{
    const int kelvoSerialWritten = written.knownKelvoSerialCharacters();
    const bool same = read.mActivationDepth == written.mActivationDepth &&
                      read.mFilter == written.mFilter &&
                      std::equal(written.mKelvoSerialNumber.begin(),
                                 written.mKelvoSerialNumber.begin() + kelvoSerialWritten,
                                 read.mKelvoSerialNumber.begin()) &&
                      (read.mKelvoSerialEndRead || !written.mKelvoSerialEndRead);
    if (!factoryWrites)
        return same;
    return same && read.mSerialNumber == written.mSerialNumber &&
           voltageCodeFromMillivolts(read.mBatteryThreshold) ==
               voltageCodeFromMillivolts(written.mBatteryThreshold);
}

} // namespace

TagSession::TagSession(KelvoDevice& device, FlowListener& listener)
    : mDevice(device), mListener(listener)
{
}

std::optional<FlowResult> TagSession::claim()
{
    if (!mDevice.ensureReader()) {
        return FlowResult::failure(mDevice.lastOutcome(), FlowResult::Icon::Critical,
                                   tr("No Antenna detected, please plug one"));
    }
    if (!mDevice.tagPresent()) {
        return FlowResult::failure(mDevice.lastOutcome(), FlowResult::Icon::Critical,
                                   tr("Impossible to read the tag, check your antenna"));
    }
    if (!mDevice.setRfAccess(true)) {
        return FlowResult::failure(mDevice.lastOutcome(), FlowResult::Icon::Critical,
                                   tr("RFid memory seems to be locked by the microcontroller"));
    }
    return std::nullopt;
}

FlowResult TagSession::read(TagTab tab)
{
    if (const std::optional<FlowResult> refusal = claim())
        return *refusal;
    mListener.showProgress(FlowListener::ProgressMode::Read);
    mListener.progress(10);
    const bool success = readTab(tab);
    const Outcome outcome = mDevice.lastOutcome();
    // A failed release is not reported: the read itself is what the operator asked for.
    mDevice.setRfAccess(false);
    mListener.progress(100);
    mListener.hideProgress();
    if (!success)
        return withLogLines(
            FlowResult::failure(outcome, FlowResult::Icon::Critical, tr("Read Error")));
    FlowResult result = FlowResult::success(tr("Read operation was successfull"));
    if (!mDevice.record().mChecksumsMatch) {
        // The values are shown and the read counts, but the Kelvo needs writing again.
        result.colour = FlowResult::Colour::Unchanged;
        result.icon = FlowResult::Icon::Warning;
        result.text += QLatin1Char('\n') +
                       tr("The configuration checksum of this Kelvo does not match its values: "
                          "its last write may have been interrupted. Write the Kelvo again.");
    }
    return withLogLines(result);
}

FlowResult TagSession::write(TagTab tab, const TabEntries& entries)
{
    if (const std::optional<FlowResult> refusal = claim())
        return *refusal;
    mWriteCheck = WriteCheck::NotReadBack;
    const bool success = writeTab(tab, entries);
    Outcome outcome = mDevice.lastOutcome();
    const bool released = mDevice.setRfAccess(false);
    QString reason;
    if (success && mWriteCheck == WriteCheck::NotReadBack) {
        reason = tr("The values written could not be read back from the Kelvo.");
    } else if (success && mWriteCheck == WriteCheck::ReadBackDifferent) {
        outcome = Outcome::NotAsWritten;
        reason = tr("The values read back from the Kelvo differ from those written.");
    } else if (success && !released) {
        outcome = mDevice.lastOutcome();
        reason = tr("The Kelvo's memory could not be handed back to its microcontroller.");
    } else if (success) {
        return withLogLines(FlowResult::success(tr("Write operation was successfull")));
    }
    QString text = tr("Write operation failed, try again");
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return withLogLines(FlowResult::failure(outcome, FlowResult::Icon::Information, text));
}

bool TagSession::readTab(TagTab tab)
{
    const bool simplified = tab == TagTab::Simplified;
    const QString title = simplified ? tr("Simplified") : tr("Varrow");
    const ReadProgress steps = simplified ? kSimplifiedReadProgress : kAdvancedReadProgress;
    if (steps.beforeRead)
        mListener.progress(*steps.beforeRead);
    if (!mDevice.readRecord()) {
        mListener.warning(title, tr("Read error in the Kelvo"));
        return false;
    }
    mListener.progress(steps.read);
    mListener.recordChanged(tab);
    mListener.progress(steps.shown);
    const bool logged = appendOperationLog("READ");
    if (!logged)
        warnLogFailure(title);
    mListener.progress(steps.done);
    return logged;
}

// The operator's entries are checked as typed, before anything is read or written, so that what
// reaches the tag is what was validated.
bool TagSession::writeTab(TagTab tab, TabEntries entries)
{
    const bool simplified = tab == TagTab::Simplified;
    if (!(simplified ? validateSimplified(entries) : validateAdvanced(entries)))
        return false;
    const QString title = simplified ? tr("Simplified") : tr("Advanced");
    // A failed first read ends the write without a warning of its own.
    if (!mDevice.readRecord())
        return false;
    logAndShow("READ", title, tab);
    mListener.progress(20);
    KelvoRecord& record = mDevice.record();
    copyEntries(entries, record);
    if (!simplified) {
        mListener.progress(40);
        record.mAdvancedActivationDepth = record.mActivationDepth;
    }
    const KelvoRecord written = record;
    if (!(simplified ? mDevice.writeRecordFull() : mDevice.writeRecordKeep())) {
        mListener.warning(title, tr("Backup error in the Kelvo"));
        return false;
    }
    finishWrite(title, tab, written);
    return true;
}

// A write counts as done only once the check read shows every written value on the tag; a log
// line that cannot be written is warned about and does not stop the check.
void TagSession::finishWrite(const QString& title, TagTab tab, const KelvoRecord& written)
{
    mListener.progress(60);
    logAndShow("WRITE", title, tab);
    if (!mDevice.readRecord()) {
        mWriteCheck = WriteCheck::NotReadBack;
        mListener.progress(80);
        return;
    }
    mWriteCheck = holdsWrittenValues(mDevice.record(), written, mDevice.factoryWrites())
                      ? WriteCheck::Verified
                      : WriteCheck::ReadBackDifferent;
    logAndShow("READ", title, tab);
    mListener.progress(80);
}

void TagSession::logAndShow(const QByteArray& action, const QString& title, TagTab tab)
{
    if (appendOperationLog(action))
        mListener.recordChanged(tab);
    else
        warnLogFailure(title);
}

void TagSession::warnLogFailure(const QString& title)
{
    mListener.warning(title, tr("Backup error in the Log file") + QLatin1Char('\n') +
                                 tr("%1: %2").arg(mDevice.record().mLogPath, mLastLogError));
}

bool TagSession::validateSimplified(TabEntries& entries)
{
    if (!EntryRules::isValidActivationDepth(entries.activationDepth)) {
        mListener.warning(tr("Simplified"),
                          tr("The activation depth should be a positive number between ") +
                              EntryRules::kActivationDepth.bounds());
        return false;
    }
    // Only the factory build writes the serial number.
    if (mDevice.factoryWrites()) {
        if (!EntryRules::isValidSerialNumber(entries.serialNumber)) {
            mListener.warning(tr("Simplified"), tr("Error on the serial number"));
            return false;
        }
        entries.serialNumber = entries.serialNumber.toUpper();
    }
    return true;
}

bool TagSession::validateAdvanced(TabEntries& entries)
{
    const KelvoRecord& record = mDevice.record();
    if (!EntryRules::isValidActivationDepth(entries.activationDepth)) {
        reject(tr("The activation depth should be a positive number between ") +
                   EntryRules::kActivationDepth.bounds(),
               FlowListener::Field::AdvancedActivationDepth,
               QString::number(record.mAdvancedActivationDepth));
        return false;
    }
    if (!EntryRules::isValidFilter(entries.filter)) {
        reject(tr("The activation filter should be positive number between ") +
                   EntryRules::kFilter.bounds(),
               FlowListener::Field::AdvancedFilter, QString::number(record.mFilter));
        return false;
    }
    // Either way the field ends in upper case.
    if (!EntryRules::isValidSerialNumber(entries.serialNumber)) {
        reject(tr("Error on the serial number"), FlowListener::Field::AdvancedSerialNumber,
               SerialText::text(record.mSerialNumber).toUpper());
        return false;
    }
    entries.serialNumber = entries.serialNumber.toUpper();
    mListener.restoreField(FlowListener::Field::AdvancedSerialNumber, entries.serialNumber, false);
    return true;
}

void TagSession::reject(const QString& text, FlowListener::Field field, const QString& restoredText)
{
    mListener.warning(tr("Varrow"), text);
    mListener.restoreField(field, restoredText, true);
}

bool TagSession::appendOperationLog(const QByteArray& action)
{
    const KelvoRecord& record = mDevice.record();
    const QByteArray line =
        OperationLogLine::tagOperation(record, action, QDateTime::currentDateTime());
    if (!OperationLogLine::append(record.mLogPath, line, &mLastLogError))
        return false;
    mLogLines << line;
    return true;
}

FlowResult TagSession::withLogLines(FlowResult result) const
{
    result.logLines = mLogLines;
    return result;
}
