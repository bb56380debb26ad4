#include "drivers/blockvalue.h"

namespace {

int byteShift(int index)
{
    return 24 - 8 * index;
}

int wordShift(int index)
{
    return 16 - 8 * index;
}

} // namespace

quint8 byteAt(quint32 blockValue, int index)
{
    return static_cast<quint8>(blockValue >> byteShift(index));
}

quint16 wordAt(quint32 blockValue, int index)
{
    return static_cast<quint16>(blockValue >> wordShift(index));
}

quint32 withByteAt(quint32 blockValue, int index, quint8 byte)
{
    const int shift = byteShift(index);
    return (blockValue & ~(quint32{0xFF} << shift)) | (quint32{byte} << shift);
}

quint32 withWordAt(quint32 blockValue, int index, quint16 word)
{
    const int shift = wordShift(index);
    return (blockValue & ~(quint32{0xFFFF} << shift)) | (quint32{word} << shift);
}
