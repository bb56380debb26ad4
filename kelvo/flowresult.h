#ifndef FLOWRESULT_H
#define FLOWRESULT_H

#include "drivers/outcome.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QString>

// What a flow tells the operator when it ends: one message box titled "Varrow", and the colour of
// the clicked button while the box is open.
struct FlowResult
{
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
    Colour colour = Colour::Unchanged;
    Icon icon = Icon::Information;
    QString text;
    // The operations log lines that the flow appended, in order.
    QByteArrayList logLines;

    bool succeeded() const { return colour == Colour::Success; }

    static FlowResult success(const QString& text)
    {
        return {Outcome::Done, Colour::Success, Icon::Information, text, {}};
    }
    // A failure because the reader was lost says so under the text given: nothing else about
    // such a failure tells the operator to look at the cable. Callers never add the note again.
    static FlowResult failure(Outcome outcome, Icon icon, const QString& text)
    {
        const QString note =
            outcome == Outcome::ReaderLost ? QLatin1Char('\n') + readerLostNote() : QString();
        return {outcome, Colour::Failure, icon, text + note, {}};
    }

    static QString readerLostNote();
};

#endif
