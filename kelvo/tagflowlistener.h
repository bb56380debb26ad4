#ifndef TAGFLOWLISTENER_H
#define TAGFLOWLISTENER_H

#include "kelvo/flowlistener.h"
#include "kelvo/tabentries.h"

// What the read and write flows of the Kelvo show on their tab while they run.
class TagFlowListener : public FlowListener
{
public:
    // The device's record changed: the tab shows it now.
    virtual void recordChanged(TagTab tab) = 0;
    // A write refused an entry: the field gets back the text given, selected and focused.
    virtual void entryRejected(TabField field, const QString& restoredText) = 0;
    // A write accepted the entries; the serial number field ends in upper case.
    virtual void serialNumberAccepted(const QString& text) = 0;
};

#endif
