#ifndef D2XXSERIALPORTLIBRARY_H
#define D2XXSERIALPORTLIBRARY_H

#include "platform/d2xxlibrary.h"

#include <QString>

#include <map>
#include <memory>

// Reaches the Standalone Box through the system's serial ports where there is no D2XX library.
// Device 0 is the port named by KELVOCONF_BOX_PORT (a device path such as /dev/ttyUSB0, or any
// tty) or, without it, the first port whose USB vendor is FTDI (0x0403). No such port, or one
// that cannot be opened, behaves as a missing box.
//
// A serial port knows two latencies: its driver's default and, with the port's low-latency flag,
// the shortest the driver has (on an FTDI converter, the kernel's ftdi_sio driver then sets the
// converter's latency timer to 1 ms). setLatencyTimer asks for the flag below the default's 16 ms
// and clears it otherwise; a port whose driver has no such flag (a pseudo-terminal) refuses.
class D2xxSerialPortLibrary : public D2xxLibrary
{
public:
    // The port of device 0, or empty text when there is none.
    static QString devicePortName();

    // Defined where a port's parts are known.
    D2xxSerialPortLibrary();
    ~D2xxSerialPortLibrary() override;

    int open(int index, Handle& handle) override;
    int close(Handle handle) override;
    int read(Handle handle, void* buffer, std::uint32_t count, std::uint32_t& received) override;
    int write(Handle handle, const void* buffer, std::uint32_t count,
              std::uint32_t& written) override;
    int setBaudRate(Handle handle, std::uint32_t baudRate) override;
    int setDataCharacteristics(Handle handle, std::uint8_t wordLength, std::uint8_t stopBits,
                               std::uint8_t parity) override;
    int purge(Handle handle, std::uint32_t mask) override;
    int setTimeouts(Handle handle, std::uint32_t readMilliseconds,
                    std::uint32_t writeMilliseconds) override;
    int queueStatus(Handle handle, std::uint32_t& waiting) override;
    int setLatencyTimer(Handle handle, std::uint8_t milliseconds) override;

private:
    struct Port;

    Port* portOf(Handle handle) const;

    // The open ports, each under the handle that open() gave for it.
    std::map<Handle, std::unique_ptr<Port>> mPorts;
};

#endif
