#ifndef BOXCONFIGURATION_H
#define BOXCONFIGURATION_H

#include "kelvo/flowresult.h"

#include <QCoreApplication>
#include <QString>

class KelvoDevice;
struct BoxSettings;

// The box's activation depth and filter as the operator entered them.
struct BoxEntries
{
    QString activationDepth;
    QString filter;
};

// CONFIGURE BOX: the entries are checked against the ranges that the fields' keypads offer and
// written to the box whole, then its settings are read back so that the tab shows what the box
// now holds, or nothing where the box did not answer. The write counts only when the box answers
// the read-back with the values written.
class BoxConfiguration
{
    Q_DECLARE_TR_FUNCTIONS(BoxConfiguration)

public:
    explicit BoxConfiguration(KelvoDevice& device);

    // An entry outside its range is refused with a warning that names the range, and nothing is
    // written. Once something was sent, the settings are read back before the result.
    FlowResult configure(const BoxEntries& entries);
    // Reads the box's battery, settings and clock into the device's BoxSettings and sets its
    // clock; false when the settings could not be read. With no box as reader it makes no
    // exchange and the box's values become unknown.
    bool readBack();
    // A line saying that the box holds a value CONFIGURE BOX would refuse, or empty text when
    // every value read from the box lies in its keypad's range.
    static QString heldValueNote(const BoxSettings& box);
    // False when configure() found no reader.
    bool readerFound() const { return mReaderFound; }

private:
    FlowResult write(const BoxEntries& entries);

    KelvoDevice& mDevice;
    bool mReaderFound = false;
    // The write read the settings back already.
    bool mReadBack = false;
};

#endif
