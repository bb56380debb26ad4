#ifndef FLOWLISTENER_H
#define FLOWLISTENER_H

#include "kelvo/tabentries.h"

#include <QString>

struct KelvoRecord;

// What a flow shows while it runs, each at the moment the flow reaches it: the progress dialog,
// its warnings, the record or the box's log as a tab shows them, and the entries it puts back
// into their fields. The window shows them; the tests record what they look at. Each does
// nothing unless overridden.
class FlowListener
{
public:
    enum class ProgressMode
    {
        Read,
        Write
    };

    // The entries that a flow checks, and puts back when it refuses them.
    enum class Field
    {
        AdvancedActivationDepth,
        AdvancedFilter,
        AdvancedSerialNumber,
        PresetDepth1,
        PresetDepth2,
        PresetDepth3,
        AdvancedKelvoSerialNumber
    };

    virtual ~FlowListener() = default;

    virtual void showProgress(ProgressMode /*mode*/) {}
    virtual void progress(int /*value*/) {}
    virtual void hideProgress() {}
    // A modal warning with its own title, shown before the flow goes on.
    virtual void warning(const QString& /*title*/, const QString& /*text*/) {}

    // The device's record changed: the tab shows it now.
    virtual void recordChanged(TagTab /*tab*/) {}
    // The field gets the text: a refused entry the value held before, selected and focused for a
    // new entry; an accepted one the form it is written in.
    virtual void restoreField(Field /*field*/, const QString& /*text*/, bool /*refused*/) {}

    // READ DATA FROM BOX. The box's settings were read into the device's BoxSettings (or became
    // unknown).
    virtual void boxConfigRead() {}
    // The table gets one empty row per entry.
    virtual void tableStarted(int /*count*/) {}
    // The entry's row, read or not.
    virtual void entryRead(int /*index*/, const KelvoRecord& /*entry*/) {}
    // Every entry has its row; the erase button shows when the log was saved whole.
    virtual void tableFinished(int /*count*/, bool /*savedWhole*/) {}
};

#endif
