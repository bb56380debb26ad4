#ifndef D2XXWINDOWSLIBRARY_H
#define D2XXWINDOWSLIBRARY_H

#include "platform/d2xxlibrary.h"

#include <memory>
#include <type_traits>
#include <windows.h>

// Reaches the Standalone Box's FTDI converter through FTD2XX.dll, loaded at run time, its calls
// imported by ordinal and FT_Close by name. A missing DLL or call behaves as a missing box: every
// call fails, and the program still starts. FT_SetLatencyTimer, imported by name, is optional: a
// DLL without it is still a box, whose setLatencyTimer fails.
class D2xxWindowsLibrary : public D2xxLibrary
{
public:
    D2xxWindowsLibrary();

    bool isLoaded() const { return mModule != nullptr; }

    int open(int index, Handle& handle) override;
    int close(Handle handle) override;
    int read(Handle handle, void* buffer, std::uint32_t count, std::uint32_t& received) override;
    int write(Handle handle, const void* buffer, std::uint32_t count,
              std::uint32_t& written) override;
    int setBaudRate(Handle handle, std::uint32_t baudRate) override;
    int setDataCharacteristics(Handle handle, std::uint8_t wordLength, std::uint8_t stopBits,
                               std::uint8_t parity) override;
    int purge(Handle handle, std::uint32_t mask) override;
    int setTimeouts(Handle handle, std::uint32_t readMilliseconds,
                    std::uint32_t writeMilliseconds) override;
    int queueStatus(Handle handle, std::uint32_t& waiting) override;
    int setLatencyTimer(Handle handle, std::uint8_t milliseconds) override;

private:
    using Status = ULONG;
    using Open = Status(__stdcall*)(int, PVOID*);
    using Close = Status(__stdcall*)(PVOID);
    using Read = Status(__stdcall*)(PVOID, LPVOID, DWORD, LPDWORD);
    using Write = Status(__stdcall*)(PVOID, LPVOID, DWORD, LPDWORD);
    using SetBaudRate = Status(__stdcall*)(PVOID, ULONG);
    using SetDataCharacteristics = Status(__stdcall*)(PVOID, UCHAR, UCHAR, UCHAR);
    using Purge = Status(__stdcall*)(PVOID, ULONG);
    using SetTimeouts = Status(__stdcall*)(PVOID, ULONG, ULONG);
    using QueueStatus = Status(__stdcall*)(PVOID, LPDWORD);
    using SetLatencyTimer = Status(__stdcall*)(PVOID, UCHAR);

    // Freed when this is destroyed.
    std::unique_ptr<std::remove_pointer_t<HMODULE>, BOOL(WINAPI*)(HMODULE)> mModule;
    Open mOpen = nullptr;
    Close mClose = nullptr;
    Read mRead = nullptr;
    Write mWrite = nullptr;
    SetBaudRate mSetBaudRate = nullptr;
    SetDataCharacteristics mSetDataCharacteristics = nullptr;
    Purge mPurge = nullptr;
    SetTimeouts mSetTimeouts = nullptr;
    QueueStatus mQueueStatus = nullptr;
    SetLatencyTimer mSetLatencyTimer = nullptr;
};

#endif
