#include "demo/demoboxlog.h"

#include "emulation/emulatedstandalonebox.h"
#include "kelvo/tagencoding.h"

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

quint32 rawDepth(double metres)
{
    return quint32(metres * 3.6 + 60.0);
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
std::array<quint32, EmulatedKelvoTag::blockCount> kelvoImage(int kelvo, int index,
                                                             DemoRandom& random)
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

    const QByteArray serial =
        QStringLiteral("KV2300%1").arg(kelvo, 4, 10, QLatin1Char('0')).toLatin1();
    const QByteArray kelvoSerial =
        QStringLiteral("0000%1").arg(kelvo, 4, 10, QLatin1Char('0')).toLatin1();

    std::array<quint32, EmulatedKelvoTag::blockCount> blocks{};
    blocks[0] = (quint32(firmware) << 24) | errors;
    blocks[1] = (quint32(depth) << 16) | filter;
    blocks[5] = packCharacters(serial.constData());
    blocks[6] = packCharacters(serial.constData() + 4);
    const quint16 lastCharacters = quint16((quint8(serial.at(8)) << 8) | quint8(serial.at(9)));
    blocks[7] = (quint32(lastCharacters) << 16) |
                checksumA(depth, filter, blocks[5], blocks[6], lastCharacters);
    blocks[8] = (quint32(battery) << 24) | (quint32(supercap) << 16);
    blocks[11] = random.below(4) == 0 ? 0 : rawDepth(depth) << 16;
    blocks[12] = rawDepth(diveMetres) << 16;
    blocks[13] = threshold | (quint32(checksumB(quint16(blocks[12]), 0, threshold)) << 8);
    blocks[14] = packCharacters(kelvoSerial.constData());
    blocks[15] = packCharacters(kelvoSerial.constData() + 4);
    return blocks;
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
