#include "platform/cr95hfwindowslibrary.h"

namespace {

constexpr WORD selectOrdinal = 4;
constexpr WORD sendReceiveOrdinal = 5;
constexpr WORD usbConnectOrdinal = 13;
constexpr WORD usbHandleCheckOrdinal = 16;

// GetProcAddress hands back a generic function pointer; going through void (*)() tells the
// compiler that the change of signature is intended.
template <typename Function> Function resolve(HMODULE module, WORD ordinal)
{
    const FARPROC address = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

} // namespace

Cr95hfWindowsLibrary::Cr95hfWindowsLibrary()
{
    mModule = LoadLibraryA("CR95HF.dll");
    if (mModule == nullptr)
        return;
    mSelect = resolve<Exchange>(mModule, selectOrdinal);
    mSendReceive = resolve<Exchange>(mModule, sendReceiveOrdinal);
    mUsbConnect = resolve<Call>(mModule, usbConnectOrdinal);
    mUsbHandleCheck = resolve<Call>(mModule, usbHandleCheckOrdinal);
    if (mUsbConnect == nullptr || mUsbHandleCheck == nullptr || mSelect == nullptr ||
        mSendReceive == nullptr) {
        FreeLibrary(mModule);
        mModule = nullptr;
    }
}

Cr95hfWindowsLibrary::~Cr95hfWindowsLibrary()
{
    if (mModule != nullptr)
        FreeLibrary(mModule);
}

int Cr95hfWindowsLibrary::usbConnect()
{
    return isLoaded() ? mUsbConnect() : failure;
}

int Cr95hfWindowsLibrary::usbHandleCheck()
{
    return isLoaded() ? mUsbHandleCheck() : failure;
}

int Cr95hfWindowsLibrary::select(char* request, char* answer)
{
    return isLoaded() ? mSelect(request, answer) : failure;
}

int Cr95hfWindowsLibrary::sendReceive(char* request, char* answer)
{
    return isLoaded() ? mSendReceive(request, answer) : failure;
}

Cr95hfLibrary& defaultCr95hfLibrary()
{
    static Cr95hfWindowsLibrary library;
    return library;
}
