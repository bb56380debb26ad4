#include "drivers/ftdiseriallink.h"
#include "emulation/emulatedstandalonebox.h"
#include "tests/drivers/coutcapture.h"
#include "tests/drivers/scriptedd2xx.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

#include <memory>
#include <vector>

using Call = EmulatedStandaloneBox::Call;

class TestFtdiSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { restoreDefaultD2xxLibrary(); }

    void opensWithTheLineSettingsAndClosesWhenDestroyed()
    {
        EmulatedStandaloneBox box;
        installD2xxLibrary(box);
        {
            CoutCapture console;
            FtdiSerialLink link(115200, 8, 2, 0);
            QCOMPARE(console.text(), std::string("Device opened\n"));
            QCOMPARE(box.calls(),
                     (std::vector<Call>{Call::Open, Call::SetBaudRate, Call::SetDataCharacteristics,
                                        Call::SetTimeouts, Call::Purge}));
            QCOMPARE(box.baudRate(), 115200u);
            QCOMPARE(box.dataCharacteristics(), (std::array<std::uint8_t, 3>{{8, 2, 0}}));
            QCOMPARE(box.timeouts(), (std::array<std::uint32_t, 2>{{5000, 5000}}));
            QVERIFY(link.isAlive());
            QVERIFY(box.isOpen());
        }
        QVERIFY(!box.isOpen());
        QCOMPARE(box.calls().back(), Call::Close);

        box.setPlugged(false);
        CoutCapture console;
        QVERIFY_EXCEPTION_THROWN(FtdiSerialLink(115200, 8, 2, 0), QByteArray);
        try {
            FtdiSerialLink link(115200, 8, 2, 0);
        } catch (const QByteArray& error) {
            QCOMPARE(error, QByteArray("error opening"));
        }
        QCOMPARE(console.text(), std::string());
    }

    void sendsAndReadsHexText()
    {
        ScriptedD2xx device;
        installD2xxLibrary(device);
        CoutCapture console;
        FtdiSerialLink link(115200, 8, 2, 0);
        QVERIFY(link.send("0202010D"));
        QVERIFY(link.send("520450320005"));
        QVERIFY(link.send("abc"));
        QCOMPARE(device.written(), QByteArray("0202010d520450320005ab0c"));

        QCOMPARE(link.readAvailable(), QByteArray());
        QCOMPARE(device.reads(), 0);
        QCOMPARE(link.readExact(0), QByteArray());

        device.queueNow("800AFF");
        QCOMPARE(link.readExact(2), QByteArray("800a"));
        QCOMPARE(link.readExact(2), QByteArray("TIMEOUT"));
        QCOMPARE(link.readExact(2), QByteArray("TIMEOUT"));
        device.queueNow("5201AB");
        QCOMPARE(link.readAvailable(), QByteArray("5201ab"));
    }

    // A request that got no answer at all loses the link: it makes no more calls on the device
    // and fails at once. An answer that stopped short does not.
    void aRequestWithoutAnswerLosesTheLink()
    {
        ScriptedD2xx device;
        installD2xxLibrary(device);
        CoutCapture console;
        FtdiSerialLink link(115200, 8, 2, 0);
        device.script({"52", ""});
        QVERIFY(link.send("520170"));
        QCOMPARE(link.readExact(2), QByteArray("TIMEOUT"));
        QCOMPARE(link.readExact(2), QByteArray("TIMEOUT"));
        QCOMPARE(link.lastOutcome(), Outcome::BadAnswer);
        QVERIFY(link.isAlive());

        QVERIFY(link.send("520170"));
        QCOMPARE(link.readExact(2), QByteArray("TIMEOUT"));
        QCOMPARE(link.lastOutcome(), Outcome::ReaderLost);
        const int reads = device.reads();
        QVERIFY(!link.isAlive());
        QVERIFY(!link.send("520142"));
        QVERIFY(!link.receive(2));
        QCOMPARE(link.lastOutcome(), Outcome::ReaderLost);
        device.queueNow("520142");
        QCOMPARE(link.readAvailable(), QByteArray());
        QCOMPARE(device.reads(), reads);
        QCOMPARE(device.written(), QByteArray("520170520170"));
    }

    void readsFailOnALostDevice()
    {
        EmulatedStandaloneBox box;
        installD2xxLibrary(box);
        CoutCapture console;
        FtdiSerialLink link(115200, 8, 2, 0);
        box.setPlugged(false);
        QVERIFY(!link.isAlive());
        QVERIFY(!link.send("520170"));
        QCOMPARE(link.readAvailable(), QByteArray());
        QCOMPARE(link.readExact(3), QByteArray());
    }
};

KELVO_TEST_MAIN(TestFtdiSerialLink)
#include "test_ftdiseriallink.moc"
