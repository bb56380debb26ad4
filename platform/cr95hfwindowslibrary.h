#ifndef CR95HFWINDOWSLIBRARY_H
#define CR95HFWINDOWSLIBRARY_H

#include "platform/cr95hfloadedlibrary.h"

#include <memory>
#include <type_traits>
#include <windows.h>

// Reaches the CR95HF board through CR95HF.dll, loaded at run time and imported by ordinal. A
// missing DLL or ordinal behaves as a missing board: every call fails, and the program still
// starts.
class Cr95hfWindowsLibrary : public Cr95hfLoadedLibrary
{
public:
    Cr95hfWindowsLibrary();

private:
    // Freed when this is destroyed.
    std::unique_ptr<std::remove_pointer_t<HMODULE>, BOOL(WINAPI*)(HMODULE)> mModule;
};

#endif
