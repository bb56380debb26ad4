#ifndef TAGSESSION_H
#define TAGSESSION_H

#include "kelvo/flowlistener.h"
#include "kelvo/flowresult.h"
#include "kelvo/tabentries.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

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
    // refused or the read before or the write fails. The record as the tab showed it when Write
    // was clicked tells which entries were typed and for which Kelvo.
    bool writeTab(TagTab tab, TabEntries entries, const KelvoRecord& shown);
    // The first entry refused, if any: the warning's text, and the Advanced field with the value
    // it gets back.
    struct Refusal
    {
        QString text;
        FlowListener::Field field;
        QString restoredText;
    };
    // False, with the refusal shown, when an entry is refused.
    bool accepted(TagTab tab, TabEntries& entries, const KelvoRecord& shown);
    std::optional<Refusal> firstRefusal(const TabEntries& entries, const KelvoRecord& shown,
                                        bool checkSerialNumber) const;
    void takeEntries(const TabEntries& entries, const KelvoRecord& shown);
    // The log of the write and the check read after it, logged and shown.
    void finishWrite(const QString& title, TagTab tab, const KelvoRecord& written);
    // The action is logged, or its failure warned about, and the tab shows the record; false when
    // the line could not be appended.
    bool logAndShow(const QByteArray& action, const QString& title, TagTab tab);
    void warnLogFailure(const QString& title);
    bool appendOperationLog(const QByteArray& action);
    // The lines under the success text of a read whose values count but need attention.
    QStringList readWarnings(bool released) const;
    // The outcome is the flow's last, before the memory was handed back.
    FlowResult writeResult(bool success, Outcome outcome, bool released);
    FlowResult withLogLines(FlowResult result) const;

    enum class WriteCheck
    {
        NotReadBack,
        ReadBackDifferent,
        ChecksumsDifferent,
        Verified
    };

    KelvoDevice& mDevice;
    FlowListener& mListener;
    QByteArrayList mLogLines;
    QString mLastLogError;
    WriteCheck mWriteCheck = WriteCheck::NotReadBack;
    // The identity fields a write kept as the Kelvo holds them, one line each.
    QStringList mKeptLines;
    // Why the WRITE line could not be appended, when it could not.
    QString mWriteNotLogged;
};

#endif
