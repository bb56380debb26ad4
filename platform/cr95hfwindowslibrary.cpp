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

Cr95hfWindowsLibrary::Cr95hfWindowsLibrary() : mModule(LoadLibraryA("CR95HF.dll"), FreeLibrary)
{
    using Call = int(__stdcall*)();
    using Exchange = int(__stdcall*)(char*, char*);
    if (mModule == nullptr)
        return;
    mSelect = resolve<Exchange>(mModule.get(), selectOrdinal);
    mSendReceive = resolve<Exchange>(mModule.get(), sendReceiveOrdinal);
    mUsbConnect = resolve<Call>(mModule.get(), usbConnectOrdinal);
    mUsbHandleCheck = resolve<Call>(mModule.get(), usbHandleCheckOrdinal);
    if (!isLoaded())
        mModule.reset();
}

Cr95hfLibrary& defaultCr95hfLibrary()
{
    static Cr95hfWindowsLibrary library;
    return library;
}
