#include "kelvo/flowresult.h"

QString FlowResult::readerLostNote()
{
    return QCoreApplication::translate(
        "FlowResult",
        "The reader stopped answering: check the cable and the reader, then try again.");
}

FlowResult::Colour FlowResult::colour() const
{
    if (verdict == Verdict::DoneWithWarning)
        return Colour::Unchanged;
    return verdict == Verdict::Done ? Colour::Success : Colour::Failure;
}

FlowResult::Icon FlowResult::icon() const
{
    return verdict == Verdict::Done ? Icon::Information : noteIcon;
}

void FlowResult::addWarning(const QString& line)
{
    verdict = Verdict::DoneWithWarning;
    noteIcon = Icon::Warning;
    text += QLatin1Char('\n') + line;
}
