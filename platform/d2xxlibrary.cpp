#include "platform/d2xxlibrary.h"

namespace {

D2xxLibrary* installedLibrary = nullptr;

} // namespace

D2xxLibrary& d2xxLibrary()
{
    return installedLibrary != nullptr ? *installedLibrary : defaultD2xxLibrary();
}

void installD2xxLibrary(D2xxLibrary& library)
{
    installedLibrary = &library;
}

void restoreDefaultD2xxLibrary()
{
    installedLibrary = nullptr;
}
