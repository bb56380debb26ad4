#ifndef EMULATEDTAGFRAMES_H
#define EMULATEDTAGFRAMES_H

#include "emulation/emulatedkelvotag.h"

#include <QByteArray>

// What a CR95HF reader chip hands back for an ISO/IEC 15693 request to a Kelvo tag, as raw bytes:
// 0x80 (frame received), the length byte, the tag's response with its CRC (low byte first), and
// the chip's status byte. The emulated board and the emulated Standalone Box share it.

enum class TagRequest
{
    Other,
    ReadSingleBlock,
    WriteSingleBlock
};

// A request is the flags byte 0x0A, the command, the block number low byte first and, for a
// write, the 4 data bytes, without CRC.
TagRequest tagRequestKind(const QByteArray& request);

// Carries out a Read or Write Single Block on the tag and returns the chip's answer. A block the
// tag lacks gets the tag's error answer.
QByteArray tagAnswer(EmulatedKelvoTag& tag, const QByteArray& request);

// The tag's answer with its error flag set: the command was not carried out.
QByteArray tagErrorAnswer();

// The chip's answer when no tag answers in its field.
QByteArray noTagAnswer();

#endif
