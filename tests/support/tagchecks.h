#ifndef TAGCHECKS_H
#define TAGCHECKS_H

#include "drivers/blockvalue.h"
#include "emulation/emulatedkelvotag.h"
#include "kelvo/tagencoding.h"

// Whether the checksums stored on the tag cover what the tag holds.

inline bool checksumAMatches(const EmulatedKelvoTag& tag)
{
    return wordAt(tag.block(7), 2) == checksumA(byteAt(tag.block(1), 1), wordAt(tag.block(1), 2),
                                                tag.block(5), tag.block(6),
                                                wordAt(tag.block(7), 0));
}

inline bool checksumBMatches(const EmulatedKelvoTag& tag)
{
    return byteAt(tag.block(13), 2) ==
           checksumB(wordAt(tag.block(12), 2), wordAt(tag.block(13), 0), byteAt(tag.block(13), 3));
}

#endif
