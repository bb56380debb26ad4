#include "kelvo/tagsession.h"

#include "app/operationlogline.h"
#include "drivers/kelvodevice.h"
#include "kelvo/entryrules.h"
#include "kelvo/serialtext.h"
#include "kelvo/tagflowlistener.h"

#include <QDateTime>

namespace {

void copyEntries(const TabEntries& entries, KelvoRecord& record)
{
    record.mActivationDepth = EntryRules::entryByte(entries.activationDepth);
    record.mFilter = EntryRules::entryByte(entries.filter);
    record.mStreamer = EntryRules::entryByte(entries.streamer);
    record.mDevice = EntryRules::entryByte(entries.device);
    SerialText::store(entries.kelvoSerialNumber, record.mKelvoSerialNumber);
    record.mBatteryThreshold = EntryRules::entryWord(entries.batteryThreshold);
    SerialText::store(entries.serialNumber, record.mSerialNumber);
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
    if (success)
        return withLogLines(FlowResult::success(tr("Read operation was successfull")));
    return withLogLines(FlowResult::failure(outcome, FlowResult::Icon::Critical, tr("Read Error")));
}

FlowResult TagSession::write(TagTab tab, const TabEntries& entries)
{
    if (const std::optional<FlowResult> refusal = claim())
        return *refusal;
    const bool success =
        tab == TagTab::Simplified ? writeSimplified(entries) : writeAdvanced(entries);
    const Outcome outcome = mDevice.lastOutcome();
    mDevice.setRfAccess(false);
    if (success)
        return withLogLines(FlowResult::success(tr("Write operation was successfull")));
    return withLogLines(FlowResult::failure(outcome, FlowResult::Icon::Information,
                                            tr("Write operation failed, try again")));
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
        mListener.warning(title, tr("Backup error in the Log file"));
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
        mListener.warning(title, tr("Backup error in the Log file"));
        mListener.progress(80);
        return false;
    }
    mListener.progress(80);
    return true;
}

bool TagSession::writeSimplified(const TabEntries& entries)
{
    const QString title = tr("Simplified");
    if (!startWrite(title, TagTab::Simplified))
        return false;
    mListener.progress(20);
    copyEntries(entries, mDevice.record());
    if (!mDevice.writeRecordFull()) {
        mListener.warning(title, tr("Backup error in the Kelvo"));
        return false;
    }
    finishWrite(title, TagTab::Simplified);
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
    if (!mDevice.writeRecordKeep()) {
        mListener.warning(title, tr("Backup error in the Kelvo"));
        return false;
    }
    finishWrite(title, TagTab::Advanced);
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
        mListener.warning(title, tr("Backup error in the Log file"));
    return true;
}

void TagSession::finishWrite(const QString& title, TagTab tab)
{
    mListener.progress(60);
    if (!appendOperationLog("WRITE")) {
        mListener.warning(title, tr("Backup error in the Log file"));
        mListener.progress(80);
        return;
    }
    mListener.recordChanged(tab);
    if (!mDevice.readRecord()) {
        mListener.progress(80);
        return;
    }
    if (!appendOperationLog("READ")) {
        mListener.warning(title, tr("Backup error in the Log file"));
        mListener.progress(80);
        return;
    }
    mListener.recordChanged(tab);
    mListener.progress(80);
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
    if (!OperationLogLine::append(record.mLogPath, line))
        return false;
    mLogLines << line;
    return true;
}

FlowResult TagSession::withLogLines(FlowResult result) const
{
    result.logLines = mLogLines;
    return result;
}
