// Stands in for the CR95HF reader library: the four calls that the reader backend imports, with
// the real library's __stdcall convention. Every call is journaled with its request text and
// answered from the script: the status it returns and the answer text it writes.
#include "tests/windows/standinscript.h"

#include <algorithm>
#include <cstring>

namespace {

// Every answer buffer holds 50 bytes, the terminating zero included.
constexpr std::size_t answerSize = 50;

int call(const char* function)
{
    record(std::string(function) + "()");
    return nextReply(function).status;
}

int exchange(const char* function, const char* request, char* answer)
{
    record(std::string(function) + "(" + request + ")");
    const StandInReply reply = nextReply(function);
    const std::size_t length = std::min(reply.payload.size(), answerSize - 1);
    std::memcpy(answer, reply.payload.data(), length);
    answer[length] = '\0';
    return reply.status;
}

} // namespace

extern "C" {

int __stdcall CR95HFDLL_USBconnect()
{
    return call(__func__);
}

int __stdcall CR95HFDLL_USBhandlecheck()
{
    return call(__func__);
}

int __stdcall CR95HFDll_Select(char* request, char* answer)
{
    return exchange(__func__, request, answer);
}

int __stdcall CR95HFDll_SendReceive(char* request, char* answer)
{
    return exchange(__func__, request, answer);
}
}
