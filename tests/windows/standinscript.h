#ifndef STANDINSCRIPT_H
#define STANDINSCRIPT_H

#include <cstddef>
#include <cstdint>
#include <string>

// The script and the journal that a stand-in library shares between its calls. The library's
// state lives as long as it stays loaded, so every load starts with an empty script.

struct StandInReply
{
    int status = 0;
    std::string payload;
};

// The reply queued first for function, or status 0 with an empty payload when none is.
StandInReply nextReply(const char* function);

void record(const std::string& line);

// Lower-case hex without padding, as the journal writes handles, and as the test scripts them.
std::string hexOfNumber(std::uintptr_t value);
// Two lower-case hex characters a byte.
std::string hexOfBytes(const void* bytes, std::size_t count);
std::string bytesOfHex(const std::string& hex);
// The number in text, 0 when there is none.
std::uintptr_t numberOf(const std::string& text, int base);

#endif
