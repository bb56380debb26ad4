#include "kelvo/tagsession.h"

#include "app/operationlogline.h"
#include "drivers/kelvodevice.h"
#include "kelvo/entryrules.h"
#include "kelvo/serialtext.h"
#include "kelvo/statusformat.h"
#include "kelvo/tagencoding.h"

#include <QDateTime>

#include <algorithm>
#include <utility>

namespace {

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

// The operator's configuration: the activation depth and filter (unknown when out of range, as
// they are never written), and the position on the spread, which is never on the tag.
void takeConfiguration(const TabEntries& entries, KelvoRecord& record)
{
    const auto entered = [](bool valid) {
        return valid ? FieldSource::Entered : FieldSource::Unknown;
    };
    record.mActivationDepth = EntryRules::entryByte(entries.activationDepth);
    record.mFilter = EntryRules::entryByte(entries.filter);
    record.setSources({TagField::ActivationDepth},
                      entered(EntryRules::isValidActivationDepth(entries.activationDepth)));
    record.setSources({TagField::Filter}, entered(EntryRules::isValidFilter(entries.filter)));
    record.mStreamer = EntryRules::entryByte(entries.streamer);
    record.mDevice = EntryRules::entryByte(entries.device);
}

// The operator typed the entry: it is not what the tab was given, or what the tab was given had
// itself been entered.
bool typed(const QString& entry, const KelvoRecord& shown, TagField field)
{
    return entry != StatusFormat::fieldText(shown, field) ||
           shown.source(field) == FieldSource::Entered;
}

bool typedKelvoSerialNumber(const TabEntries& entries, const KelvoRecord& shown)
{
    return typed(entries.kelvoSerialNumber, shown, TagField::KelvoSerialStart);
}

// The values a write put on the tag, read back: the activation settings, and each identity field
// the write entered.
bool holdsWrittenValues(const KelvoRecord& read, const KelvoRecord& written)
{
    const auto entered = [&written](TagField field) {
        return written.source(field) == FieldSource::Entered;
    };
    const auto sameCharacters = [&](int from, int to) {
        return std::equal(written.mKelvoSerialNumber.begin() + from,
                          written.mKelvoSerialNumber.begin() + to,
                          read.mKelvoSerialNumber.begin() + from);
    };
    return read.mActivationDepth == written.mActivationDepth && read.mFilter == written.mFilter &&
           (!entered(TagField::KelvoSerialStart) || sameCharacters(0, 4)) &&
           (!entered(TagField::KelvoSerialEnd) ||
            (read.isKnown(TagField::KelvoSerialEnd) && sameCharacters(4, 8))) &&
           (!entered(TagField::SerialNumber) || read.mSerialNumber == written.mSerialNumber) &&
           (!entered(TagField::BatteryThreshold) ||
            voltageCodeFromMillivolts(read.mBatteryThreshold) ==
                voltageCodeFromMillivolts(written.mBatteryThreshold));
}

// The Kelvo on the reader is the one the tab showed: part by part (blocks 5, 6 and 7), its serial
// number is the one read before or the one a write entered for it, as a write stopped halfway
// leaves it.
bool isKelvoShown(const KelvoRecord& shown, const KelvoRecord& now)
{
    if (!shown.mKelvoRead || !now.mKelvoRead)
        return false;
    const bool entered = shown.source(TagField::SerialNumber) == FieldSource::Entered;
    for (const std::pair<int, int>& part : {std::pair(0, 4), std::pair(4, 8), std::pair(8, 10)}) {
        const int from = part.first;
        const int to = part.second;
        const auto samePart = [&](const KelvoRecord::SerialNumber& serial) {
            return std::equal(serial.begin() + from, serial.begin() + to,
                              now.mKelvoRead->begin() + from);
        };
        if (!samePart(*shown.mKelvoRead) && !(entered && samePart(shown.mSerialNumber)))
            return false;
    }
    return true;
}

QString handBackFailedText()
{
    return QCoreApplication::translate(
        "TagSession", "The Kelvo's memory could not be handed back to its microcontroller.");
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
        const Outcome outcome = mDevice.lastOutcome();
        return FlowResult::failure(
            outcome, FlowResult::Icon::Critical,
            outcome == Outcome::MemoryLocked
                ? tr("RFid memory seems to be locked by the microcontroller")
                : tr("The tag stopped answering while its memory was being handed over."));
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
    const bool released = mDevice.setRfAccess(false);
    mListener.progress(100);
    mListener.hideProgress();
    if (!success)
        return withLogLines(
            FlowResult::failure(outcome, FlowResult::Icon::Critical, tr("Read Error")));
    FlowResult result = FlowResult::success(tr("Read operation was successfull"));
    // The values are shown and the read counts, but the Kelvo may need attention.
    const QStringList warnings = readWarnings(released);
    for (const QString& warning : warnings)
        result.addWarning(warning);
    return withLogLines(result);
}

// The operator build never writes checksum B: only the factory can mend it.
QStringList TagSession::readWarnings(bool released) const
{
    const KelvoRecord& record = mDevice.record();
    const bool factory = mDevice.factoryWrites();
    QStringList warnings;
    if (!record.mChecksumAMatches || (factory && !record.mChecksumBMatches)) {
        warnings << tr("The configuration checksum of this Kelvo does not match its values: its "
                       "last write may have been interrupted. Write the Kelvo again.");
    }
    if (!factory && !record.mChecksumBMatches) {
        warnings << tr("The factory checksum of this Kelvo does not match its values: return the "
                       "Kelvo to the factory.");
    }
    if (!released)
        warnings << handBackFailedText();
    return warnings;
}

FlowResult TagSession::write(TagTab tab, const TabEntries& entries)
{
    if (const std::optional<FlowResult> refusal = claim())
        return *refusal;
    mWriteCheck = WriteCheck::NotReadBack;
    const KelvoRecord shown = mDevice.record();
    const bool success = writeTab(tab, entries, shown);
    const Outcome outcome = mDevice.lastOutcome();
    const bool released = mDevice.setRfAccess(false);
    return withLogLines(writeResult(success, outcome, released));
}

// Green only when the check read found every written value and the checksums covering them, and
// the memory was handed back. Identity fields kept as the Kelvo holds them are named under the
// success text; a write missing from the operations log is a warning.
FlowResult TagSession::writeResult(bool success, Outcome outcome, bool released)
{
    QString reason;
    if (success && mWriteCheck == WriteCheck::NotReadBack) {
        reason = tr("The values written could not be read back from the Kelvo.");
    } else if (success && mWriteCheck == WriteCheck::ReadBackDifferent) {
        outcome = Outcome::NotAsWritten;
        reason = tr("The values read back from the Kelvo differ from those written.");
    } else if (success && mWriteCheck == WriteCheck::ChecksumsDifferent) {
        outcome = Outcome::NotAsWritten;
        reason = tr("The checksums read back from the Kelvo do not match the values written.");
    } else if (success && !released) {
        outcome = mDevice.lastOutcome();
        reason = handBackFailedText();
    } else if (success) {
        FlowResult result = FlowResult::success(tr("Write operation was successfull"));
        for (const QString& line : std::as_const(mKeptLines))
            result.text += QLatin1Char('\n') + line;
        if (!mWriteNotLogged.isEmpty())
            result.addWarning(
                tr("The write was not recorded in the operations log: %1").arg(mWriteNotLogged));
        return result;
    }
    QString text = tr("Write operation failed, try again");
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    return FlowResult::failure(outcome, FlowResult::Icon::Information, text);
}

// A read that fails part-way shows what it read of this Kelvo, and nothing of another.
bool TagSession::readTab(TagTab tab)
{
    const bool simplified = tab == TagTab::Simplified;
    const QString title = simplified ? tr("Simplified") : tr("Varrow");
    const ReadProgress steps = simplified ? kSimplifiedReadProgress : kAdvancedReadProgress;
    if (steps.beforeRead)
        mListener.progress(*steps.beforeRead);
    if (!mDevice.readRecord()) {
        mListener.recordChanged(tab);
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

// The Simplified entries are checked before anything is read or written; the Advanced ones once
// the Kelvo on the reader is read, so that a refused entry is put back from this Kelvo's value. A
// read-before that fails ends the write without a warning of its own; the tab then shows the
// operator's configuration and nothing else of the Kelvo, whose identity is not known.
bool TagSession::writeTab(TagTab tab, TabEntries entries, const KelvoRecord& shown)
{
    const bool simplified = tab == TagTab::Simplified;
    if (simplified && !accepted(tab, entries, shown))
        return false;
    const QString title = simplified ? tr("Simplified") : tr("Advanced");
    if (!mDevice.readRecord()) {
        takeConfiguration(entries, mDevice.record());
        mListener.recordChanged(tab);
        return false;
    }
    logAndShow("READ", title, tab);
    if (!simplified && !accepted(tab, entries, shown))
        return false;
    mListener.progress(20);
    takeEntries(entries, shown);
    KelvoRecord& record = mDevice.record();
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

// The record now holds the Kelvo on the reader. The configuration is always taken from the
// entries; an identity field only when the operator typed it for this Kelvo (after its last read,
// or before any read) or the tab showed this Kelvo's own value, which is then already on the
// tag. Otherwise the Kelvo keeps what it holds, and the result says so.
void TagSession::takeEntries(const TabEntries& entries, const KelvoRecord& shown)
{
    KelvoRecord& record = mDevice.record();
    takeConfiguration(entries, record);
    const bool sameKelvo = isKelvoShown(shown, record);
    const bool forThisKelvo = sameKelvo || !shown.mKelvoRead;
    const auto take = [&](bool typedEntry, const QString& keptLine) {
        if (typedEntry && forThisKelvo)
            return true;
        if (!sameKelvo)
            mKeptLines << keptLine;
        return false;
    };
    if (take(typedKelvoSerialNumber(entries, shown),
             tr("The Kelvo serial number of the Kelvo on the reader was kept: %1")
                 .arg(StatusFormat::fieldText(record, TagField::KelvoSerialStart)))) {
        SerialText::store(entries.kelvoSerialNumber, record.mKelvoSerialNumber);
        record.setSources({TagField::KelvoSerialStart, TagField::KelvoSerialEnd},
                          FieldSource::Entered);
    }
    // The operator build never writes the serial number and threshold.
    if (!mDevice.factoryWrites())
        return;
    if (take(typed(entries.serialNumber, shown, TagField::SerialNumber),
             tr("The serial number of the Kelvo on the reader was kept: %1")
                 .arg(StatusFormat::fieldText(record, TagField::SerialNumber)))) {
        SerialText::store(entries.serialNumber, record.mSerialNumber);
        record.setSources({TagField::SerialNumber}, FieldSource::Entered);
    }
    if (take(typed(entries.batteryThreshold, shown, TagField::BatteryThreshold),
             tr("The battery threshold of the Kelvo on the reader was kept: %1 mV")
                 .arg(StatusFormat::fieldText(record, TagField::BatteryThreshold)))) {
        record.mBatteryThreshold = EntryRules::entryWord(entries.batteryThreshold);
        record.setSources({TagField::BatteryThreshold}, FieldSource::Entered);
    }
}

// A write counts as done only once the check read shows every written value on the tag, with
// the checksums covering them; a log line that cannot be written is warned about and does not
// stop the check.
void TagSession::finishWrite(const QString& title, TagTab tab, const KelvoRecord& written)
{
    mListener.progress(60);
    if (!logAndShow("WRITE", title, tab))
        mWriteNotLogged = tr("%1: %2").arg(written.mLogPath, mLastLogError);
    const bool readBack = mDevice.readRecord();
    if (!readBack) {
        mWriteCheck = WriteCheck::NotReadBack;
        mListener.recordChanged(tab);
        mListener.progress(80);
        return;
    }
    const KelvoRecord& read = mDevice.record();
    if (!holdsWrittenValues(read, written))
        mWriteCheck = WriteCheck::ReadBackDifferent;
    else if (!read.mChecksumAMatches || (mDevice.factoryWrites() && !read.mChecksumBMatches))
        mWriteCheck = WriteCheck::ChecksumsDifferent;
    else
        mWriteCheck = WriteCheck::Verified;
    logAndShow("READ", title, tab);
    mListener.progress(80);
}

// The tab shows the record whether or not the line could be written, so that it never shows
// values of another Kelvo.
bool TagSession::logAndShow(const QByteArray& action, const QString& title, TagTab tab)
{
    const bool logged = appendOperationLog(action);
    if (!logged)
        warnLogFailure(title);
    mListener.recordChanged(tab);
    return logged;
}

void TagSession::warnLogFailure(const QString& title)
{
    mListener.warning(title, tr("Backup error in the Log file") + QLatin1Char('\n') +
                                 tr("%1: %2").arg(mDevice.record().mLogPath, mLastLogError));
}

// The entries are checked in the same order on both tabs. A Kelvo serial number typed with a
// character the operations log cannot hold faithfully would reach the tag as typed and the log
// otherwise. The Simplified tab checks the serial number only in the factory build, the one build
// that writes it from there; the Advanced tab puts a refused entry back from the record, which then
// holds the Kelvo on the reader, and shows the serial number in upper case, as it is written.
bool TagSession::accepted(TagTab tab, TabEntries& entries, const KelvoRecord& shown)
{
    const bool simplified = tab == TagTab::Simplified;
    const bool checkSerialNumber = !simplified || mDevice.factoryWrites();
    if (const std::optional<Refusal> refusal = firstRefusal(entries, shown, checkSerialNumber)) {
        mListener.warning(simplified ? tr("Simplified") : tr("Varrow"), refusal->text);
        if (!simplified)
            mListener.restoreField(refusal->field, refusal->restoredText, true);
        return false;
    }
    entries.serialNumber = entries.serialNumber.toUpper();
    if (!simplified)
        mListener.restoreField(FlowListener::Field::AdvancedSerialNumber, entries.serialNumber,
                               false);
    return true;
}

// The depth goes back to the one last written from the Advanced tab, which is the operator's,
// not a Kelvo's.
std::optional<TagSession::Refusal> TagSession::firstRefusal(const TabEntries& entries,
                                                            const KelvoRecord& shown,
                                                            bool checkSerialNumber) const
{
    using Field = FlowListener::Field;
    const KelvoRecord& record = mDevice.record();
    if (!EntryRules::isValidActivationDepth(entries.activationDepth)) {
        return Refusal{tr("The activation depth should be a positive number between ") +
                           EntryRules::kActivationDepth.bounds(),
                       Field::AdvancedActivationDepth,
                       QString::number(record.mAdvancedActivationDepth)};
    }
    if (!EntryRules::isValidFilter(entries.filter)) {
        return Refusal{tr("The activation filter should be positive number between ") +
                           EntryRules::kFilter.bounds(),
                       Field::AdvancedFilter, QString::number(record.mFilter)};
    }
    if (typedKelvoSerialNumber(entries, shown) &&
        !EntryRules::isLoggableText(entries.kelvoSerialNumber)) {
        return Refusal{tr("The Kelvo serial number cannot hold a comma or a control character."),
                       Field::AdvancedKelvoSerialNumber,
                       StatusFormat::fieldText(record, TagField::KelvoSerialStart)};
    }
    if (checkSerialNumber && !EntryRules::isValidSerialNumber(entries.serialNumber)) {
        return Refusal{tr("Error on the serial number"), Field::AdvancedSerialNumber,
                       StatusFormat::fieldText(record, TagField::SerialNumber).toUpper()};
    }
    return std::nullopt;
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
