#ifndef TAGSESSION_H
#define TAGSESSION_H

#include "kelvo/flowresult.h"
#include "kelvo/tabentries.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

class KelvoDevice;
class TagFlowListener;
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
    TagSession(KelvoDevice& device, TagFlowListener& listener);

    FlowResult read(TagTab tab);
    // The progress dialog is already showing, in write mode.
    FlowResult write(TagTab tab, const TabEntries& entries);

private:
    // The failure to report when the reader, the tag or the memory cannot be had.
    std::optional<FlowResult> claim();
    bool readSimplified();
    bool readAdvanced();
    bool writeSimplified(TabEntries entries);
    bool validateSimplified(TabEntries& entries);
    bool writeAdvanced(TabEntries entries);
    // The read before a write, logged and shown; false when it fails.
    bool startWrite(const QString& title, TagTab tab);
    // The log of the write and the check read after it, logged and shown.
    void finishWrite(const QString& title, TagTab tab, const KelvoRecord& written);
    void warnLogFailure(const QString& title);
    bool validateAdvanced(TabEntries& entries);
    void reject(const QString& text, TabField field, const QString& restoredText);
    bool appendOperationLog(const QByteArray& action);
    FlowResult withLogLines(FlowResult result) const;

    enum class WriteCheck
    {
        NotReadBack,
        ReadBackDifferent,
        Verified
    };

    KelvoDevice& mDevice;
    TagFlowListener& mListener;
    QByteArrayList mLogLines;
    QString mLastLogError;
    WriteCheck mWriteCheck = WriteCheck::NotReadBack;
};

#endif
