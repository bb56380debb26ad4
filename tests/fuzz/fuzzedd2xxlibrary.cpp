#include "tests/fuzz/fuzzedd2xxlibrary.h"

#include <algorithm>
#include <cstring>

namespace {

bool isWholeBoxRequest(const QByteArray& bytes)
{
    const quint8 code = bytes.isEmpty() ? 0 : static_cast<quint8>(bytes[0]);
    return (code == 0x02 || code == 0x04 || code == 0x52) && bytes.size() >= 2 &&
           static_cast<quint8>(bytes[1]) == bytes.size() - 2;
}

} // namespace

int FuzzedD2xxLibrary::open(int index, Handle& handle)
{
    fuzzExpect(index == 0, "the box is device 0");
    if (mInput.atEnd() || mInput.byte() >= 0xC0)
        return failure;
    mQueue.clear();
    handle = this;
    return 0;
}

int FuzzedD2xxLibrary::read(Handle handle, void* buffer, std::uint32_t count,
                            std::uint32_t& received)
{
    fuzzExpect(isOwnHandle(handle), "reads go to the open device");
    received = std::min<std::uint32_t>(count, static_cast<std::uint32_t>(mQueue.size()));
    std::memcpy(buffer, mQueue.constData(), received);
    mQueue.remove(0, static_cast<int>(received));
    return 0;
}

int FuzzedD2xxLibrary::write(Handle handle, const void* buffer, std::uint32_t count,
                             std::uint32_t& written)
{
    fuzzExpect(isOwnHandle(handle), "writes go to the open device");
    const QByteArray request(static_cast<const char*>(buffer), static_cast<int>(count));
    fuzzExpect(isWholeBoxRequest(request), "a request is one whole frame");
    if (mInput.atEnd() || mInput.byte() >= 0xF0)
        return failure;
    written = count;
    mQueue.append(mInput.bytes(mInput.byte()));
    return 0;
}

int FuzzedD2xxLibrary::purge(Handle handle, std::uint32_t mask)
{
    fuzzExpect(isOwnHandle(handle), "purges go to the open device");
    if ((mask & purgeReceive) != 0)
        mQueue.clear();
    return 0;
}

int FuzzedD2xxLibrary::queueStatus(Handle handle, std::uint32_t& waiting)
{
    if (!isOwnHandle(handle) || (mInput.atEnd() && mQueue.isEmpty()))
        return failure;
    waiting = static_cast<std::uint32_t>(mQueue.size());
    return 0;
}

int FuzzedD2xxLibrary::setLatencyTimer(Handle handle, std::uint8_t milliseconds)
{
    fuzzExpect(isOwnHandle(handle), "the latency timer is set on the open device");
    fuzzExpect(milliseconds >= 2, "the latency timer is one the library accepts");
    return 0;
}
