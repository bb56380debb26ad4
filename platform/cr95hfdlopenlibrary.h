#ifndef CR95HFDLOPENLIBRARY_H
#define CR95HFDLOPENLIBRARY_H

#include "platform/cr95hfloadedlibrary.h"

#include <memory>
#include <string>

// Reaches the reader through a shared library loaded at run time. The library exports the
// reader DLL's calls as C functions under their DLL names:
//   int CR95HFDLL_USBconnect(void)
//   int CR95HFDLL_USBhandlecheck(void)
//   int CR95HFDll_Select(char *request, char *answer)
//   int CR95HFDll_SendReceive(char *request, char *answer)
// A library that cannot be loaded, or that lacks any of them, behaves as a missing board: every
// call fails.
class Cr95hfDlopenLibrary : public Cr95hfLoadedLibrary
{
public:
    // The path given by KELVOCONF_CR95HF_LIBRARY, or "libcr95hf.so" when it is unset or empty.
    static std::string configuredPath();

    explicit Cr95hfDlopenLibrary(const std::string& path);

private:
    // Closed when this is destroyed.
    std::unique_ptr<void, int (*)(void*)> mHandle;
};

#endif
