#include "box/boxlogdownload.h"

#include "box/boxlogformat.h"
#include "box/boxloglistener.h"
#include "box/logboxwriter.h"
#include "drivers/boxlogentry.h"
#include "drivers/kelvodevice.h"

BoxLogDownload::BoxLogDownload(KelvoDevice& device) : mDevice(device) {}

FlowResult BoxLogDownload::read(BoxLogListener& listener)
{
    if (!mDevice.ensureReader()) {
        return FlowResult::failure(mDevice.lastOutcome(), FlowResult::Icon::Information,
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
// when every entry was read and every line written.
FlowResult BoxLogDownload::downloadBoxLog(int count, BoxLogListener& listener)
{
    listener.tableStarted(count);
    LogBoxWriter logBox(mDevice.boxSettings().mLogBoxPath);
    int unreadEntries = 0;
    int lostLines = 0;
    Outcome lastFailure = Outcome::Done;
    for (int index = 0; index < count; ++index) {
        const KelvoRecord entry = mDevice.readBoxLogEntry(index);
        if (isUnreadBoxLogEntry(entry)) {
            ++unreadEntries;
            lastFailure = mDevice.lastOutcome();
        }
        listener.entryRead(index, entry);
        if (!appendLogBoxLine(logBox, entry))
            ++lostLines;
        listener.progress(int(index / float(count) * 100));
    }
    const bool saved = unreadEntries == 0 && lostLines == 0;
    mSavedCount = saved ? count : -1;
    listener.tableFinished(count, saved);
    if (saved)
        return FlowResult::success(tr("Read operation was successfull"));

    QString text = tr("Read operation failed");
    if (unreadEntries > 0) {
        text += QLatin1Char('\n') +
                tr("%1 of the %2 log entries could not be read.").arg(unreadEntries).arg(count);
    }
    if (lostLines > 0) {
        text +=
            QLatin1Char('\n') +
            tr("The LogBox file %1 could not be written.").arg(mDevice.boxSettings().mLogBoxPath);
    }
    return FlowResult::failure(lastFailure, FlowResult::Icon::Information, text);
}

bool BoxLogDownload::appendLogBoxLine(LogBoxWriter& logBox, const KelvoRecord& entry)
{
    return logBox.append(BoxLogFormat::logBoxLine(entry));
}

FlowResult BoxLogDownload::erase()
{
    const QString refusal = eraseRefusal();
    if (refusal.isEmpty() && mDevice.eraseBoxLog()) {
        mSavedCount = -1;
        return FlowResult::success(tr("Erase operation was successfull"));
    }
    QString text = tr("Erase operation failed");
    if (!refusal.isEmpty())
        text += QLatin1Char('\n') + refusal;
    const Outcome outcome = refusal.isEmpty() ? mDevice.lastOutcome() : Outcome::Done;
    return FlowResult::failure(outcome, FlowResult::Icon::Information, text);
}

QString BoxLogDownload::eraseRefusal()
{
    if (mSavedCount < 0)
        return tr("The box's log has not been saved whole: read it first.");
    if (!mDevice.isStandaloneBox())
        return tr("No Standalone Box is connected.");
    const int count = mDevice.readBoxLogCount();
    if (count == -1)
        return tr("The number of entries in the box could not be read again.");
    if (count != mSavedCount) {
        return tr("The box now holds %1 log entries, not the %2 saved: read it again before "
                  "erasing.")
            .arg(count)
            .arg(mSavedCount);
    }
    return QString();
}
