#ifndef FUZZEDCR95HFLIBRARY_H
#define FUZZEDCR95HFLIBRARY_H

#include "platform/cr95hflibrary.h"
#include "tests/fuzz/fuzzinput.h"

#include <array>

// A reader library whose every answer comes from the fuzzer. Each call takes its result from the
// input (most results are 0, success); select and send-receive then also take a length and that
// many bytes of answer, up to the whole buffer with no terminator. Once the input is used up,
// every call fails. What the driver hands in is checked: a request must be hex text, whole bytes,
// terminated within the buffer.
class FuzzedCr95hfLibrary : public Cr95hfLibrary
{
public:
    using Buffer = std::array<char, bufferSize>;

    explicit FuzzedCr95hfLibrary(FuzzInput& input) : mInput(input) {}

    int usbConnect() override { return result(); }
    int usbHandleCheck() override { return result(); }
    int select(char* request, char* answer) override { return exchange(request, answer); }
    int sendReceive(char* request, char* answer) override { return exchange(request, answer); }

    // The result and the answer buffer of the last select or send-receive, as handed back.
    int lastResult() const { return mLastResult; }
    const Buffer& lastAnswer() const { return mLastAnswer; }

private:
    int result();
    int exchange(const char* request, char* answer);

    FuzzInput& mInput;
    int mLastResult = failure;
    Buffer mLastAnswer{};
};

#endif
