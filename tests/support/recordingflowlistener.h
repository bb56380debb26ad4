#ifndef RECORDINGFLOWLISTENER_H
#define RECORDINGFLOWLISTENER_H

#include "kelvo/flowlistener.h"

#include <QList>
#include <QStringList>

struct KelvoRecord;

// Listens to a tag flow or a box log download in place of the window and records what the window
// would show: the progress values, the warnings, the record as the tab shows it at the flow's last
// recordChanged, the entries written back into fields, the questions asked and the rows of the
// box's log table.
class RecordingFlowListener : public FlowListener
{
public:
    // The record is the device's, which the flows fill.
    explicit RecordingFlowListener(const KelvoRecord& record);

    const QList<int>& progressValues() const { return mProgressValues; }
    bool progressShown() const { return mProgressShown; }
    // "title: text" for every warning, in order.
    const QStringList& warnings() const { return mWarnings; }
    // The tab's fields as "name=text", empty until the flow shows the record.
    const QStringList& shownRecord() const { return mShownRecord; }
    // What rejected or accepted entries put back into their fields, in order.
    const QStringList& fieldTexts() const { return mFieldTexts; }
    // The questions the flow asked, each answered yes.
    const QStringList& questions() const { return mQuestions; }
    // One line per row of the box's log table, the cells of a row joined by '|' (a row the
    // download never filled stays empty), then the count the table ends with and whether the
    // erase is offered.
    const QStringList& tableRows() const { return mTableRows; }

    void showProgress(ProgressMode mode) override;
    void progress(int value) override;
    void hideProgress() override;
    void warning(const QString& title, const QString& text) override;
    void recordChanged(TagTab tab) override;
    void restoreField(Field field, const QString& text, bool refused) override;
    void tableStarted(int count) override;
    void entryRead(int index, const KelvoRecord& entry) override;
    void tableFinished(int count, bool savedWhole) override;

    // The erase question, answered as an operator who agrees to erase the count entries.
    bool agreeToErase(int count);

private:
    const KelvoRecord& mRecord;
    QList<int> mProgressValues;
    bool mProgressShown = false;
    QStringList mWarnings;
    QStringList mShownRecord;
    QStringList mFieldTexts;
    QStringList mQuestions;
    QStringList mTableRows;
};

#endif
