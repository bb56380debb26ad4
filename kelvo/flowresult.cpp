#include "kelvo/flowresult.h"

QString FlowResult::readerLostNote()
{
    return QCoreApplication::translate(
        "FlowResult",
        "The reader stopped answering: check the cable and the reader, then try again.");
}
