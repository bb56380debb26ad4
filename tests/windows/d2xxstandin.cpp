// Stands in for the FTDI D2XX library: the calls that the box backend imports, with the real
// library's __stdcall convention. Every call is journaled with its handle and arguments and
// answered from the script: the status it returns and its payload (the handle that FT_Open gives,
// the bytes that FT_Read delivers, the counts that FT_Write and FT_GetQueueStatus report).
#include "tests/windows/standinscript.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace {

// Journals function(handle, arguments) and takes the reply to it.
StandInReply take(const char* function, PVOID handle,
                  std::initializer_list<std::string> arguments = {})
{
    std::string line =
        std::string(function) + "(" + hexOfNumber(reinterpret_cast<UINT_PTR>(handle));
    for (const std::string& argument : arguments)
        line += ", " + argument;
    record(line + ")");
    return nextReply(function);
}

ULONG statusOf(const StandInReply& reply)
{
    return static_cast<ULONG>(reply.status);
}

} // namespace

extern "C" {

ULONG __stdcall FT_Open(int index, PVOID* handle)
{
    record(std::string(__func__) + "(" + std::to_string(index) + ")");
    const StandInReply reply = nextReply(__func__);
    // A scripted handle is written even with a failure, as a library may leave one behind.
    if (!reply.payload.empty())
        *handle = reinterpret_cast<PVOID>(numberOf(reply.payload, 16));
    return statusOf(reply);
}

ULONG __stdcall FT_Close(PVOID handle)
{
    return statusOf(take(__func__, handle));
}

ULONG __stdcall FT_Read(PVOID handle, LPVOID buffer, DWORD count, LPDWORD received)
{
    const StandInReply reply = take(__func__, handle, {std::to_string(count)});
    const std::string bytes = bytesOfHex(reply.payload);
    const std::size_t delivered = std::min<std::size_t>(bytes.size(), count);
    std::memcpy(buffer, bytes.data(), delivered);
    *received = static_cast<DWORD>(delivered);
    return statusOf(reply);
}

ULONG __stdcall FT_Write(PVOID handle, LPVOID buffer, DWORD count, LPDWORD written)
{
    const StandInReply reply = take(__func__, handle, {hexOfBytes(buffer, count)});
    *written = reply.payload.empty() ? count : static_cast<DWORD>(numberOf(reply.payload, 10));
    return statusOf(reply);
}

ULONG __stdcall FT_SetBaudRate(PVOID handle, ULONG baudRate)
{
    return statusOf(take(__func__, handle, {std::to_string(baudRate)}));
}

ULONG __stdcall FT_SetDataCharacteristics(PVOID handle, UCHAR wordLength, UCHAR stopBits,
                                          UCHAR parity)
{
    return statusOf(
        take(__func__, handle,
             {std::to_string(wordLength), std::to_string(stopBits), std::to_string(parity)}));
}

ULONG __stdcall FT_Purge(PVOID handle, ULONG mask)
{
    return statusOf(take(__func__, handle, {std::to_string(mask)}));
}

ULONG __stdcall FT_SetTimeouts(PVOID handle, ULONG readMilliseconds, ULONG writeMilliseconds)
{
    return statusOf(take(__func__, handle,
                         {std::to_string(readMilliseconds), std::to_string(writeMilliseconds)}));
}

ULONG __stdcall FT_GetQueueStatus(PVOID handle, LPDWORD waiting)
{
    const StandInReply reply = take(__func__, handle);
    *waiting = static_cast<DWORD>(numberOf(reply.payload, 10));
    return statusOf(reply);
}

ULONG __stdcall FT_SetLatencyTimer(PVOID handle, UCHAR milliseconds)
{
    return statusOf(take(__func__, handle, {std::to_string(milliseconds)}));
}
}
