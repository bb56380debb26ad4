#ifndef FUZZINPUT_H
#define FUZZINPUT_H

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

// The fuzzer's bytes, taken from the front as the target needs them. Once they are used up,
// every value reads as zero and every byte string as empty, so a target never reads past the
// input.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : mData(data), mSize(size) {}

    bool atEnd() const { return mSize == 0; }
    quint8 byte();
    quint16 word();
    quint32 value32();
    quint64 value64();
    // Up to count bytes, fewer when the input ends first.
    QByteArray bytes(std::size_t count);
    QByteArray rest() { return bytes(mSize); }

private:
    const std::uint8_t* mData;
    std::size_t mSize;
};

// A broken promise of the code under test: reports it and aborts, which the fuzzer and the
// replay both count as a finding.
void fuzzExpect(bool holds, const char* promise);

#endif
