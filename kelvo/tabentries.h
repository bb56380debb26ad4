#ifndef TABENTRIES_H
#define TABENTRIES_H

#include <QString>

// The tabs whose Read and Write reach the Kelvo's tag.
enum class TagTab
{
    Simplified,
    Advanced
};

// The operator's entries of one tab, as the fields hold them when Write is clicked.
struct TabEntries
{
    QString activationDepth;
    QString filter;
    QString streamer;
    QString device;
    QString kelvoSerialNumber;
    QString batteryThreshold;
    QString serialNumber;
};

#endif
