#include "platform/cr95hfdlopenlibrary.h"

#include <cstdlib>
#include <dlfcn.h>

namespace {

template <typename Function> Function resolve(void* handle, const char* symbol)
{
    return reinterpret_cast<Function>(dlsym(handle, symbol));
}

} // namespace

std::string Cr95hfDlopenLibrary::configuredPath()
{
    const char* path = std::getenv("KELVOCONF_CR95HF_LIBRARY");
    return path != nullptr && *path != '\0' ? std::string(path) : std::string("libcr95hf.so");
}

Cr95hfDlopenLibrary::Cr95hfDlopenLibrary(const std::string& path)
    : mHandle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL), dlclose)
{
    using Call = int (*)();
    using Exchange = int (*)(char*, char*);
    if (mHandle == nullptr)
        return;
    mUsbConnect = resolve<Call>(mHandle.get(), "CR95HFDLL_USBconnect");
    mUsbHandleCheck = resolve<Call>(mHandle.get(), "CR95HFDLL_USBhandlecheck");
    mSelect = resolve<Exchange>(mHandle.get(), "CR95HFDll_Select");
    mSendReceive = resolve<Exchange>(mHandle.get(), "CR95HFDll_SendReceive");
    if (!isLoaded())
        mHandle.reset();
}

Cr95hfLibrary& defaultCr95hfLibrary()
{
    static Cr95hfDlopenLibrary library(Cr95hfDlopenLibrary::configuredPath());
    return library;
}
