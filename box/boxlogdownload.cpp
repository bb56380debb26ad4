#include "box/boxlogdownload.h"

#include "box/boxlogformat.h"
#include "box/boxloglistener.h"
#include "box/logboxfile.h"
#include "box/logboxwriter.h"
#include "drivers/boxlogentry.h"
#include "drivers/kelvodevice.h"

BoxLogDownload::BoxLogDownload(KelvoDevice& device) : mDevice(device) {}

FlowResult BoxLogDownload::read(BoxLogListener& listener)
{
    const bool readerFound = mDevice.ensureReader();
    if (!readerFound || !mDevice.isStandaloneBox()) {
        const Outcome outcome = readerFound ? Outcome::WrongReader : mDevice.lastOutcome();
        // Without the box none of its values is known any more.
        mDevice.boxSettings().forgetBoxValues();
        listener.boxConfigRead();
        return FlowResult::failure(outcome, FlowResult::Icon::Information,
                                   tr("No Standalone Box detected, please plug one"));
    }
    listener.showProgress(FlowListener::ProgressMode::Read);
    listener.progress(0);
    mDevice.readBoxConfig();
    listener.boxConfigRead();
    const int count = mDevice.readBoxLogCount();
    if (count == -1) {
        return FlowResult::failure(mDevice.lastOutcome(), FlowResult::Icon::Information,
                                   tr("Read operation failed"));
    }
    if (count <= 0) {
        FlowResult empty;
        empty.text = tr("Read operation was successfull but memory is empty");
        return empty;
    }
    return downloadBoxLog(count, listener);
}

// Every entry gets its row and its LogBox line, read or not. The download counts as saved only
// when every entry was read, every line written and the file is on the disk.
//
// An entry that gets no answer at all costs a time-out and loses the link. The box may only have
// restarted, so the link is opened once more and the entry asked again; the entries after that
// fail at once until one is read. An answer cut short costs a time-out too, without losing the
// link. After kFailedEntriesBeforeGivingUp entries in a row without an answer that can be read,
// the rest is marked unread without asking: a dead box costs two time-outs, a box whose reader
// still answers three at most, a box that cuts every answer short those of three entries.
FlowResult BoxLogDownload::downloadBoxLog(int count, BoxLogListener& listener)
{
    listener.tableStarted(count);
    const QString path = mDevice.boxSettings().mLogBoxPath;
    LogBoxWriter logBox(path);
    int unreadEntries = 0;
    int lostLines = 0;
    int failedInARow = 0;
    Outcome lastFailure = Outcome::Done;
    QByteArray lastLine;
    for (int index = 0; index < count; ++index) {
        const bool givenUp = failedInARow >= kFailedEntriesBeforeGivingUp;
        const bool previousSilent = failedInARow > 0 && lastFailure == Outcome::ReaderLost;
        KelvoRecord entry = givenUp ? unreadBoxLogEntry() : mDevice.readBoxLogEntry(index);
        Outcome outcome = givenUp ? lastFailure : mDevice.lastOutcome();
        // The first silent entry of a run reopens the link; the others find it reopened already.
        if (!givenUp && outcome == Outcome::ReaderLost && !previousSilent) {
            if (mDevice.reopenBoxLink()) {
                entry = mDevice.readBoxLogEntry(index);
                outcome = mDevice.lastOutcome();
            }
        }
        if (!isUnreadBoxLogEntry(entry)) {
            failedInARow = 0;
        } else {
            ++unreadEntries;
            lastFailure = outcome;
            // A box that refuses an entry (an error echo) still answers: it is not given up on.
            const bool unanswered = outcome == Outcome::ReaderLost || outcome == Outcome::BadAnswer;
            failedInARow = unanswered ? failedInARow + 1 : 0;
        }
        listener.entryRead(index, entry);
        lastLine = BoxLogFormat::logBoxLine(entry);
        if (!logBox.append(lastLine))
            ++lostLines;
        listener.progress(int(index / float(count) * 100));
    }
    const bool onDisk = lostLines < count && logBox.flushToDisk();
    const bool saved = unreadEntries == 0 && lostLines == 0 && onDisk;
    mSavedCount = saved ? count : -1;
    mSavedPath = saved ? path : QString();
    mSavedLastLine = saved ? lastLine : QByteArray();
    listener.tableFinished(count, saved);
    if (saved)
        return FlowResult::success(tr("Read operation was successfull") + QLatin1Char('\n') +
                                   tr("The log was saved in %1").arg(LogBoxFile::shownPath(path)));

    QString text = tr("Read operation failed");
    if (unreadEntries > 0) {
        text += QLatin1Char('\n') +
                tr("%1 of the %2 log entries could not be read.").arg(unreadEntries).arg(count);
    }
    const bool gaveUp = failedInARow >= kFailedEntriesBeforeGivingUp;
    if (gaveUp && lastFailure == Outcome::ReaderLost) {
        text += QLatin1Char('\n') + tr("The box stopped answering: the download gave up after %1 "
                                       "entries in a row without any answer.")
                                        .arg(kFailedEntriesBeforeGivingUp);
    } else if (gaveUp) {
        text += QLatin1Char('\n') + tr("The box's answers could not be read: the download gave "
                                       "up after %1 entries in a row.")
                                        .arg(kFailedEntriesBeforeGivingUp);
    }
    if (lostLines > 0) {
        text += QLatin1Char('\n') +
                tr("The LogBox file %1 could not be written.").arg(LogBoxFile::shownPath(path));
    } else if (!onDisk) {
        text += QLatin1Char('\n') + tr("The LogBox file %1 could not be saved to the disk: %2.")
                                        .arg(LogBoxFile::shownPath(path), logBox.errorString());
    }
    return FlowResult::failure(lastFailure, FlowResult::Icon::Information, text);
}

std::optional<FlowResult> BoxLogDownload::erase(const EraseConfirmation& confirm)
{
    if (std::optional<FlowResult> refused = eraseRefusal())
        return refused;
    if (!confirm(mSavedCount, LogBoxFile::shownPath(mSavedPath)))
        return std::nullopt;
    // The question may have stayed open while another box was plugged in.
    if (std::optional<FlowResult> refused = eraseRefusal())
        return refused;
    if (!mDevice.eraseBoxLog()) {
        return FlowResult::failure(mDevice.lastOutcome(), FlowResult::Icon::Information,
                                   tr("Erase operation failed"));
    }
    mSavedCount = -1;
    mSavedPath.clear();
    mSavedLastLine.clear();
    return FlowResult::success(tr("Erase operation was successfull"));
}

// Erase Memory makes no reader search; it only opens the box's link again when an earlier
// request got no answer, so that a box that came back can be erased.
std::optional<FlowResult> BoxLogDownload::eraseRefusal()
{
    if (mSavedCount < 0)
        return refusal(Outcome::Done, tr("The box's log has not been saved whole: read it first."));
    if (!mDevice.isStandaloneBox())
        return refusal(Outcome::WrongReader, tr("No Standalone Box is connected."));
    mDevice.reopenBoxLink();
    const int count = mDevice.readBoxLogCount();
    if (count == -1) {
        return refusal(mDevice.lastOutcome(),
                       tr("The number of entries in the box could not be read again."));
    }
    if (count != mSavedCount) {
        return refusal(Outcome::Done,
                       tr("The box now holds %1 log entries, not the %2 saved: read it again "
                          "before erasing.")
                           .arg(count)
                           .arg(mSavedCount));
    }
    const KelvoRecord last = mDevice.readBoxLogEntry(mSavedCount - 1);
    if (isUnreadBoxLogEntry(last)) {
        return refusal(mDevice.lastOutcome(),
                       tr("The box's last log entry could not be read again."));
    }
    if (BoxLogFormat::logBoxLine(last) != mSavedLastLine) {
        return refusal(Outcome::Done, tr("The box's last log entry is not the one saved: it may be "
                                         "another box. Read it before erasing."));
    }
    return std::nullopt;
}

FlowResult BoxLogDownload::refusal(Outcome outcome, const QString& reason) const
{
    return FlowResult::failure(outcome, FlowResult::Icon::Information,
                               tr("Erase operation failed") + QLatin1Char('\n') + reason);
}
