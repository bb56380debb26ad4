#include "demo/demoboxlog.h"

#include "emulation/emulatedstandalonebox.h"
#include "kelvo/tagencoding.h"
#include "kelvo/tagmemorymap.h"

#include <QDateTime>

#include <algorithm>

namespace {

// A small fixed-seed generator, so that every run shows the same log.
class DemoRandom
{
public:
    quint32 below(quint32 bound)
    {
        mState = mState * 1664525u + 1013904223u;
        return (mState >> 8) % bound;
    }

private:
    quint32 mState = 20240108u;
};

quint16 rawDepth(double metres)
{
    return quint16(metres * 3.6 + 60.0);
}

// The few Kelvos of the streamer that need a look; the others are set alike and sound.
enum class Oddity
{
    None,
    OtherDepth,
    OtherFilter,
    WeakBattery,
    ErrorFlag,
    LowSupercap
};

Oddity oddityOf(int kelvo)
{
    switch (kelvo) {
    case 408:
    case 434:
        return Oddity::OtherDepth;
    case 411:
        return Oddity::OtherFilter;
    case 409:
    case 431:
        return Oddity::WeakBattery;
    case 425:
        return Oddity::ErrorFlag;
    case 423:
        return Oddity::LowSupercap;
    default:
        return Oddity::None;
    }
}

// The Kelvo's tag as the box found it at the given entry: its battery drains over the log's weeks.
TagImage kelvoImage(int kelvo, int index, DemoRandom& random)
{
    static const quint8 firmwareCodes[] = {23, 24, 25, 25, 25};
    const Oddity oddity = oddityOf(kelvo);
    const quint8 firmware = firmwareCodes[kelvo % 5];
    // One entry in forty carries an error flag, one of the eight at random, that the next
    // entries of the Kelvo no longer have; the faulty Kelvo keeps its flag from mid-log on.
    quint8 errors = random.below(40) == 0 ? quint8(1u << random.below(8)) : 0;
    if (oddity == Oddity::ErrorFlag && index > 150) {
        errors = 0x04;
    }
    const quint8 depth = oddity == Oddity::OtherDepth ? 75 : 50;
    const quint16 filter = oddity == Oddity::OtherFilter ? 7 : 5;
    // About 90 mV over the first 300 entries, and no more in a longer log.
    const int drained = std::min(index / 20, 15);
    const int firstBattery = oddity == Oddity::WeakBattery ? 145 : 185 + kelvo % 20;
    const quint8 battery = quint8(firstBattery - drained + int(random.below(3)));
    const quint8 supercap =
        quint8(oddity == Oddity::LowSupercap ? 125 + random.below(10) : 150 + random.below(70));
    const quint8 threshold = 140; // 3298 mV
    const double diveMetres =
        random.below(15) == 0 ? 160.0 + random.below(40) : 2.0 + random.below(20);

    KelvoRecord record;
    record.mFirmwareVersion = firmwareVersionFromCode(firmware);
    record.mErrorFlags = errors;
    record.mActivationDepth = depth;
    record.mFilter = filter;
    const QByteArray serial =
        QStringLiteral("KV2300%1").arg(kelvo, 4, 10, QLatin1Char('0')).toLatin1();
    std::copy_n(serial.constData(), record.mSerialNumber.size(), record.mSerialNumber.begin());
    record.mBatteryLevel = millivoltsFromVoltageCode(battery);
    record.mSupercapLevel = millivoltsFromVoltageCode(supercap);
    record.mMaxMeasuredDepth = metresOfRawDepth(rawDepth(diveMetres), DepthRule::BoxLog);
    record.mActivationMeasuredDepth = random.below(4) == 0 ? 0.0 : depth;
    record.mBatteryThreshold = millivoltsFromVoltageCode(threshold);
    const QByteArray kelvoSerial =
        QStringLiteral("0000%1").arg(kelvo, 4, 10, QLatin1Char('0')).toLatin1();
    std::copy_n(kelvoSerial.constData(), record.mKelvoSerialNumber.size(),
                record.mKelvoSerialNumber.begin());
    return tagImageOf(record);
}

} // namespace

void fillDemoBoxLog(EmulatedStandaloneBox& box, int entries)
{
    DemoRandom random;
    const QDateTime epoch(QDate(2010, 1, 1), QTime(0, 0));
    QDateTime when(QDate(2024, 1, 8), QTime(7, 30));
    for (int index = 0; index < entries; ++index) {
        when = when.addSecs(45 + random.below(index % 40 == 39 ? 86400 : 1800));
        const quint32 operation = random.below(3) == 0 ? 1 : 0;
        const int kelvo = 400 + int(random.below(40));
        box.appendLogEntry(EmulatedStandaloneBox::logEntry(quint32(epoch.secsTo(when)), operation,
                                                           kelvoImage(kelvo, index, random)));
    }
}
