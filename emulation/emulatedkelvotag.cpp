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

void EmulatedKelvoTag::fillWithPlausibleValues()
{
    const char serialNumber[] = "KV23000417";
    const char kelvoSerialNumber[] = "00000417";
    const quint8 thresholdCode = voltageCodeFromMillivolts(3300);

    mBlocks.fill(0);
    mBlocks[0] = 25u << 24;
    mBlocks[1] = (50u << 16) | 5u;
    mBlocks[5] = packCharacters(serialNumber);
    mBlocks[6] = packCharacters(serialNumber + 4);
    mBlocks[7] = (quint32{static_cast<quint8>(serialNumber[8])} << 24) |
                 (quint32{static_cast<quint8>(serialNumber[9])} << 16);
    mBlocks[8] = (200u << 24) | (180u << 16);
    mBlocks[11] = (60u + 180u) << 16;
    mBlocks[12] = ((60u + 225u) << 16) | 0x1234u;
    mBlocks[13] = (0x0042u << 16) | thresholdCode;
    mBlocks[14] = packCharacters(kelvoSerialNumber);
    mBlocks[15] = packCharacters(kelvoSerialNumber + 4);

    const quint16 sumA = checksumA(byteAt(mBlocks[1], 1), wordAt(mBlocks[1], 2), mBlocks[5],
                                   mBlocks[6], wordAt(mBlocks[7], 0));
    mBlocks[7] = withWordAt(mBlocks[7], 2, sumA);
    const quint8 sumB = checksumB(wordAt(mBlocks[12], 2), wordAt(mBlocks[13], 0), thresholdCode);
    mBlocks[13] = withByteAt(mBlocks[13], 2, sumB);
}
