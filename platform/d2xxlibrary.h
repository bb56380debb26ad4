#ifndef D2XXLIBRARY_H
#define D2XXLIBRARY_H

#include <cstdint>

// The calls of the FTDI D2XX library that the serial link to the Standalone Box uses. Protocol
// code is written once against this interface; the Windows backend, the serial-port backend of
// other systems and the in-process emulated box are interchangeable. Every call returns 0 for
// success; a handle is opaque and comes from open().
class D2xxLibrary
{
public:
    using Handle = void*;

    static constexpr int failure = -1;
    // purge() mask bits.
    static constexpr std::uint32_t purgeReceive = 1;
    static constexpr std::uint32_t purgeTransmit = 2;
    // setDataCharacteristics() codes.
    static constexpr std::uint8_t oneStopBit = 0;
    static constexpr std::uint8_t twoStopBits = 2;
    static constexpr std::uint8_t noParity = 0;
    static constexpr std::uint8_t oddParity = 1;
    static constexpr std::uint8_t evenParity = 2;

    virtual ~D2xxLibrary() = default;

    // Opens device number index exclusively; handle is set only on success.
    virtual int open(int index, Handle& handle) = 0;
    virtual int close(Handle handle) = 0;
    // Waits for count bytes until the read time-out has passed, then returns with what arrived.
    virtual int read(Handle handle, void* buffer, std::uint32_t count, std::uint32_t& received) = 0;
    virtual int write(Handle handle, const void* buffer, std::uint32_t count,
                      std::uint32_t& written) = 0;
    virtual int setBaudRate(Handle handle, std::uint32_t baudRate) = 0;
    virtual int setDataCharacteristics(Handle handle, std::uint8_t wordLength,
                                       std::uint8_t stopBits, std::uint8_t parity) = 0;
    virtual int purge(Handle handle, std::uint32_t mask) = 0;
    virtual int setTimeouts(Handle handle, std::uint32_t readMilliseconds,
                            std::uint32_t writeMilliseconds) = 0;
    // The number of bytes that can be read without waiting.
    virtual int queueStatus(Handle handle, std::uint32_t& waiting) = 0;
    // How long the converter holds received bytes that do not fill a USB packet before it hands
    // them over anyway. A device or backend without the setting refuses, and works as before.
    virtual int setLatencyTimer(Handle handle, std::uint8_t milliseconds) = 0;
};

// The platform's own backend, defined by the backend compiled for this platform.
D2xxLibrary& defaultD2xxLibrary();

#endif
