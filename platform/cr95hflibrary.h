#ifndef CR95HFLIBRARY_H
#define CR95HFLIBRARY_H

#include <cstddef>

// The four calls of the CR95HF reader library. Protocol code is written once against this
// interface; the backend that reaches a real board and the in-process emulation are
// interchangeable. Every string is zero-terminated ASCII hex text in a buffer of bufferSize
// bytes; every call returns 0 for success.
class Cr95hfLibrary
{
public:
    static constexpr std::size_t bufferSize = 50;
    static constexpr int failure = -1;

    virtual ~Cr95hfLibrary() = default;

    virtual int usbConnect() = 0;
    virtual int usbHandleCheck() = 0;
    virtual int select(char* request, char* answer) = 0;
    virtual int sendReceive(char* request, char* answer) = 0;
};

// The platform's own backend, defined by the backend compiled for this platform.
Cr95hfLibrary& defaultCr95hfLibrary();

#endif
