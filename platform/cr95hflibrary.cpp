#include "platform/cr95hflibrary.h"

namespace {

Cr95hfLibrary* installedLibrary = nullptr;

} // namespace

Cr95hfLibrary& cr95hfLibrary()
{
    return installedLibrary != nullptr ? *installedLibrary : defaultCr95hfLibrary();
}

void installCr95hfLibrary(Cr95hfLibrary& library)
{
    installedLibrary = &library;
}

void restoreDefaultCr95hfLibrary()
{
    installedLibrary = nullptr;
}
