#include "platform/d2xxserialportlibrary.h"

#include "platform/ftdiserialports.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <iterator>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace {

constexpr quint16 ftdiVendorId = 0x0403;
// The latency timer of an FTDI converter whose port is not set to low latency.
constexpr std::uint8_t defaultLatencyMilliseconds = 16;

// Whether the port has stopped working, as when its device was unplugged. A time-out, or a line
// setting that the port does not support, leaves it usable.
bool hasFailed(const QSerialPort& port)
{
    switch (port.error()) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::NotOpenError:
    case QSerialPort::DeviceNotFoundError:
        return true;
    default:
        return false;
    }
}

// Moves what the system has received into the port's buffer without waiting.
bool takeWaitingBytes(QSerialPort& port)
{
    while (port.waitForReadyRead(0)) {
    }
    const bool failed = hasFailed(port);
    if (!failed)
        port.clearError();
    return !failed;
}

// Sets or clears the low-latency flag among the port's serial settings and changes nothing else.
// A port without serial settings refuses: it is left as it was.
bool setLowLatency(QSerialPort& port, bool lowLatency)
{
#ifdef Q_OS_LINUX
    serial_struct settings{};
    if (ioctl(port.handle(), TIOCGSERIAL, &settings) != 0)
        return false;
    if (lowLatency)
        settings.flags |= ASYNC_LOW_LATENCY;
    else
        settings.flags &= ~ASYNC_LOW_LATENCY;
    return ioctl(port.handle(), TIOCSSERIAL, &settings) == 0;
#else
    Q_UNUSED(port);
    Q_UNUSED(lowLatency);
    return false;
#endif
}

// The D2XX parity codes in order: none, odd, even, mark, space. A larger code means space.
QSerialPort::Parity parityOf(std::uint8_t parity)
{
    constexpr QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                QSerialPort::SpaceParity};
    return parities[std::min<std::size_t>(parity, std::size(parities) - 1)];
}

} // namespace

// Until setTimeouts() says otherwise, a read or write waits up to 5 s.
struct D2xxSerialPortLibrary::Port
{
    QSerialPort serial;
    int readTimeout = 5000;
    int writeTimeout = 5000;
};

QString D2xxSerialPortLibrary::devicePortName()
{
    const QString configured = qEnvironmentVariable("KELVOCONF_BOX_PORT");
    if (!configured.isEmpty())
        return configured;
#ifdef Q_OS_LINUX
    if (QFileInfo::exists(QStringLiteral("/sys/class/tty")))
        return ftdiSerialPorts(QStringLiteral("/sys")).value(0);
#endif
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        if (info.hasVendorIdentifier() && info.vendorIdentifier() == ftdiVendorId)
            return info.systemLocation();
    }
    return QString();
}

D2xxSerialPortLibrary::D2xxSerialPortLibrary() = default;

D2xxSerialPortLibrary::~D2xxSerialPortLibrary() = default;

D2xxSerialPortLibrary::Port* D2xxSerialPortLibrary::portOf(Handle handle) const
{
    const auto found = mPorts.find(handle);
    return found != mPorts.end() ? found->second.get() : nullptr;
}

int D2xxSerialPortLibrary::open(int index, Handle& handle)
{
    const QString name = index == 0 ? devicePortName() : QString();
    if (name.isEmpty())
        return failure;
    auto port = std::make_unique<Port>();
    port->serial.setPortName(name);
    if (!port->serial.open(QIODevice::ReadWrite))
        return failure;
    port->serial.setFlowControl(QSerialPort::NoFlowControl);
    handle = port.get();
    mPorts[handle] = std::move(port);
    return 0;
}

int D2xxSerialPortLibrary::close(Handle handle)
{
    return mPorts.erase(handle) != 0 ? 0 : failure;
}

int D2xxSerialPortLibrary::read(Handle handle, void* buffer, std::uint32_t count,
                                std::uint32_t& received)
{
    Port* port = portOf(handle);
    if (port == nullptr)
        return failure;
    QSerialPort& serial = port->serial;
    QElapsedTimer clock;
    clock.start();
    if (!takeWaitingBytes(serial))
        return failure;
    while (serial.bytesAvailable() < static_cast<qint64>(count)) {
        const qint64 left = port->readTimeout - clock.elapsed();
        if (left <= 0 || !serial.waitForReadyRead(static_cast<int>(left))) {
            if (hasFailed(serial))
                return failure;
            serial.clearError();
            if (clock.elapsed() >= port->readTimeout)
                break;
        }
    }
    const qint64 taken = serial.read(static_cast<char*>(buffer), count);
    if (taken < 0)
        return failure;
    received = static_cast<std::uint32_t>(taken);
    return 0;
}

int D2xxSerialPortLibrary::write(Handle handle, const void* buffer, std::uint32_t count,
                                 std::uint32_t& written)
{
    Port* port = portOf(handle);
    if (port == nullptr)
        return failure;
    QSerialPort& serial = port->serial;
    if (serial.write(static_cast<const char*>(buffer), count) != static_cast<qint64>(count))
        return failure;
    QElapsedTimer clock;
    clock.start();
    while (serial.bytesToWrite() > 0) {
        const qint64 left = port->writeTimeout - clock.elapsed();
        if (left <= 0 || !serial.waitForBytesWritten(static_cast<int>(left)))
            break;
    }
    written = static_cast<std::uint32_t>(count - serial.bytesToWrite());
    return serial.bytesToWrite() == 0 && !hasFailed(serial) ? 0 : failure;
}

int D2xxSerialPortLibrary::setBaudRate(Handle handle, std::uint32_t baudRate)
{
    Port* port = portOf(handle);
    return port != nullptr && port->serial.setBaudRate(static_cast<qint32>(baudRate)) ? 0 : failure;
}

int D2xxSerialPortLibrary::setDataCharacteristics(Handle handle, std::uint8_t wordLength,
                                                  std::uint8_t stopBits, std::uint8_t parity)
{
    Port* port = portOf(handle);
    if (port == nullptr || wordLength < 5 || wordLength > 8)
        return failure;
    QSerialPort& serial = port->serial;
    const bool set =
        serial.setDataBits(static_cast<QSerialPort::DataBits>(wordLength)) &&
        serial.setStopBits(stopBits == twoStopBits ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
        serial.setParity(parityOf(parity));
    if (!set && !hasFailed(serial))
        serial.clearError();
    return set ? 0 : failure;
}

int D2xxSerialPortLibrary::purge(Handle handle, std::uint32_t mask)
{
    Port* port = portOf(handle);
    if (port == nullptr)
        return failure;
    QSerialPort::Directions directions;
    if ((mask & purgeReceive) != 0)
        directions |= QSerialPort::Input;
    if ((mask & purgeTransmit) != 0)
        directions |= QSerialPort::Output;
    return port->serial.clear(directions) ? 0 : failure;
}

int D2xxSerialPortLibrary::setTimeouts(Handle handle, std::uint32_t readMilliseconds,
                                       std::uint32_t writeMilliseconds)
{
    Port* port = portOf(handle);
    if (port == nullptr)
        return failure;
    port->readTimeout = static_cast<int>(readMilliseconds);
    port->writeTimeout = static_cast<int>(writeMilliseconds);
    return 0;
}

int D2xxSerialPortLibrary::queueStatus(Handle handle, std::uint32_t& waiting)
{
    Port* port = portOf(handle);
    if (port == nullptr || !takeWaitingBytes(port->serial))
        return failure;
    waiting = static_cast<std::uint32_t>(port->serial.bytesAvailable());
    return 0;
}

int D2xxSerialPortLibrary::setLatencyTimer(Handle handle, std::uint8_t milliseconds)
{
    Port* port = portOf(handle);
    if (port == nullptr)
        return failure;
    return setLowLatency(port->serial, milliseconds < defaultLatencyMilliseconds) ? 0 : failure;
}

D2xxLibrary& defaultD2xxLibrary()
{
    static D2xxSerialPortLibrary library;
    return library;
}
