#ifndef EMULATEDKELVOTAG_H
#define EMULATEDKELVOTAG_H

#include <QtGlobal>

#include <array>

// The memory of a Kelvo's tag as the reader reaches it: 16 blocks of 4 bytes, each held as one
// value with byte 0 most significant, and the Kelvo's microcontroller competing for it through
// block 0 byte 2.
class EmulatedKelvoTag
{
public:
    static constexpr int blockCount = 16;

    bool hasBlock(quint16 block) const { return block < blockCount; }
    quint32 block(quint16 block) const;
    void setBlock(quint16 block, quint32 value);

    // The reader's Read and Write Single Block. Each is one access for the microcontroller.
    quint32 readByReader(quint16 block);
    void writeByReader(quint16 block, quint32 value);

    // The microcontroller sets its lock flag now and clears it after the given number of reader
    // accesses, or as soon as the reader writes block 0 with the lock flag clear.
    void holdMemory(int readerAccesses);
    bool isMemoryHeld() const { return mHoldAccessesLeft > 0; }

    // A worn cell: the reader's writes to the block are acknowledged but not kept.
    void dropWritesTo(quint16 block) { mDroppedBlock = block; }

    // A configured Kelvo: firmware 2.5, depth 50 m, filter 5, serial "KV23000417", Kelvo serial
    // "00000417", battery 3665 mV, supercap 3543 mV, threshold 3298 mV, measured depths 50 m and
    // 62.5 m, both checksums matching.
    void fillWithPlausibleValues();
    // Another configured Kelvo, different in every value: firmware 3.1, error flag " Bat ", depth
    // 100 m, filter 8, serial "KV23000928", Kelvo serial "00000928", threshold 3500 mV.
    void fillAsAnotherKelvo();

private:
    void countReaderAccess();

    std::array<quint32, blockCount> mBlocks{};
    int mHoldAccessesLeft = 0;
    int mDroppedBlock = -1;
};

#endif
