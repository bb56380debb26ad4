#ifndef BOXLOGDOWNLOAD_H
#define BOXLOGDOWNLOAD_H

#include "box/boxlogerase.h"
#include "kelvo/flowresult.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class FlowListener;
class KelvoDevice;
struct KelvoRecord;

// READ DATA FROM BOX and Erase Memory. The box's log is downloaded entry by entry into the table
// and the current LogBox file. The box holds the only copy of its log, so erasing is allowed only
// after a download that saved every entry to the disk, once the operator agreed, and only when
// the box then still holds, entry by entry, what the LogBox file on the disk holds.
class BoxLogDownload
{
    Q_DECLARE_TR_FUNCTIONS(BoxLogDownload)

public:
    // Asked once the log may be erased: the number of entries and the LogBox file they were
    // saved in. True lets the erase go on.
    using EraseConfirmation = std::function<bool(int count, const QString& logBoxPath)>;

    // A box that leaves this many entries in a row without any answer, or without one that can
    // be read, is taken as gone.
    static constexpr int kFailedEntriesBeforeGivingUp = 3;

    explicit BoxLogDownload(KelvoDevice& device);

    // Shows the progress dialog once the box is found; the caller hides it after the result.
    FlowResult read(FlowListener& listener);
    // None when the operator declined: nothing was erased and there is nothing to report. Shows
    // the progress of the check before the erase; the caller hides it after the result.
    std::optional<FlowResult> erase(const EraseConfirmation& confirm, FlowListener& listener);

private:
    FlowResult downloadBoxLog(int count, FlowListener& listener);
    // The entries from first on, read once more, whose answers differ from the lines of the
    // first read (an empty line for an entry not read), as row numbers.
    QList<int> entriesReadDifferently(int first, const QList<QByteArray>& lines);
    // Under the text, a line when the box holds a value that CONFIGURE BOX would refuse.
    FlowResult withBoxValuesNote(FlowResult result) const;

    KelvoDevice& mDevice;
    std::optional<SavedBoxLog> mSavedLog;
};

#endif
