#ifndef BOXSETTINGS_H
#define BOXSETTINGS_H

#include <QString>
#include <QtGlobal>

// The Standalone Box's configuration as last read or entered, and the current LogBox file.
struct BoxSettings
{
    quint8 mBoxActivationDepth = 50;
    quint16 mBoxFilter = 5;
    quint8 mBoxBatteryLevel = 0;
    QString mLogBoxPath;
};

#endif
