#include "box/boxlogdownload.h"

#include "box/boxconfiguration.h"
#include "box/boxlogformat.h"
#include "box/boxlogreading.h"
#include "box/logboxfile.h"
#include "box/logboxwriter.h"
#include "drivers/boxlogentry.h"
#include "drivers/kelvodevice.h"
#include "kelvo/flowlistener.h"

#include <QStringList>

#include <algorithm>

BoxLogDownload::BoxLogDownload(KelvoDevice& device) : mDevice(device) {}

FlowResult BoxLogDownload::read(FlowListener& listener)
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
    // The previous download's table and count go before anything of this box is read, and with
    // them the log it saved.
    mSavedLog.reset();
    listener.tableStarted(0);
    mDevice.readBoxConfig();
    listener.boxConfigRead();
    // A box that did not answer one of its settings may still hold its log: only one that does
    // not answer when its link is opened again is lost.
    mDevice.reopenBoxLink();
    const int count = mDevice.readBoxLogCount();
    if (count == -1) {
        return withBoxValuesNote(FlowResult::failure(
            mDevice.lastOutcome(), FlowResult::Icon::Information, tr("Read operation failed")));
    }
    if (count <= 0) {
        // Nothing to save, and nothing wrong either.
        return withBoxValuesNote({Outcome::Done,
                                  FlowResult::Verdict::DoneWithWarning,
                                  FlowResult::Icon::Information,
                                  tr("Read operation was successfull but memory is empty"),
                                  {}});
    }
    return withBoxValuesNote(downloadBoxLog(count, listener));
}

FlowResult BoxLogDownload::withBoxValuesNote(FlowResult result) const
{
    const QString note = BoxConfiguration::heldValueNote(mDevice.boxSettings());
    if (!note.isEmpty())
        result.text += QLatin1Char('\n') + note;
    return result;
}

// Every entry gets its row; the entries read get their LogBox lines. The download counts as saved
// only when every entry was read, every line written and the file is on the disk, and when no
// answer may have been taken for another request's: once the line was in doubt (an answer failed
// and an entry was asked again, or bytes came that belonged to no request), the entries from the
// one before that moment on are read once more and must give the same lines, and the box must
// still hold as many entries.
//
// An entry that gets no answer at all costs a time-out and loses the link. The box may only have
// restarted, so the link is opened once more and the entry asked again; a box that does not
// answer then either is gone, and the rest is marked unread without asking. An answer cut short
// costs a time-out too, without losing the link. After kFailedEntriesBeforeGivingUp entries in a
// row, each asked, without an answer that can be read, the rest is marked unread as well.
FlowResult BoxLogDownload::downloadBoxLog(int count, FlowListener& listener)
{
    listener.tableStarted(count);
    const QString path = mDevice.boxSettings().mLogBoxPath;
    LogBoxWriter logBox(path);
    QList<QByteArray> lines;
    int unreadEntries = 0;
    int lostLines = 0;
    int failedInARow = 0;
    int firstDoubtful = -1;
    int goneAtEntry = -1;
    Outcome lastFailure = Outcome::Done;
    for (int index = 0; index < count; ++index) {
        const bool givenUp = failedInARow >= kFailedEntriesBeforeGivingUp || goneAtEntry >= 0;
        const int doubtsBefore = mDevice.boxDoubtfulMoments();
        const BoxLogReading reading = givenUp ? BoxLogReading{unreadBoxLogEntry(), false}
                                              : BoxLogReading::read(mDevice, index);
        const Outcome outcome = givenUp ? lastFailure : mDevice.lastOutcome();
        if (firstDoubtful < 0 && mDevice.boxDoubtfulMoments() != doubtsBefore)
            firstDoubtful = std::max(0, index - 1);
        if (reading.boxGone)
            goneAtEntry = index;
        const KelvoRecord& entry = reading.entry;
        listener.entryRead(index, entry);
        if (!isUnreadBoxLogEntry(entry)) {
            failedInARow = 0;
            lines << BoxLogFormat::logBoxLine(entry);
            if (!logBox.append(lines.last()))
                ++lostLines;
        } else {
            lines << QByteArray();
            ++unreadEntries;
            lastFailure = outcome;
            // A box that refuses an entry (an error echo) still answers: it is not given up on.
            const bool unanswered = outcome == Outcome::ReaderLost || outcome == Outcome::BadAnswer;
            failedInARow = unanswered ? failedInARow + 1 : 0;
        }
        listener.progress(int(index / float(count) * 100));
    }
    const int writtenLines = count - unreadEntries - lostLines;
    const bool onDisk = writtenLines > 0 && logBox.flushToDisk();
    const bool readWhole = unreadEntries == 0 && lostLines == 0 && onDisk;
    // The box must still hold as many entries; bytes met before that request may be the last
    // entry's true answer.
    const int doubtsBeforeCount = mDevice.boxDoubtfulMoments();
    const int countAgain = readWhole ? mDevice.readBoxLogCount() : count;
    if (firstDoubtful < 0 && mDevice.boxDoubtfulMoments() != doubtsBeforeCount)
        firstDoubtful = count - 1;
    const QList<int> doubtful = readWhole && countAgain == count && firstDoubtful >= 0
                                    ? entriesReadDifferently(firstDoubtful, lines)
                                    : QList<int>();
    const bool saved = readWhole && doubtful.isEmpty() && countAgain == count;
    if (saved)
        mSavedLog = SavedBoxLog{path, count};
    listener.tableFinished(count, saved);
    if (saved)
        return FlowResult::success(tr("Read operation was successfull") + QLatin1Char('\n') +
                                   tr("The log was saved in %1").arg(LogBoxFile::shownPath(path)));

    QString text = tr("Read operation failed");
    const bool gaveUp = goneAtEntry >= 0 || failedInARow >= kFailedEntriesBeforeGivingUp;
    // Only a box that answered nothing more is lost; one that left some entries without an
    // answer and answered the rest is not.
    Outcome failure =
        lastFailure == Outcome::ReaderLost && !gaveUp ? Outcome::BadAnswer : lastFailure;
    if (unreadEntries > 0) {
        text += QLatin1Char('\n') +
                tr("%1 of the %2 log entries could not be read; they are not in the LogBox file.")
                    .arg(unreadEntries)
                    .arg(count);
    }
    if (goneAtEntry >= 0) {
        text += QLatin1Char('\n') + tr("The box stopped answering: entry %1 got no answer, nor did "
                                       "the box when its link was opened again.")
                                        .arg(goneAtEntry + 1);
    } else if (failedInARow >= kFailedEntriesBeforeGivingUp && lastFailure == Outcome::ReaderLost) {
        text += QLatin1Char('\n') + tr("The box stopped answering: the download gave up after %1 "
                                       "entries in a row without any answer.")
                                        .arg(kFailedEntriesBeforeGivingUp);
    } else if (failedInARow >= kFailedEntriesBeforeGivingUp) {
        text += QLatin1Char('\n') + tr("The box's answers could not be read: the download gave "
                                       "up after %1 entries in a row.")
                                        .arg(kFailedEntriesBeforeGivingUp);
    }
    if (lostLines > 0) {
        text += QLatin1Char('\n') +
                tr("The LogBox file %1 could not be written.").arg(LogBoxFile::shownPath(path));
    } else if (writtenLines > 0 && !onDisk) {
        text += QLatin1Char('\n') + tr("The LogBox file %1 could not be saved to the disk: %2.")
                                        .arg(LogBoxFile::shownPath(path), logBox.errorString());
    }
    if (!doubtful.isEmpty()) {
        QStringList rows;
        for (const int row : doubtful)
            rows << QString::number(row);
        failure = Outcome::BadAnswer;
        text += QLatin1Char('\n') + tr("Doubtful entries, whose answers differed when read again: "
                                       "%1. Read the box again.")
                                        .arg(rows.join(QStringLiteral(", ")));
    }
    if (readWhole && countAgain != count) {
        failure = countAgain == -1 ? mDevice.lastOutcome() : Outcome::NotAsWritten;
        text += QLatin1Char('\n') + tr("The number of entries in the box could not be confirmed "
                                       "after the download. Read the box again.");
    }
    return FlowResult::failure(failure, FlowResult::Icon::Information, text);
}

QList<int> BoxLogDownload::entriesReadDifferently(int first, const QList<QByteArray>& lines)
{
    QList<int> rows;
    for (int index = first; index < lines.size(); ++index) {
        const BoxLogReading reading = BoxLogReading::read(mDevice, index);
        if (isUnreadBoxLogEntry(reading.entry) ||
            BoxLogFormat::logBoxLine(reading.entry) != lines.at(index))
            rows << index + 1;
    }
    return rows;
}

// Erase Memory makes no reader search; it only opens the box's link again when an earlier
// request got no answer, so that a box that came back can be erased.
std::optional<FlowResult> BoxLogDownload::erase(const EraseConfirmation& confirm,
                                                FlowListener& listener)
{
    if (!mSavedLog) {
        return BoxLogErase::refusal(Outcome::Done,
                                    tr("The box's log has not been saved whole: read it first."));
    }
    if (!mDevice.isStandaloneBox())
        return BoxLogErase::refusal(Outcome::WrongReader, tr("No Standalone Box is connected."));
    if (std::optional<FlowResult> refused = BoxLogErase(mDevice, *mSavedLog).countRefusal())
        return refused;
    if (!confirm(mSavedLog->count, LogBoxFile::shownPath(mSavedLog->path)))
        return std::nullopt;
    // Once asked, the erase needs a new download, whatever it finds: the log it checked is the
    // one to save again.
    const SavedBoxLog saved = *mSavedLog;
    mSavedLog.reset();
    return BoxLogErase(mDevice, saved).run(listener);
}
