#ifndef TAGENCODING_H
#define TAGENCODING_H

#include <QtGlobal>

#include <array>

// How the Kelvo's tag stores its values. Block values are 32-bit with byte 0 of the block as the
// most significant byte.

// Millivolts of an 8-bit voltage code: truncate((code + 399) * 6.12).
quint16 millivoltsFromVoltageCode(quint8 code);

// The voltage code of a threshold in millivolts: (millivolts / 6.12) - 399 rounded half away
// from zero, keeping the low 8 bits, so values outside the code's range wrap.
quint8 voltageCodeFromMillivolts(quint16 millivolts);

// Metres of a raw depth word: (raw - 60) / 3.6, and 0 when that is negative.
double metresFromRawDepth(quint16 raw);

// The firmware version of its code: code / 10 (code 25 is version 2.5).
float firmwareVersionFromCode(quint8 code);

// Rounds half away from zero: 2.5 gives 3 and -2.5 gives -3.
long roundHalfAwayFromZero(double value);

// A group of 4 characters as a block value, the first character in byte 0.
quint32 packCharacters(const char* characters);
void unpackCharacters(quint32 blockValue, char* characters);

// Checksum A covers the activation depth, the filter (as one 16-bit number), blocks 5 and 6 and
// the word at block 7 byte 0, byte by byte, modulo 65536.
quint16 checksumA(quint8 activationDepth, quint16 filter, quint32 block5, quint32 block6,
                  quint16 block7Word);

// Checksum B is the low 8 bits of the word at block 12 byte 2, the word at block 13 byte 0 and
// the battery threshold code.
quint8 checksumB(quint16 block12Word, quint16 block13Word, quint8 thresholdCode);

#endif
