#ifndef CR95HFLOADEDLIBRARY_H
#define CR95HFLOADEDLIBRARY_H

#include "platform/cr95hflibrary.h"

#include <functional>

// A reader library loaded at run time. Each backend loads it and resolves the four calls its own
// way; until all four are resolved, the library behaves as a missing board: every call fails
// without reaching it.
class Cr95hfLoadedLibrary : public Cr95hfLibrary
{
public:
    bool isLoaded() const { return mUsbConnect && mUsbHandleCheck && mSelect && mSendReceive; }

    int usbConnect() override { return isLoaded() ? mUsbConnect() : failure; }
    int usbHandleCheck() override { return isLoaded() ? mUsbHandleCheck() : failure; }
    int select(char* request, char* answer) override
    {
        return isLoaded() ? mSelect(request, answer) : failure;
    }
    int sendReceive(char* request, char* answer) override
    {
        return isLoaded() ? mSendReceive(request, answer) : failure;
    }

protected:
    // A call that the library lacks stays empty.
    std::function<int()> mUsbConnect;
    std::function<int()> mUsbHandleCheck;
    std::function<int(char*, char*)> mSelect;
    std::function<int(char*, char*)> mSendReceive;
};

#endif
