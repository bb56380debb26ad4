#include "tests/fuzz/fuzzinput.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

quint8 FuzzInput::byte()
{
    if (mSize == 0)
        return 0;
    const quint8 value = *mData;
    ++mData;
    --mSize;
    return value;
}

quint16 FuzzInput::word()
{
    const quint16 high = byte();
    return static_cast<quint16>((high << 8) | byte());
}

quint32 FuzzInput::value32()
{
    const quint32 high = word();
    return (high << 16) | word();
}

quint64 FuzzInput::value64()
{
    const quint64 high = value32();
    return (high << 32) | value32();
}

QByteArray FuzzInput::bytes(std::size_t count)
{
    const std::size_t taken = std::min(count, mSize);
    const QByteArray result(reinterpret_cast<const char*>(mData), static_cast<int>(taken));
    mData += taken;
    mSize -= taken;
    return result;
}

void fuzzExpect(bool holds, const char* promise)
{
    if (holds)
        return;
    std::cerr << "broken: " << promise << std::endl;
    std::abort();
}
