#include "drivers/kelvodevice.h"

#include "box/boxlogentry.h"
#include "drivers/standaloneboxdriver.h"

#include <iostream>

StandaloneBoxDriver* KelvoDevice::boxDriver()
{
    return isStandaloneBox() ? dynamic_cast<StandaloneBoxDriver*>(mDriver.get()) : nullptr;
}

bool KelvoDevice::readBoxConfig()
{
    StandaloneBoxDriver* box = boxDriver();
    if (box == nullptr) {
        return false;
    }
    mBoxSettings.mBoxBatteryLevel = box->readBatteryLevel();
    const bool configRead =
        box->readConfig(mBoxSettings.mBoxActivationDepth, mBoxSettings.mBoxFilter);
    box->readClock();
    box->setClock();
    return configRead;
}

bool KelvoDevice::writeBoxConfig()
{
    StandaloneBoxDriver* box = boxDriver();
    return box != nullptr &&
           box->writeConfig(mBoxSettings.mBoxActivationDepth, mBoxSettings.mBoxFilter);
}

bool KelvoDevice::eraseBoxLog()
{
    StandaloneBoxDriver* box = boxDriver();
    return box != nullptr && box->eraseLog();
}

int KelvoDevice::readBoxLogCount()
{
    StandaloneBoxDriver* box = boxDriver();
    return box != nullptr ? box->readLogCount() : 0;
}

KelvoRecord KelvoDevice::readBoxLogEntry(int index)
{
    StandaloneBoxDriver* box = boxDriver();
    if (box == nullptr) {
        return unreadBoxLogEntry();
    }
    QByteArray text = box->readLogEntry(index);
    if (!isBoxLogEntryText(text)) {
        text = box->readLogEntry(index);
        std::cout << "error" << std::flush;
    }
    return decodeBoxLogEntry(text);
}
