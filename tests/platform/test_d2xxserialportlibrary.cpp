#include "drivers/ftdiseriallink.h"
#include "platform/d2xxserialportlibrary.h"
#include "platform/ftdiserialports.h"
#include "tests/support/coutcapture.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// A pseudo-terminal whose slave side stands for the box's port; the test plays the box on the
// master side.
class PseudoTerminal
{
public:
    PseudoTerminal()
    {
        char name[256] = {};
        if (openpty(&mMaster, &mSlave, name, nullptr, nullptr) == 0)
            mName = QString::fromLocal8Bit(name);
    }
    ~PseudoTerminal()
    {
        closeMaster();
        if (mSlave >= 0)
            ::close(mSlave);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    QString name() const { return mName; }

    void send(const QByteArray& hexText) const
    {
        const QByteArray bytes = QByteArray::fromHex(hexText);
        QCOMPARE(::write(mMaster, bytes.constData(), static_cast<size_t>(bytes.size())),
                 static_cast<ssize_t>(bytes.size()));
    }

    // What the port sent, as hex text, waiting up to a second for count bytes.
    QByteArray received(int count) const
    {
        QByteArray bytes;
        pollfd watched{mMaster, POLLIN, 0};
        while (bytes.size() < count && poll(&watched, 1, 1000) > 0) {
            char buffer[64];
            const ssize_t read = ::read(mMaster, buffer, sizeof buffer);
            if (read <= 0)
                break;
            bytes.append(buffer, static_cast<int>(read));
        }
        return bytes.toHex();
    }

    termios slaveSettings() const
    {
        termios settings{};
        tcgetattr(mSlave, &settings);
        return settings;
    }

    void closeMaster()
    {
        if (mMaster >= 0)
            ::close(mMaster);
        mMaster = -1;
    }

private:
    int mMaster = -1;
    int mSlave = -1;
    QString mName;
};

bool sameSettings(const termios& one, const termios& other)
{
    return one.c_iflag == other.c_iflag && one.c_oflag == other.c_oflag &&
           one.c_cflag == other.c_cflag && one.c_lflag == other.c_lflag &&
           std::equal(std::begin(one.c_cc), std::end(one.c_cc), std::begin(other.c_cc)) &&
           cfgetispeed(&one) == cfgetispeed(&other) && cfgetospeed(&one) == cfgetospeed(&other);
}

std::uint32_t readInto(D2xxLibrary& library, D2xxLibrary::Handle handle, QByteArray& text,
                       std::uint32_t count)
{
    QByteArray bytes(static_cast<int>(count), '\0');
    std::uint32_t received = 0;
    if (library.read(handle, bytes.data(), count, received) != 0)
        return 0;
    text = bytes.left(static_cast<int>(received)).toHex();
    return received;
}

// Adds a tty named name to a device tree under root, at place below its devices folder (empty
// for a virtual terminal, which has no device behind it), as the kernel lists it.
void addTty(const QString& root, const QString& place, const QString& name)
{
    const QString ttyFolder = place.isEmpty() ? QStringLiteral("virtual/tty/") + name
                                              : place + QStringLiteral("/tty/") + name;
    QVERIFY(QDir().mkpath(root + QStringLiteral("/devices/") + ttyFolder));
    QVERIFY(QDir().mkpath(root + QStringLiteral("/class/tty")));
    QVERIFY(QFile::link(QStringLiteral("../../devices/") + ttyFolder,
                        root + QStringLiteral("/class/tty/") + name));
    if (!place.isEmpty())
        QVERIFY(QFile::link(QStringLiteral("../../../") + place.section(QLatin1Char('/'), -1),
                            root + QStringLiteral("/devices/") + ttyFolder +
                                QStringLiteral("/device")));
}

void setVendor(const QString& root, const QString& usbDevice, const QByteArray& vendor)
{
    QFile file(root + QStringLiteral("/devices/") + usbDevice + QStringLiteral("/idVendor"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(vendor);
}

} // namespace

// The serial-port backend reaches the box through KELVOCONF_BOX_PORT; a pseudo-terminal with a
// scripted peer stands for the box.
class TestD2xxSerialPortLibrary : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        mTerminal = std::make_unique<PseudoTerminal>();
        QVERIFY(!mTerminal->name().isEmpty());
        qputenv("KELVOCONF_BOX_PORT", mTerminal->name().toLocal8Bit());
    }

    void cleanup() { mTerminal.reset(); }

    void opensTheNamedPortOnly()
    {
        D2xxSerialPortLibrary library;
        QCOMPARE(D2xxSerialPortLibrary::devicePortName(), mTerminal->name());
        D2xxLibrary::Handle handle = nullptr;
        D2xxLibrary::Handle second = nullptr;
        QVERIFY(library.open(1, handle) != 0);
        QCOMPARE(library.open(0, handle), 0);
        QVERIFY(library.open(0, second) != 0);
        QCOMPARE(library.close(handle), 0);
        QVERIFY(library.close(handle) != 0);
        std::uint32_t waiting = 0;
        QVERIFY(library.queueStatus(handle, waiting) != 0);
        QCOMPARE(library.open(0, second), 0);
        QCOMPARE(library.close(second), 0);

        qputenv("KELVOCONF_BOX_PORT", QByteArray("/nonexistent/ttyBOX"));
        QVERIFY(library.open(0, handle) != 0);
    }

    void setsTheLineAndSendsTheBytes()
    {
        D2xxSerialPortLibrary library;
        D2xxLibrary::Handle handle = nullptr;
        QCOMPARE(library.open(0, handle), 0);
        QCOMPARE(library.setBaudRate(handle, 115200), 0);
        QCOMPARE(library.setDataCharacteristics(handle, 8, D2xxLibrary::twoStopBits,
                                                D2xxLibrary::noParity),
                 0);
        termios settings = mTerminal->slaveSettings();
        QCOMPARE(cfgetospeed(&settings), speed_t(B115200));
        QCOMPARE(settings.c_cflag & CSIZE, tcflag_t(CS8));
        QVERIFY((settings.c_cflag & CSTOPB) != 0);
        QVERIFY((settings.c_cflag & PARENB) == 0);
        QCOMPARE(library.setDataCharacteristics(handle, 8, D2xxLibrary::oneStopBit,
                                                D2xxLibrary::noParity),
                 0);
        QVERIFY((mTerminal->slaveSettings().c_cflag & CSTOPB) == 0);
        // A pseudo-terminal has no parity; the refusal leaves the port usable.
        QVERIFY(library.setDataCharacteristics(handle, 8, D2xxLibrary::oneStopBit,
                                               D2xxLibrary::evenParity) != 0);

        const QByteArray request = QByteArray::fromHex("52045032000a");
        std::uint32_t written = 0;
        QCOMPARE(library.write(handle, request.constData(), 6, written), 0);
        QCOMPARE(written, 6u);
        QCOMPARE(mTerminal->received(6), QByteArray("52045032000a"));
        QCOMPARE(library.close(handle), 0);
    }

    // A read waits for late bytes within its time-out, and returns what arrived once it has
    // passed; the queue status tells what can be read without waiting.
    void readsWithinTheTimeout()
    {
        D2xxSerialPortLibrary library;
        D2xxLibrary::Handle handle = nullptr;
        QCOMPARE(library.open(0, handle), 0);
        QCOMPARE(library.setTimeouts(handle, 5000, 5000), 0);
        std::thread peer([this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            mTerminal->send("52");
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            mTerminal->send("0150");
        });
        QByteArray text;
        QCOMPARE(readInto(library, handle, text, 3), 3u);
        peer.join();
        QCOMPARE(text, QByteArray("520150"));

        QCOMPARE(library.setTimeouts(handle, 100, 100), 0);
        mTerminal->send("8000");
        QCOMPARE(readInto(library, handle, text, 3), 2u);
        QCOMPARE(text, QByteArray("8000"));

        mTerminal->send("aabbcc");
        std::uint32_t waiting = 0;
        QTRY_VERIFY(library.queueStatus(handle, waiting) == 0 && waiting == 3);
        QCOMPARE(library.purge(handle, D2xxLibrary::purgeReceive), 0);
        QCOMPARE(library.queueStatus(handle, waiting), 0);
        QCOMPARE(waiting, 0u);
        QCOMPARE(readInto(library, handle, text, 1), 0u);
        QCOMPARE(library.close(handle), 0);
    }

    // A pseudo-terminal has no low-latency flag: it refuses the latency timer, short or long, and
    // its line settings stay as they were.
    void aPortWithoutLowLatencyRefusesTheLatencyTimer()
    {
        D2xxSerialPortLibrary library;
        D2xxLibrary::Handle handle = nullptr;
        QCOMPARE(library.open(0, handle), 0);
        QCOMPARE(library.setBaudRate(handle, 115200), 0);
        const termios before = mTerminal->slaveSettings();
        QVERIFY(library.setLatencyTimer(handle, 2) != 0);
        QVERIFY(library.setLatencyTimer(handle, 16) != 0);
        QVERIFY(sameSettings(mTerminal->slaveSettings(), before));
        QCOMPARE(library.close(handle), 0);
        QVERIFY(library.setLatencyTimer(handle, 2) != 0);
    }

    // The link asks the port it opens for the short latency timer; on a port that refuses, it
    // carries the exchanges all the same, on the line settings it chose.
    void theLinkWorksOnAPortThatRefusesTheLatencyTimer()
    {
        D2xxSerialPortLibrary library;
        {
            CoutCapture console;
            FtdiSerialLink link(library, 115200, 8, 2, 0);
            const termios settings = mTerminal->slaveSettings();
            QCOMPARE(cfgetospeed(&settings), speed_t(B115200));
            QVERIFY((settings.c_cflag & CSTOPB) != 0);
            QVERIFY(link.send("520170"));
            QCOMPARE(mTerminal->received(3), QByteArray("520170"));
            mTerminal->send("520470320005");
            const std::optional<QByteArray> answer = link.receive(6);
            QVERIFY(answer);
            QCOMPARE(answer->toHex(), QByteArray("520470320005"));
            QVERIFY(link.isAlive());
            QCOMPARE(console.text(), std::string("Device opened\n"));
        }
    }

    // Without KELVOCONF_BOX_PORT the box is the first FTDI port in the kernel's device tree, as
    // udev lists them; ports of other converters, mainboard UARTs and virtual terminals are not.
    void findsTheFtdiPortsInTheDeviceTree()
    {
        QTemporaryDir sysfs;
        const QString root = sysfs.path();
        const QString hub = QStringLiteral("pci0000:00/0000:00:14.0/usb1");
        addTty(root, hub + QStringLiteral("/1-3/1-3:1.0/ttyUSB0"), QStringLiteral("ttyUSB0"));
        addTty(root, hub + QStringLiteral("/1-1/1-1:1.0/ttyUSB2"), QStringLiteral("ttyUSB2"));
        addTty(root, hub + QStringLiteral("/1-2/1-2:1.0/ttyUSB1"), QStringLiteral("ttyUSB1"));
        addTty(root, QStringLiteral("platform/serial8250"), QStringLiteral("ttyS0"));
        addTty(root, QString(), QStringLiteral("tty0"));
        setVendor(root, hub, "1d6b\n");
        setVendor(root, hub + QStringLiteral("/1-1"), "0403\n");
        setVendor(root, hub + QStringLiteral("/1-2"), "067b\n");
        setVendor(root, hub + QStringLiteral("/1-3"), "0403\n");

        QCOMPARE(ftdiSerialPorts(root),
                 QStringList({QStringLiteral("/dev/ttyUSB2"), QStringLiteral("/dev/ttyUSB0")}));
        QCOMPARE(ftdiSerialPorts(root + QStringLiteral("/missing")), QStringList());
    }

    void aVanishedPeerFailsTheQueueStatus()
    {
        D2xxSerialPortLibrary library;
        D2xxLibrary::Handle handle = nullptr;
        QCOMPARE(library.open(0, handle), 0);
        std::uint32_t waiting = 0;
        QCOMPARE(library.queueStatus(handle, waiting), 0);
        mTerminal->closeMaster();
        QVERIFY(library.queueStatus(handle, waiting) != 0);
        QCOMPARE(library.close(handle), 0);
    }

private:
    std::unique_ptr<PseudoTerminal> mTerminal;
};

KELVO_TEST_MAIN(TestD2xxSerialPortLibrary)
#include "test_d2xxserialportlibrary.moc"
