#include "tests/fuzz/fuzzedcr95hflibrary.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool isTerminatedHexRequest(const char* request)
{
    const char* end = std::find(request, request + Cr95hfLibrary::bufferSize, '\0');
    return end != request + Cr95hfLibrary::bufferSize && (end - request) % 2 == 0 &&
           std::all_of(request, end,
                       [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

} // namespace

int FuzzedCr95hfLibrary::result()
{
    if (mInput.atEnd())
        return failure;
    const quint8 code = mInput.byte();
    return code < 0xC0 ? 0 : code;
}

int FuzzedCr95hfLibrary::exchange(const char* request, char* answer)
{
    fuzzExpect(isTerminatedHexRequest(request), "a request is terminated hex text");
    mLastResult = result();
    const QByteArray text = mInput.bytes(std::min<std::size_t>(mInput.byte(), bufferSize));
    std::memcpy(answer, text.constData(), static_cast<std::size_t>(text.size()));
    std::memcpy(mLastAnswer.data(), answer, bufferSize);
    return mLastResult;
}
