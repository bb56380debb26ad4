#ifndef CR95HFDLOPENLIBRARY_H
#define CR95HFDLOPENLIBRARY_H

#include "platform/cr95hflibrary.h"

#include <string>

// Reaches the reader through a shared library loaded at run time. The library exports the
// reader DLL's calls as C functions under their DLL names:
//   int CR95HFDLL_USBconnect(void)
//   int CR95HFDLL_USBhandlecheck(void)
//   int CR95HFDll_Select(char *request, char *answer)
//   int CR95HFDll_SendReceive(char *request, char *answer)
// A library that cannot be loaded, or that lacks any of them, behaves as a missing board: every
// call fails.
class Cr95hfDlopenLibrary : public Cr95hfLibrary
{
public:
    // The path given by KELVOCONF_CR95HF_LIBRARY, or "libcr95hf.so" when it is unset or empty.
    static std::string configuredPath();

    explicit Cr95hfDlopenLibrary(const std::string& path);
    ~Cr95hfDlopenLibrary() override;
    Cr95hfDlopenLibrary(const Cr95hfDlopenLibrary&) = delete;
    Cr95hfDlopenLibrary& operator=(const Cr95hfDlopenLibrary&) = delete;

    bool isLoaded() const { return mHandle != nullptr; }

    int usbConnect() override;
    int usbHandleCheck() override;
    int select(char* request, char* answer) override;
    int sendReceive(char* request, char* answer) override;

private:
    using Call = int (*)();
    using Exchange = int (*)(char*, char*);

    void* mHandle = nullptr;
    Call mUsbConnect = nullptr;
    Call mUsbHandleCheck = nullptr;
    Exchange mSelect = nullptr;
    Exchange mSendReceive = nullptr;
};

#endif
