// Loads the stand-in reader libraries through the real Windows backends, as the tool does, and
// checks everything that crosses between them. Runs under Wine in both bitnesses.
#include "tests/windows/backendtests.h"
#include "tests/windows/check.h"

int main()
{
    reportCrashes();
    testCr95hfWindowsLibrary();
    testD2xxWindowsLibrary();
    return closingReport();
}
