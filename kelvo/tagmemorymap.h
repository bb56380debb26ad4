#ifndef TAGMEMORYMAP_H
#define TAGMEMORYMAP_H

#include "kelvo/kelvorecord.h"

#include <QtGlobal>

#include <array>

// Where the Kelvo's tag keeps each value, and how a block's value (byte 0 most significant)
// decodes into the record and encodes from it. The tool's reads and writes, the box log's entries
// (an image of blocks 0 to 15) and the demo's Kelvos all go through this one map.

constexpr int kTagBlockCount = 16;
using TagImage = std::array<quint32, kTagBlockCount>;

// A run of bytes within one block: the whole block, a word or a byte.
struct TagPart
{
    quint16 block;
    int first;
    int count;
};

// The depths the Kelvo measured, above the surface, are 0 when read from the tag; the box's log
// keeps them negative, and there a raw activation depth of 0 means none measured.
enum class DepthRule
{
    Tag,
    BoxLog
};

struct TagBlock
{
    quint16 number;
    // The fields that are known once this block has been read; Count where there is none.
    std::array<TagField, 2> fields;
    // A read goes on without this block.
    bool optional;
    void (*decode)(quint32 value, KelvoRecord& record, DepthRule rule);
    quint32 (*encode)(const KelvoRecord& record);
};

// The blocks in the order a read takes them.
extern const std::array<TagBlock, 11> kTagMemoryMap;

// Block 0 arbitrates the memory: bit 0 of byte 1 is the tool's request flag, byte 2 the lock flag
// of the Kelvo's microcontroller.
constexpr TagPart kRequestFlag{0, 1, 1};
constexpr TagPart kLockFlag{0, 2, 1};

// Up to five parts of the tag, in the order they are read or written; a part of no bytes is none.
using TagParts = std::array<TagPart, 5>;

// The configuration a write always puts on the tag: the activation depth and filter, byte 0 of
// their block left as the tag holds it (the Simplified tab writes the whole block).
constexpr TagParts kActivationSettings{{{1, 1, 1}, {1, 2, 2}}};
constexpr TagParts kActivationBlock{{{1, 0, 4}}};
// The parts that hold each identity field, written only when entered for the Kelvo.
constexpr TagParts kSerialNumberParts{{{5, 0, 4}, {6, 0, 4}, {7, 0, 2}}};
constexpr TagParts kBatteryThresholdPart{{{13, 3, 1}}};
constexpr TagParts kKelvoSerialStartPart{{{14, 0, 4}}};
constexpr TagParts kKelvoSerialEndPart{{{15, 0, 4}}};

// Each checksum, where it is kept and the parts it covers.
struct TagChecksum
{
    TagPart at;
    TagParts covers;
    // The checksum of the covered parts of the image.
    quint32 (*of)(const TagImage& image);
};
extern const TagChecksum kChecksumA;
extern const TagChecksum kChecksumB;

// Decodes the block's fields into the record and marks them read.
void decodeTagBlock(const TagBlock& block, quint32 value, KelvoRecord& record, DepthRule rule);
// The tag image of the record's values, both checksums covering them.
TagImage tagImageOf(const KelvoRecord& record);
bool checksumMatches(const TagChecksum& checksum, const TagImage& image);
// Puts into the image the checksum of the parts it covers there.
void putChecksum(const TagChecksum& checksum, TagImage& image);
// The block value with the part's bytes taken from another value of the block.
quint32 withPart(const TagPart& part, quint32 blockValue, quint32 from);

// Metres of a raw measured depth word.
double metresOfRawDepth(quint16 raw, DepthRule rule);

#endif
