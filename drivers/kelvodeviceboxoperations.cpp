#include "drivers/kelvodevice.h"

#include "drivers/boxlogentry.h"
#include "drivers/standaloneboxdriver.h"

#include <iostream>

StandaloneBoxDriver* KelvoDevice::activeBox() const
{
    return dynamic_cast<StandaloneBoxDriver*>(mDriver.get());
}

StandaloneBoxDriver* KelvoDevice::boxDriver()
{
    StandaloneBoxDriver* box = activeBox();
    if (box == nullptr)
        finish(mDriver ? Outcome::WrongReader : Outcome::NoReader);
    return box;
}

bool KelvoDevice::readBoxConfig()
{
    mBoxSettings.forgetBoxValues();
    StandaloneBoxDriver* box = boxDriver();
    if (box == nullptr) {
        return false;
    }
    mBoxSettings.mBoxBatteryLevel = box->readBatteryLevel();
    mBoxSettings.mBoxBatteryLevelRead = box->lastOutcome() == Outcome::Done;
    mBoxSettings.mBoxConfigRead =
        box->readConfig(mBoxSettings.mBoxActivationDepth, mBoxSettings.mBoxFilter);
    const Outcome configOutcome = box->lastOutcome();
    box->readClock();
    box->setClock();
    return finish(mBoxSettings.mBoxConfigRead ? Outcome::Done : configOutcome);
}

bool KelvoDevice::reopenBoxLink()
{
    StandaloneBoxDriver* box = boxDriver();
    if (box == nullptr)
        return false;
    return box->reopenLink() ? finish(Outcome::Done) : driverFailed();
}

bool KelvoDevice::writeBoxConfig()
{
    StandaloneBoxDriver* box = boxDriver();
    if (box == nullptr)
        return false;
    return box->writeConfig(mBoxSettings.mBoxActivationDepth, mBoxSettings.mBoxFilter)
               ? finish(Outcome::Done)
               : driverFailed();
}

bool KelvoDevice::eraseBoxLog()
{
    StandaloneBoxDriver* box = boxDriver();
    if (box == nullptr)
        return false;
    return box->eraseLog() ? finish(Outcome::Done) : driverFailed();
}

int KelvoDevice::readBoxLogCount()
{
    StandaloneBoxDriver* box = boxDriver();
    if (box == nullptr)
        return 0;
    const int count = box->readLogCount();
    if (count >= 0)
        finish(Outcome::Done);
    else
        driverFailed();
    return count;
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
    if (isBoxLogEntryText(text))
        finish(Outcome::Done);
    else
        driverFailed();
    return decodeBoxLogEntry(text);
}

int KelvoDevice::boxDoubtfulMoments() const
{
    const StandaloneBoxDriver* box = activeBox();
    return box != nullptr ? box->doubtfulMoments() : 0;
}
