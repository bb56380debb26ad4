#ifndef TAGSESSION_H
#define TAGSESSION_H

#include "kelvo/flowlistener.h"
#include "kelvo/flowresult.h"
#include "kelvo/tabentries.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

class KelvoDevice;
struct KelvoRecord;

// Read and Write of the Simplified and Advanced tabs on the device's Kelvo: the claim (reader,
// tag, memory hand-over, in that order; the first that fails is reported), the tab's read or
// write with its read before and check read after, the release of the memory, and the result to
// show. The device's record holds what was read or written; every READ and WRITE is appended to
// the operations log named by the record.
class TagSession
{
    Q_DECLARE_TR_FUNCTIONS(TagSession)

public:
    TagSession(KelvoDevice& device, FlowListener& listener);

    FlowResult read(TagTab tab);
    // The progress dialog is already showing, in write mode.
    FlowResult write(TagTab tab, const TabEntries& entries);

private:
    // The failure to report when the reader, the tag or the memory cannot be had.
    std::optional<FlowResult> claim();
    // The tab's read, logged and shown, with the tab's own progress steps and warning title.
    bool readTab(TagTab tab);
    // The tab's write with the read before it, each logged and shown; false when the entries are
    // refused or the read before or the write fails.
    bool writeTab(TagTab tab, TabEntries entries);
    bool validateSimplified(TabEntries& entries);
    // The log of the write and the check read after it, logged and shown.
    void finishWrite(const QString& title, TagTab tab, const KelvoRecord& written);
    // The tab shows the record once the action is logged; a failed log line is warned about.
    void logAndShow(const QByteArray& action, const QString& title, TagTab tab);
    void warnLogFailure(const QString& title);
    bool validateAdvanced(TabEntries& entries);
    void reject(const QString& text, FlowListener::Field field, const QString& restoredText);
    bool appendOperationLog(const QByteArray& action);
    FlowResult withLogLines(FlowResult result) const;

    enum class WriteCheck
    {
        NotReadBack,
        ReadBackDifferent,
        Verified
    };

    KelvoDevice& mDevice;
    FlowListener& mListener;
    QByteArrayList mLogLines;
    QString mLastLogError;
    WriteCheck mWriteCheck = WriteCheck::NotReadBack;
};

#endif
