#include "tests/windows/standinscript.h"

#include "tests/windows/standincontrol.h"

#include <cstdlib>
#include <deque>
#include <map>
#include <type_traits>

namespace {

std::map<std::string, std::deque<StandInReply>> replies;
std::string journal;

} // namespace

StandInReply nextReply(const char* function)
{
    std::deque<StandInReply>& queued = replies[function];
    if (queued.empty())
        return StandInReply();
    const StandInReply reply = queued.front();
    queued.pop_front();
    return reply;
}

void record(const std::string& line)
{
    journal += line + "\n";
}

std::string hexOfNumber(std::uintptr_t value)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    return text;
}

std::string hexOfBytes(const void* bytes, std::size_t count)
{
    static const char digits[] = "0123456789abcdef";
    const auto* byte = static_cast<const unsigned char*>(bytes);
    std::string text;
    for (std::size_t index = 0; index < count; ++index) {
        text += digits[byte[index] / 16];
        text += digits[byte[index] % 16];
    }
    return text;
}

std::string bytesOfHex(const std::string& hex)
{
    std::string bytes;
    for (std::size_t position = 0; position + 1 < hex.size(); position += 2)
        bytes += static_cast<char>(numberOf(hex.substr(position, 2), 16));
    return bytes;
}

std::uintptr_t numberOf(const std::string& text, int base)
{
    return static_cast<std::uintptr_t>(std::strtoull(text.c_str(), nullptr, base));
}

extern "C" void standInPlay(const char* function, int status, const char* payload)
{
    replies[function].push_back(StandInReply{status, payload});
}

extern "C" const char* standInJournal()
{
    return journal.c_str();
}

static_assert(std::is_same<decltype(&standInPlay), StandInPlay>::value, "one play call");
static_assert(std::is_same<decltype(&standInJournal), StandInJournal>::value, "one journal call");
