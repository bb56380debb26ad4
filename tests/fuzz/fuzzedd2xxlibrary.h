#ifndef FUZZEDD2XXLIBRARY_H
#define FUZZEDD2XXLIBRARY_H

#include "platform/d2xxlibrary.h"
#include "tests/fuzz/fuzzinput.h"

#include <QByteArray>

// An FTDI device whose every answer comes from the fuzzer. Opening takes its result from the
// input (most results are 0, success). Each write takes a result and, when it succeeds, a length
// and that many bytes, which join the receive queue as the device's answer; reads never wait and
// return what is queued. Once the input is used up, opening and writing fail, and so does the
// queue status once the queue is empty. What the driver writes is checked: every request must be
// one whole frame, a code byte the box knows, a length byte and as many bytes as it counts. The
// latency timer takes nothing from the input, so that the corpus keeps its meaning; it must be
// one the library accepts.
class FuzzedD2xxLibrary : public D2xxLibrary
{
public:
    explicit FuzzedD2xxLibrary(FuzzInput& input) : mInput(input) {}

    int open(int index, Handle& handle) override;
    int close(Handle) override { return 0; }
    int read(Handle handle, void* buffer, std::uint32_t count, std::uint32_t& received) override;
    int write(Handle handle, const void* buffer, std::uint32_t count,
              std::uint32_t& written) override;
    int setBaudRate(Handle, std::uint32_t) override { return 0; }
    int setDataCharacteristics(Handle, std::uint8_t, std::uint8_t, std::uint8_t) override
    {
        return 0;
    }
    int purge(Handle handle, std::uint32_t mask) override;
    int setTimeouts(Handle, std::uint32_t, std::uint32_t) override { return 0; }
    int queueStatus(Handle handle, std::uint32_t& waiting) override;
    int setLatencyTimer(Handle handle, std::uint8_t milliseconds) override;

private:
    bool isOwnHandle(Handle handle) const { return handle == this; }

    FuzzInput& mInput;
    QByteArray mQueue;
};

#endif
