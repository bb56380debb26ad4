#ifndef BOXLOGLISTENER_H
#define BOXLOGLISTENER_H

#include "kelvo/flowlistener.h"

struct KelvoRecord;

// What READ DATA FROM BOX shows while it runs.
class BoxLogListener : public FlowListener
{
public:
    // The box's settings were read into the device's BoxSettings (or kept, when they could not).
    virtual void boxConfigRead() = 0;
    // The table gets one empty row per entry.
    virtual void tableStarted(int count) = 0;
    // The entry's row, read or not.
    virtual void entryRead(int index, const KelvoRecord& entry) = 0;
    // Every entry has its row; the erase button shows when the log was saved whole.
    virtual void tableFinished(int count, bool savedWhole) = 0;
};

#endif
