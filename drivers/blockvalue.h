#ifndef BLOCKVALUE_H
#define BLOCKVALUE_H

#include <QtGlobal>

// Byte and word access to a 4-byte tag block held as one 32-bit value whose most significant
// byte is byte 0 of the block. The word at index n is bytes n and n + 1, byte n high.

constexpr bool isByteIndex(int index)
{
    return index >= 0 && index <= 3;
}

constexpr bool isWordIndex(int index)
{
    return index >= 0 && index <= 2;
}

quint8 byteAt(quint32 blockValue, int index);
quint16 wordAt(quint32 blockValue, int index);
quint32 withByteAt(quint32 blockValue, int index, quint8 byte);
quint32 withWordAt(quint32 blockValue, int index, quint16 word);

#endif
