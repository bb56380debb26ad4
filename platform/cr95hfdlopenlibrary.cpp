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
{
    mHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (mHandle == nullptr)
        return;
    mUsbConnect = resolve<Call>(mHandle, "CR95HFDLL_USBconnect");
    mUsbHandleCheck = resolve<Call>(mHandle, "CR95HFDLL_USBhandlecheck");
    mSelect = resolve<Exchange>(mHandle, "CR95HFDll_Select");
    mSendReceive = resolve<Exchange>(mHandle, "CR95HFDll_SendReceive");
    if (mUsbConnect == nullptr || mUsbHandleCheck == nullptr || mSelect == nullptr ||
        mSendReceive == nullptr) {
        dlclose(mHandle);
        mHandle = nullptr;
    }
}

Cr95hfDlopenLibrary::~Cr95hfDlopenLibrary()
{
    if (mHandle != nullptr)
        dlclose(mHandle);
}

int Cr95hfDlopenLibrary::usbConnect()
{
    return isLoaded() ? mUsbConnect() : failure;
}

int Cr95hfDlopenLibrary::usbHandleCheck()
{
    return isLoaded() ? mUsbHandleCheck() : failure;
}

int Cr95hfDlopenLibrary::select(char* request, char* answer)
{
    return isLoaded() ? mSelect(request, answer) : failure;
}

int Cr95hfDlopenLibrary::sendReceive(char* request, char* answer)
{
    return isLoaded() ? mSendReceive(request, answer) : failure;
}

Cr95hfLibrary& defaultCr95hfLibrary()
{
    static Cr95hfDlopenLibrary library(Cr95hfDlopenLibrary::configuredPath());
    return library;
}
