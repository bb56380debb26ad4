#include "drivers/ftdiseriallink.h"
#include "emulation/emulatedstandalonebox.h"
#include "tests/drivers/scriptedd2xx.h"
#include "tests/support/coutcapture.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

#include <chrono>
#include <memory>
#include <vector>

using Call = EmulatedStandaloneBox::Call;

class TestFtdiSerialLink : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheLineSettingsAndClosesWhenDestroyed()
    {
        EmulatedStandaloneBox box;
        {
            CoutCapture console;
            FtdiSerialLink link(box, 115200, 8, 2, 0);
            QCOMPARE(console.text(), std::string("Device opened\n"));
            QCOMPARE(box.calls(),
                     (std::vector<Call>{Call::Open, Call::SetBaudRate, Call::SetDataCharacteristics,
                                        Call::SetTimeouts, Call::SetLatencyTimer, Call::Purge}));
            QCOMPARE(box.baudRate(), 115200u);
            QCOMPARE(box.dataCharacteristics(), (std::array<std::uint8_t, 3>{{8, 2, 0}}));
            QCOMPARE(box.timeouts(), (std::array<std::uint32_t, 2>{{5000, 5000}}));
            QCOMPARE(box.latencyTimer(), std::uint8_t(2));
            QVERIFY(link.isAlive());
            QVERIFY(box.isOpen());
        }
        QVERIFY(!box.isOpen());
        QCOMPARE(box.calls().back(), Call::Close);

        box.setPlugged(false);
        CoutCapture console;
        QVERIFY_EXCEPTION_THROWN(FtdiSerialLink(box, 115200, 8, 2, 0), QByteArray);
        try {
            FtdiSerialLink link(box, 115200, 8, 2, 0);
        } catch (const QByteArray& error) {
            QCOMPARE(error, QByteArray("error opening"));
        }
        QCOMPARE(console.text(), std::string());
    }

    void aRefusedLatencyTimerCostsOnlySpeed_data()
    {
        QTest::addColumn<bool>("supported");
        QTest::addColumn<int>("timer");
        QTest::newRow("set") << true << 2;
        QTest::newRow("refused") << false << 16;
    }

    // A converter that refuses the short latency timer still carries the exchanges, silently,
    // only with its own timer: at 110000 baud (100 us a byte) the 3 bytes of the request take
    // 300 us, and the answer's first byte waits in a packet that is not full for the timer.
    void aRefusedLatencyTimerCostsOnlySpeed()
    {
        QFETCH(bool, supported);
        QFETCH(int, timer);
        EmulatedStandaloneBox box;
        box.paceAt(110000, EmulatedStandaloneBox::Pacing::EmulatedTime);
        box.setLatencyTimerSupported(supported);
        CoutCapture console;
        FtdiSerialLink link(box, 115200, 8, 2, 0);
        QCOMPARE(int(box.latencyTimer()), timer);
        QVERIFY(link.isAlive());
        const std::chrono::nanoseconds start = box.emulatedTime();
        QVERIFY(link.send("520170"));
        const std::optional<QByteArray> answer = link.receive(6);
        QVERIFY(answer);
        QCOMPARE(answer->toHex(), QByteArray("520470320005"));
        QCOMPARE(link.lastOutcome(), Outcome::Done);
        const auto waited =
            std::chrono::duration_cast<std::chrono::microseconds>(box.emulatedTime() - start);
        QCOMPARE(qint64(waited.count()), qint64(400 + 1000 * timer));
        QCOMPARE(console.text(), std::string("Device opened\n"));
    }

    void sendsAndReadsHexText()
    {
        ScriptedD2xx device;
        CoutCapture console;
        FtdiSerialLink link(device, 115200, 8, 2, 0);
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
        CoutCapture console;
        FtdiSerialLink link(device, 115200, 8, 2, 0);
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
        CoutCapture console;
        FtdiSerialLink link(box, 115200, 8, 2, 0);
        box.setPlugged(false);
        QVERIFY(!link.isAlive());
        QVERIFY(!link.send("520170"));
        QCOMPARE(link.readAvailable(), QByteArray());
        QCOMPARE(link.readExact(3), QByteArray());
    }
};

KELVO_TEST_MAIN(TestFtdiSerialLink)
#include "test_ftdiseriallink.moc"
