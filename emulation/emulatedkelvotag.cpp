#include "emulation/emulatedkelvotag.h"

#include "drivers/blockvalue.h"
#include "kelvo/tagencoding.h"

namespace {

constexpr int lockFlagByte = 2;

} // namespace

quint32 EmulatedKelvoTag::block(quint16 block) const
{
    return mBlocks.at(block);
}

void EmulatedKelvoTag::setBlock(quint16 block, quint32 value)
{
    mBlocks.at(block) = value;
}

quint32 EmulatedKelvoTag::readByReader(quint16 block)
{
    const quint32 value = mBlocks.at(block);
    countReaderAccess();
    return value;
}

void EmulatedKelvoTag::writeByReader(quint16 block, quint32 value)
{
    if (block != mDroppedBlock)
        mBlocks.at(block) = value;
    if (block == 0 && byteAt(value, lockFlagByte) == 0)
        mHoldAccessesLeft = 0;
    countReaderAccess();
}

void EmulatedKelvoTag::holdMemory(int readerAccesses)
{
    mHoldAccessesLeft = readerAccesses;
    mBlocks[0] = withByteAt(mBlocks[0], lockFlagByte, readerAccesses > 0 ? 1 : 0);
}

void EmulatedKelvoTag::countReaderAccess()
{
    if (mHoldAccessesLeft > 0 && --mHoldAccessesLeft == 0)
        mBlocks[0] = withByteAt(mBlocks[0], lockFlagByte, 0);
}

namespace {

struct KelvoValues
{
    const char* serialNumber;
    const char* kelvoSerialNumber;
    quint8 firmwareCode;
    quint8 errorFlags;
    quint8 activationDepth;
    quint16 filter;
    quint8 batteryCode;
    quint8 supercapCode;
    quint16 measuredRaw;
    quint16 maxRaw;
    quint16 checksumBInput;
    quint16 thresholdMillivolts;
};

void fill(std::array<quint32, EmulatedKelvoTag::blockCount>& blocks, const KelvoValues& values)
{
    const quint8 thresholdCode = voltageCodeFromMillivolts(values.thresholdMillivolts);
    blocks.fill(0);
    blocks[0] = (quint32{values.firmwareCode} << 24) | values.errorFlags;
    blocks[1] = (quint32{values.activationDepth} << 16) | values.filter;
    blocks[5] = packCharacters(values.serialNumber);
    blocks[6] = packCharacters(values.serialNumber + 4);
    blocks[7] = (quint32{static_cast<quint8>(values.serialNumber[8])} << 24) |
                (quint32{static_cast<quint8>(values.serialNumber[9])} << 16);
    blocks[8] = (quint32{values.batteryCode} << 24) | (quint32{values.supercapCode} << 16);
    blocks[11] = quint32{values.measuredRaw} << 16;
    blocks[12] = (quint32{values.maxRaw} << 16) | values.checksumBInput;
    blocks[13] = (0x0042u << 16) | thresholdCode;
    blocks[14] = packCharacters(values.kelvoSerialNumber);
    blocks[15] = packCharacters(values.kelvoSerialNumber + 4);

    const quint16 sumA = checksumA(byteAt(blocks[1], 1), wordAt(blocks[1], 2), blocks[5], blocks[6],
                                   wordAt(blocks[7], 0));
    blocks[7] = withWordAt(blocks[7], 2, sumA);
    const quint8 sumB = checksumB(wordAt(blocks[12], 2), wordAt(blocks[13], 0), thresholdCode);
    blocks[13] = withByteAt(blocks[13], 2, sumB);
}

} // namespace

void EmulatedKelvoTag::fillWithPlausibleValues()
{
    fill(mBlocks,
         {"KV23000417", "00000417", 25, 0, 50, 5, 200, 180, 60 + 180, 60 + 225, 0x1234, 3300});
}

void EmulatedKelvoTag::fillAsAnotherKelvo()
{
    fill(mBlocks,
         {"KV23000928", "00000928", 31, 0x10, 100, 8, 150, 120, 60 + 90, 60 + 144, 0x4321, 3500});
}
