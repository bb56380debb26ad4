#ifndef CR95HFWINDOWSLIBRARY_H
#define CR95HFWINDOWSLIBRARY_H

#include "platform/cr95hflibrary.h"

#include <windows.h>

// Reaches the CR95HF board through CR95HF.dll, loaded at run time and imported by ordinal. A
// missing DLL or ordinal behaves as a missing board: every call fails, and the program still
// starts.
class Cr95hfWindowsLibrary : public Cr95hfLibrary
{
public:
    Cr95hfWindowsLibrary();
    ~Cr95hfWindowsLibrary() override;
    Cr95hfWindowsLibrary(const Cr95hfWindowsLibrary&) = delete;
    Cr95hfWindowsLibrary& operator=(const Cr95hfWindowsLibrary&) = delete;

    bool isLoaded() const { return mModule != nullptr; }

    int usbConnect() override;
    int usbHandleCheck() override;
    int select(char* request, char* answer) override;
    int sendReceive(char* request, char* answer) override;

private:
    using Call = int(__stdcall*)();
    using Exchange = int(__stdcall*)(char*, char*);

    HMODULE mModule = nullptr;
    Call mUsbConnect = nullptr;
    Call mUsbHandleCheck = nullptr;
    Exchange mSelect = nullptr;
    Exchange mSendReceive = nullptr;
};

#endif
