#ifndef BOXSETTINGS_H
#define BOXSETTINGS_H

#include <QString>
#include <QtGlobal>

// The Standalone Box's configuration and battery level as last read, and the current LogBox file.
// A value that the last read did not get from the box is unknown, whatever its member holds: the
// tab shows it as unknown, never as a number.
struct BoxSettings
{
    quint8 mBoxActivationDepth = 50;
    quint16 mBoxFilter = 5;
    quint8 mBoxBatteryLevel = 0;
    QString mLogBoxPath;
    // The activation depth and the filter, which the box reports together, came from the box.
    bool mBoxConfigRead = false;
    bool mBoxBatteryLevelRead = false;

    // No value of the box is known: it could not be reached, or the reader is not the box.
    void forgetBoxValues()
    {
        mBoxConfigRead = false;
        mBoxBatteryLevelRead = false;
    }
};

#endif
