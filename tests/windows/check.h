#ifndef CHECK_H
#define CHECK_H

#include <cstdint>
#include <string>

// The checks of the backend test program. A failed check prints what was expected and what came;
// the program ends with the count of checks passed and failed.

void check(bool passed, const std::string& what);
void checkEqual(const std::string& actual, const std::string& expected, const std::string& what);
void checkEqual(long long actual, long long expected, const std::string& what);

// Runs call(context), and checks that the stack pointer is where it was before. A crash inside it
// is reported as a failure of what.
void checkStackKeptAcross(const std::string& what, void (*call)(void*), void* context);

template <typename Call> void checkStackKept(const std::string& what, Call call)
{
    checkStackKeptAcross(
        what, [](void* context) { (*static_cast<Call*>(context))(); }, &call);
}

// A crash becomes a failure report naming the call under way, instead of Wine's debugger.
void reportCrashes();

// Prints "<architecture>: N passed, N failed" and gives the program's exit status.
int closingReport();

#endif
