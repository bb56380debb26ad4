#include "platform/d2xxwindowslibrary.h"

namespace {

constexpr WORD openOrdinal = 1;
constexpr WORD readOrdinal = 3;
constexpr WORD writeOrdinal = 4;
constexpr WORD setBaudRateOrdinal = 7;
constexpr WORD setDataCharacteristicsOrdinal = 8;
constexpr WORD purgeOrdinal = 16;
constexpr WORD setTimeoutsOrdinal = 17;
constexpr WORD queueStatusOrdinal = 18;

// GetProcAddress hands back a generic function pointer; going through void (*)() tells the
// compiler that the change of signature is intended.
template <typename Function> Function resolve(HMODULE module, LPCSTR name)
{
    const FARPROC address = GetProcAddress(module, name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

template <typename Function> Function resolve(HMODULE module, WORD ordinal)
{
    return resolve<Function>(module, MAKEINTRESOURCEA(ordinal));
}

// The library's status codes are small and 0 means success, as in the interface.
int result(ULONG status)
{
    return static_cast<int>(status);
}

} // namespace

D2xxWindowsLibrary::D2xxWindowsLibrary() : mModule(LoadLibraryA("FTD2XX.dll"), FreeLibrary)
{
    if (mModule == nullptr)
        return;
    mOpen = resolve<Open>(mModule.get(), openOrdinal);
    mRead = resolve<Read>(mModule.get(), readOrdinal);
    mWrite = resolve<Write>(mModule.get(), writeOrdinal);
    mSetBaudRate = resolve<SetBaudRate>(mModule.get(), setBaudRateOrdinal);
    mSetDataCharacteristics =
        resolve<SetDataCharacteristics>(mModule.get(), setDataCharacteristicsOrdinal);
    mPurge = resolve<Purge>(mModule.get(), purgeOrdinal);
    mSetTimeouts = resolve<SetTimeouts>(mModule.get(), setTimeoutsOrdinal);
    mQueueStatus = resolve<QueueStatus>(mModule.get(), queueStatusOrdinal);
    mClose = resolve<Close>(mModule.get(), "FT_Close");
    mSetLatencyTimer = resolve<SetLatencyTimer>(mModule.get(), "FT_SetLatencyTimer");
    if (mOpen == nullptr || mRead == nullptr || mWrite == nullptr || mSetBaudRate == nullptr ||
        mSetDataCharacteristics == nullptr || mPurge == nullptr || mSetTimeouts == nullptr ||
        mQueueStatus == nullptr || mClose == nullptr)
        mModule.reset();
}

int D2xxWindowsLibrary::open(int index, Handle& handle)
{
    PVOID opened = nullptr;
    if (!isLoaded())
        return failure;
    const int status = result(mOpen(index, &opened));
    if (status == 0)
        handle = opened;
    return status;
}

int D2xxWindowsLibrary::close(Handle handle)
{
    return isLoaded() ? result(mClose(handle)) : failure;
}

int D2xxWindowsLibrary::read(Handle handle, void* buffer, std::uint32_t count,
                             std::uint32_t& received)
{
    DWORD taken = 0;
    if (!isLoaded())
        return failure;
    const int status = result(mRead(handle, buffer, count, &taken));
    received = taken;
    return status;
}

int D2xxWindowsLibrary::write(Handle handle, const void* buffer, std::uint32_t count,
                              std::uint32_t& written)
{
    DWORD sent = 0;
    if (!isLoaded())
        return failure;
    // The library takes a non-const buffer but only reads from it.
    const int status = result(mWrite(handle, const_cast<void*>(buffer), count, &sent));
    written = sent;
    return status;
}

int D2xxWindowsLibrary::setBaudRate(Handle handle, std::uint32_t baudRate)
{
    return isLoaded() ? result(mSetBaudRate(handle, baudRate)) : failure;
}

int D2xxWindowsLibrary::setDataCharacteristics(Handle handle, std::uint8_t wordLength,
                                               std::uint8_t stopBits, std::uint8_t parity)
{
    return isLoaded() ? result(mSetDataCharacteristics(handle, wordLength, stopBits, parity))
                      : failure;
}

int D2xxWindowsLibrary::purge(Handle handle, std::uint32_t mask)
{
    return isLoaded() ? result(mPurge(handle, mask)) : failure;
}

int D2xxWindowsLibrary::setTimeouts(Handle handle, std::uint32_t readMilliseconds,
                                    std::uint32_t writeMilliseconds)
{
    return isLoaded() ? result(mSetTimeouts(handle, readMilliseconds, writeMilliseconds)) : failure;
}

int D2xxWindowsLibrary::queueStatus(Handle handle, std::uint32_t& waiting)
{
    DWORD count = 0;
    if (!isLoaded())
        return failure;
    const int status = result(mQueueStatus(handle, &count));
    waiting = count;
    return status;
}

int D2xxWindowsLibrary::setLatencyTimer(Handle handle, std::uint8_t milliseconds)
{
    if (!isLoaded() || mSetLatencyTimer == nullptr)
        return failure;
    return result(mSetLatencyTimer(handle, milliseconds));
}

D2xxLibrary& defaultD2xxLibrary()
{
    static D2xxWindowsLibrary library;
    return library;
}
