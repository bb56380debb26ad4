#include "kelvo/tagsession.h"

#include "app/operationlogline.h"
#include "drivers/kelvodevice.h"
#include "kelvo/entryrules.h"
#include "kelvo/serialtext.h"
#include "kelvo/tagencoding.h"
#include "kelvo/tagflowlistener.h"

#include <QDateTime>

#include <algorithm>
#include <array>

namespace {

constexpr int kKelvoSerialStart = 4;

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

TagSession::TagSession(KelvoDevice& device, TagFlowListener& listener)
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
    const bool success = tab == TagTab::Simplified ? readSimplified() : readAdvanced();
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
    const bool success =
        tab == TagTab::Simplified ? writeSimplified(entries) : writeAdvanced(entries);
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

bool TagSession::readSimplified()
{
    const QString title = tr("Simplified");
    mListener.progress(20);
    if (!mDevice.readRecord()) {
        mListener.warning(title, tr("Read error in the Kelvo"));
        return false;
    }
    mListener.progress(50);
    mListener.recordChanged(TagTab::Simplified);
    mListener.progress(60);
    if (!appendOperationLog("READ")) {
        warnLogFailure(title);
        mListener.progress(70);
        return false;
    }
    mListener.progress(70);
    return true;
}

bool TagSession::readAdvanced()
{
    const QString title = tr("Varrow");
    if (!mDevice.readRecord()) {
        mListener.warning(title, tr("Read error in the Kelvo"));
        return false;
    }
    mListener.progress(20);
    mListener.recordChanged(TagTab::Advanced);
    mListener.progress(50);
    if (!appendOperationLog("READ")) {
        warnLogFailure(title);
        mListener.progress(80);
        return false;
    }
    mListener.progress(80);
    return true;
}

bool TagSession::writeSimplified(TabEntries entries)
{
    const QString title = tr("Simplified");
    if (!validateSimplified(entries))
        return false;
    if (!startWrite(title, TagTab::Simplified))
        return false;
    mListener.progress(20);
    copyEntries(entries, mDevice.record());
    const KelvoRecord written = mDevice.record();
    if (!mDevice.writeRecordFull()) {
        mListener.warning(title, tr("Backup error in the Kelvo"));
        return false;
    }
    finishWrite(title, TagTab::Simplified, written);
    return true;
}

// The operator's entries are checked as typed, before anything is read or written, so that what
// reaches the tag is what was validated.
bool TagSession::writeAdvanced(TabEntries entries)
{
    if (!validateAdvanced(entries))
        return false;
    const QString title = tr("Advanced");
    if (!startWrite(title, TagTab::Advanced))
        return false;
    mListener.progress(20);
    mListener.progress(40);
    KelvoRecord& record = mDevice.record();
    copyEntries(entries, record);
    record.mAdvancedActivationDepth = record.mActivationDepth;
    const KelvoRecord written = record;
    if (!mDevice.writeRecordKeep()) {
        mListener.warning(title, tr("Backup error in the Kelvo"));
        return false;
    }
    finishWrite(title, TagTab::Advanced, written);
    return true;
}

bool TagSession::startWrite(const QString& title, TagTab tab)
{
    // A failed first read ends the write without a warning of its own.
    if (!mDevice.readRecord())
        return false;
    if (appendOperationLog("READ"))
        mListener.recordChanged(tab);
    else
        warnLogFailure(title);
    return true;
}

// A write counts as done only once the check read shows every written value on the tag; a log
// line that cannot be written is warned about and does not stop the check.
void TagSession::finishWrite(const QString& title, TagTab tab, const KelvoRecord& written)
{
    mListener.progress(60);
    if (appendOperationLog("WRITE"))
        mListener.recordChanged(tab);
    else
        warnLogFailure(title);
    if (!mDevice.readRecord()) {
        mWriteCheck = WriteCheck::NotReadBack;
        mListener.progress(80);
        return;
    }
    mWriteCheck = holdsWrittenValues(mDevice.record(), written, mDevice.factoryWrites())
                      ? WriteCheck::Verified
                      : WriteCheck::ReadBackDifferent;
    if (appendOperationLog("READ"))
        mListener.recordChanged(tab);
    else
        warnLogFailure(title);
    mListener.progress(80);
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
                              QStringLiteral("(%1 to %2)")
                                  .arg(EntryRules::kMinActivationDepth)
                                  .arg(EntryRules::kMaxActivationDepth));
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
    const QString bounds = QStringLiteral("(%1 to %2)");
    if (!EntryRules::isValidActivationDepth(entries.activationDepth)) {
        reject(tr("The activation depth should be a positive number between ") +
                   bounds.arg(EntryRules::kMinActivationDepth).arg(EntryRules::kMaxActivationDepth),
               TabField::ActivationDepth, QString::number(record.mAdvancedActivationDepth));
        return false;
    }
    if (!EntryRules::isValidFilter(entries.filter)) {
        reject(tr("The activation filter should be positive number between ") +
                   bounds.arg(EntryRules::kMinFilter).arg(EntryRules::kMaxFilter),
               TabField::Filter, QString::number(record.mFilter));
        return false;
    }
    // Either way the field ends in upper case.
    if (!EntryRules::isValidSerialNumber(entries.serialNumber)) {
        reject(tr("Error on the serial number"), TabField::SerialNumber,
               SerialText::text(record.mSerialNumber).toUpper());
        return false;
    }
    entries.serialNumber = entries.serialNumber.toUpper();
    mListener.serialNumberAccepted(entries.serialNumber);
    return true;
}

void TagSession::reject(const QString& text, TabField field, const QString& restoredText)
{
    mListener.warning(tr("Varrow"), text);
    mListener.entryRejected(field, restoredText);
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
