#ifndef BOXLOGDOWNLOAD_H
#define BOXLOGDOWNLOAD_H

#include "kelvo/flowresult.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <functional>
#include <optional>

class FlowListener;
class KelvoDevice;
class LogBoxWriter;
struct KelvoRecord;

// READ DATA FROM BOX and Erase Memory. The box's log is downloaded entry by entry into the table
// and the current LogBox file. The box holds the only copy of its log, so erasing is allowed only
// after a download that saved every entry to the disk, only while the box still holds exactly
// the entries saved, ending with the very entry saved last, and only once the operator agreed.
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
    // None when the operator declined: nothing was erased and there is nothing to report.
    std::optional<FlowResult> erase(const EraseConfirmation& confirm);
    // The number of entries of the last download that saved every entry, -1 when the log shown
    // was not saved whole.
    int savedCount() const { return mSavedCount; }

private:
    FlowResult downloadBoxLog(int count, FlowListener& listener);
    // The refusal to erase, or none when the box still holds exactly the log saved.
    std::optional<FlowResult> eraseRefusal();
    FlowResult refusal(Outcome outcome, const QString& reason) const;

    KelvoDevice& mDevice;
    int mSavedCount = -1;
    QString mSavedPath;
    // The LogBox line of the last entry saved, which only that box holds at that place.
    QByteArray mSavedLastLine;
};

#endif
