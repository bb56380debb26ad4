#include "kelvo/tagmemorymap.h"

#include "drivers/blockvalue.h"
#include "kelvo/tagencoding.h"

#include <algorithm>

namespace {

constexpr double kRawDepthOffset = 60.0;
constexpr double kRawDepthPerMetre = 3.6;
constexpr auto kNone = TagField::Count;

quint16 rawOfMetres(double metres)
{
    return quint16(std::clamp(roundHalfAwayFromZero(metres * kRawDepthPerMetre + kRawDepthOffset),
                              0L, 0xFFFFL));
}

quint32 word0(quint16 word)
{
    return quint32(word) << 16;
}

quint32 maskOf(const TagPart& part)
{
    const quint32 bytes = part.count == 4 ? 0xFFFFFFFFu : (1u << (8 * part.count)) - 1;
    return bytes << (8 * (4 - part.first - part.count));
}

quint32 shifted(const TagPart& part, quint32 partValue)
{
    return partValue << (8 * (4 - part.first - part.count));
}

// Four characters of a serial number, from the given one on.
template <auto serial, int from>
void decodeCharacters(quint32 value, KelvoRecord& record, DepthRule)
{
    unpackCharacters(value, &(record.*serial)[from]);
}

template <auto serial, int from> quint32 encodeCharacters(const KelvoRecord& record)
{
    return packCharacters(&(record.*serial)[from]);
}

constexpr auto kSerial = &KelvoRecord::mSerialNumber;
constexpr auto kKelvoSerial = &KelvoRecord::mKelvoSerialNumber;

} // namespace

const std::array<TagBlock, 11> kTagMemoryMap{{
    {0,
     {TagField::ErrorFlags, TagField::FirmwareVersion},
     false,
     [](quint32 value, KelvoRecord& record, DepthRule) {
         record.mErrorFlags = byteAt(value, 3);
         record.mFirmwareVersion = firmwareVersionFromCode(byteAt(value, 0));
     },
     [](const KelvoRecord& record) {
         return quint32(roundHalfAwayFromZero(record.mFirmwareVersion * 10.0) & 0xFF) << 24 |
                record.mErrorFlags;
     }},
    {1,
     {TagField::ActivationDepth, TagField::Filter},
     false,
     [](quint32 value, KelvoRecord& record, DepthRule) {
         record.mActivationDepth = byteAt(value, 1);
         record.mFilter = wordAt(value, 2);
     },
     [](const KelvoRecord& record) {
         return quint32(record.mActivationDepth) << 16 | record.mFilter;
     }},
    {5, {kNone, kNone}, false, decodeCharacters<kSerial, 0>, encodeCharacters<kSerial, 0>},
    {6, {kNone, kNone}, false, decodeCharacters<kSerial, 4>, encodeCharacters<kSerial, 4>},
    {7,
     {TagField::SerialNumber, kNone},
     false,
     [](quint32 value, KelvoRecord& record, DepthRule) {
         record.mSerialNumber[8] = char(byteAt(value, 0));
         record.mSerialNumber[9] = char(byteAt(value, 1));
         record.mKelvoRead = record.mSerialNumber;
     },
     [](const KelvoRecord& record) {
         return quint32(quint8(record.mSerialNumber[8])) << 24 |
                quint32(quint8(record.mSerialNumber[9])) << 16;
     }},
    {8,
     {TagField::BatteryLevel, TagField::SupercapLevel},
     false,
     [](quint32 value, KelvoRecord& record, DepthRule) {
         record.mBatteryLevel = millivoltsFromVoltageCode(byteAt(value, 0));
         record.mSupercapLevel = millivoltsFromVoltageCode(byteAt(value, 1));
     },
     [](const KelvoRecord& record) {
         return quint32(voltageCodeFromMillivolts(record.mBatteryLevel)) << 24 |
                quint32(voltageCodeFromMillivolts(record.mSupercapLevel)) << 16;
     }},
    {11,
     {TagField::ActivationMeasuredDepth, kNone},
     false,
     [](quint32 value, KelvoRecord& record, DepthRule rule) {
         // A raw 0 is a Kelvo that has not activated.
         const quint16 raw = wordAt(value, 0);
         record.mActivationMeasuredDepth = raw == 0 ? 0.0 : metresOfRawDepth(raw, rule);
     },
     [](const KelvoRecord& record) {
         const double metres = record.mActivationMeasuredDepth;
         return metres == 0.0 ? 0 : word0(rawOfMetres(metres));
     }},
    {12,
     {TagField::MaxMeasuredDepth, kNone},
     false,
     [](quint32 value, KelvoRecord& record, DepthRule rule) {
         record.mMaxMeasuredDepth = metresOfRawDepth(wordAt(value, 0), rule);
     },
     [](const KelvoRecord& record) { return word0(rawOfMetres(record.mMaxMeasuredDepth)); }},
    {14,
     {TagField::KelvoSerialStart, kNone},
     false,
     decodeCharacters<kKelvoSerial, 0>,
     encodeCharacters<kKelvoSerial, 0>},
    // Its four characters are unknown when it cannot be read; the read goes on.
    {15,
     {TagField::KelvoSerialEnd, kNone},
     true,
     decodeCharacters<kKelvoSerial, 4>,
     encodeCharacters<kKelvoSerial, 4>},
    {13,
     {TagField::BatteryThreshold, kNone},
     false,
     [](quint32 value, KelvoRecord& record, DepthRule) {
         record.mBatteryThreshold = millivoltsFromVoltageCode(byteAt(value, 3));
     },
     [](const KelvoRecord& record) {
         return quint32(voltageCodeFromMillivolts(record.mBatteryThreshold));
     }},
}};

// Checksum A: the activation depth, the filter as one number, blocks 5 and 6 and the serial
// number's last two characters, byte by byte.
const TagChecksum kChecksumA{
    {7, 2, 2}, {{{1, 1, 3}, {5, 0, 4}, {6, 0, 4}, {7, 0, 2}}}, [](const TagImage& image) {
        return quint32(checksumA(byteAt(image[1], 1), wordAt(image[1], 2), image[5], image[6],
                                 wordAt(image[7], 0)));
    }};
// Checksum B: block 12's second word, block 13's first word and the battery threshold code.
const TagChecksum kChecksumB{
    {13, 2, 1}, {{{12, 2, 2}, {13, 0, 2}, {13, 3, 1}}}, [](const TagImage& image) {
        return quint32(checksumB(wordAt(image[12], 2), wordAt(image[13], 0), byteAt(image[13], 3)));
    }};

void decodeTagBlock(const TagBlock& block, quint32 value, KelvoRecord& record, DepthRule rule)
{
    block.decode(value, record, rule);
    for (const TagField field : block.fields) {
        if (field != kNone)
            record.setSources({field}, FieldSource::Read);
    }
}

TagImage tagImageOf(const KelvoRecord& record)
{
    TagImage image{};
    for (const TagBlock& block : kTagMemoryMap)
        image[block.number] = block.encode(record);
    putChecksum(kChecksumA, image);
    putChecksum(kChecksumB, image);
    return image;
}

bool checksumMatches(const TagChecksum& checksum, const TagImage& image)
{
    // The block holds its checksum when putting the checksum there changes nothing.
    const TagPart& at = checksum.at;
    return withPart(at, image[at.block], shifted(at, checksum.of(image))) == image[at.block];
}

void putChecksum(const TagChecksum& checksum, TagImage& image)
{
    const TagPart& at = checksum.at;
    image[at.block] = withPart(at, image[at.block], shifted(at, checksum.of(image)));
}

quint32 withPart(const TagPart& part, quint32 blockValue, quint32 from)
{
    return (blockValue & ~maskOf(part)) | (from & maskOf(part));
}

double metresOfRawDepth(quint16 raw, DepthRule rule)
{
    if (rule == DepthRule::Tag)
        return metresFromRawDepth(raw);
    return (raw - kRawDepthOffset) / kRawDepthPerMetre;
}
