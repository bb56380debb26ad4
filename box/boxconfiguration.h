#ifndef BOXCONFIGURATION_H
#define BOXCONFIGURATION_H

#include "kelvo/flowresult.h"

#include <QCoreApplication>
#include <QString>

class KelvoDevice;

// The box's activation depth and filter as the operator entered them.
struct BoxEntries
{
    QString activationDepth;
    QString filter;
};

// CONFIGURE BOX: the entries are written to the box, then its settings are read back so that the
// tab shows what the box now holds.
class BoxConfiguration
{
    Q_DECLARE_TR_FUNCTIONS(BoxConfiguration)

public:
    explicit BoxConfiguration(KelvoDevice& device);

    FlowResult configure(const BoxEntries& entries);
    // Reads the box's battery, settings and clock into the device's BoxSettings and sets its
    // clock; false when the settings could not be read.
    bool readBack();
    // False when configure() found no reader: there is nothing to read back.
    bool readerFound() const { return mReaderFound; }

private:
    KelvoDevice& mDevice;
    bool mReaderFound = false;
};

#endif
