#ifndef FLOWRESULT_H
#define FLOWRESULT_H

#include "drivers/outcome.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QString>

// What a flow tells the operator when it ends: one message box titled "Varrow", and the colour of
// the clicked button while the box is open. Both follow from the verdict.
struct FlowResult
{
    enum class Verdict
    {
        Done,
        // What was read or written counts, with a warning to heed.
        DoneWithWarning,
        Failed
    };

    enum class Colour
    {
        // The button keeps its style.
        Unchanged,
        Success,
        Failure
    };

    enum class Icon
    {
        Information,
        Warning,
        Critical
    };

    // Why the flow failed, or Done.
    Outcome outcome = Outcome::Done;
    Verdict verdict = Verdict::Failed;
    // The icon unless the flow is plainly done, which shows Information.
    Icon noteIcon = Icon::Information;
    QString text;
    // The operations log lines that the flow appended, in order.
    QByteArrayList logLines;

    bool succeeded() const { return verdict != Verdict::Failed; }
    // Green when done, red when failed; a warning leaves the button as it is.
    Colour colour() const;
    Icon icon() const;
    // A line under the text; the flow is then done with a warning.
    void addWarning(const QString& line);

    static FlowResult success(const QString& text)
    {
        return {Outcome::Done, Verdict::Done, Icon::Information, text, {}};
    }
    // A failure because the reader was lost says so under the text given: nothing else about
    // such a failure tells the operator to look at the cable. Callers never add the note again.
    static FlowResult failure(Outcome outcome, Icon icon, const QString& text)
    {
        const QString note =
            outcome == Outcome::ReaderLost ? QLatin1Char('\n') + readerLostNote() : QString();
        return {outcome, Verdict::Failed, icon, text + note, {}};
    }

    static QString readerLostNote();
};

#endif
