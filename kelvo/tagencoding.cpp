#include "kelvo/tagencoding.h"

#include <cmath>

namespace {

constexpr double millivoltsPerStep = 6.12;
constexpr int voltageCodeOffset = 399;
constexpr double rawDepthOffset = 60.0;
constexpr double rawDepthPerMetre = 3.6;

quint16 byteSum(quint32 value)
{
    return static_cast<quint16>((value >> 24) + ((value >> 16) & 0xFF) + ((value >> 8) & 0xFF) +
                                (value & 0xFF));
}

} // namespace

quint16 millivoltsFromVoltageCode(quint8 code)
{
    return static_cast<quint16>(std::trunc((code + voltageCodeOffset) * millivoltsPerStep));
}

quint8 voltageCodeFromMillivolts(quint16 millivolts)
{
    const long code = roundHalfAwayFromZero(millivolts / millivoltsPerStep - voltageCodeOffset);
    return static_cast<quint8>(code & 0xFF);
}

double metresFromRawDepth(quint16 raw)
{
    const double metres = (raw - rawDepthOffset) / rawDepthPerMetre;
    return metres < 0.0 ? 0.0 : metres;
}

float firmwareVersionFromCode(quint8 code)
{
    return code / 10.0f;
}

long roundHalfAwayFromZero(double value)
{
    return static_cast<long>(value > 0.0 ? std::trunc(value + 0.5) : std::trunc(value - 0.5));
}

quint32 packCharacters(const char* characters)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<quint8>(characters[i]);
    return value;
}

void unpackCharacters(quint32 blockValue, char* characters)
{
    for (int i = 0; i < 4; ++i)
        characters[i] = static_cast<char>((blockValue >> (24 - 8 * i)) & 0xFF);
}

quint16 checksumA(quint8 activationDepth, quint16 filter, quint32 block5, quint32 block6,
                  quint16 block7Word)
{
    const unsigned sum = activationDepth + filter + byteSum(block5) + byteSum(block6) +
                         (block7Word >> 8) + (block7Word & 0xFF);
    return static_cast<quint16>(sum & 0xFFFF);
}

quint8 checksumB(quint16 block12Word, quint16 block13Word, quint8 thresholdCode)
{
    return static_cast<quint8>((block12Word + block13Word + thresholdCode) & 0xFF);
}
