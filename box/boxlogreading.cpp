#include "box/boxlogreading.h"

#include "drivers/boxlogentry.h"
#include "drivers/kelvodevice.h"

BoxLogReading BoxLogReading::read(KelvoDevice& device, int index)
{
    BoxLogReading reading{device.readBoxLogEntry(index), false};
    if (!isUnreadBoxLogEntry(reading.entry) || device.lastOutcome() != Outcome::ReaderLost)
        return reading;
    if (!device.reopenBoxLink()) {
        reading.boxGone = true;
        return reading;
    }
    reading.entry = device.readBoxLogEntry(index);
    return reading;
}
