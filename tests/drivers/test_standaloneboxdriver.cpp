#include "drivers/boxlogentry.h"
#include "drivers/boxprotocol.h"
#include "drivers/hexframe.h"
#include "drivers/standaloneboxdriver.h"
#include "emulation/emulatedstandalonebox.h"
#include "tests/drivers/scriptedd2xx.h"
#include "tests/support/coutcapture.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

namespace {

enum class Operation
{
    SelectProtocol,
    ReadBlock13,
    WriteBlock1,
    BatteryLevel,
    WriteConfig50,
    WriteConfig150,
    ReadConfig,
    SetClock2024,
    ReadClock,
    LogCount,
    LogEntry3639,
    LogEntry10,
    EraseLog
};

QByteArray flag(bool result)
{
    return result ? "true" : "false";
}

// Runs one operation and gives its result as text; readConfig starts from depth 7, filter 9.
QByteArray run(StandaloneBoxDriver& driver, Operation operation)
{
    quint32 value = 0xDEADBEEF;
    quint8 depth = 7;
    quint16 filter = 9;
    switch (operation) {
    case Operation::SelectProtocol:
        return flag(driver.selectProtocol());
    case Operation::ReadBlock13: {
        const bool read = driver.readSingleBlock(13, value);
        return flag(read) + " " + QByteArray::number(value, 16);
    }
    case Operation::WriteBlock1:
        return flag(driver.writeSingleBlock(1, 0x00320005));
    case Operation::BatteryLevel:
        return QByteArray::number(driver.readBatteryLevel());
    case Operation::WriteConfig50:
        return flag(driver.writeConfig(50, 5));
    case Operation::WriteConfig150:
        return flag(driver.writeConfig(150, 10));
    case Operation::ReadConfig: {
        const bool read = driver.readConfig(depth, filter);
        return flag(read) + " " + QByteArray::number(depth) + " " + QByteArray::number(filter);
    }
    case Operation::SetClock2024:
        return flag(driver.setClock(secondsSince2010(QDateTime(QDate(2024, 1, 1), QTime(0, 0)))));
    case Operation::ReadClock:
        return QByteArray::number(driver.readClock());
    case Operation::LogCount:
        return QByteArray::number(driver.readLogCount());
    case Operation::LogEntry3639:
        return driver.readLogEntry(3639);
    case Operation::LogEntry10:
        return driver.readLogEntry(10);
    case Operation::EraseLog:
        return flag(driver.eraseLog());
    }
    return QByteArray();
}

} // namespace

using Fault = EmulatedStandaloneBox::Fault;
using Request = EmulatedStandaloneBox::Request;

Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(Fault)

class TestStandaloneBoxDriver : public QObject
{
    Q_OBJECT

private slots:
    void hexTextIsReadInEitherCaseAndOnlyWhole()
    {
        quint32 value = 1;
        QVERIFY(parseHex("5201Ab", 6, value));
        QCOMPARE(value, 0x5201ABu);
        QVERIFY(parseHex("", 0, value));
        QCOMPARE(value, 0u);
        QVERIFY(!parseHex("TIMEOUT", 7, value));
        QVERIFY(!parseHex("52 1", 4, value));
        QVERIFY(!parseHex("5g", 2, value));
        QCOMPARE(value, 0u);
        // A log entry cut within its last byte is no entry.
        QVERIFY(!isBoxLogEntryText(QByteArray(kBoxLogEntryTextLength - 1, '0')));
    }

    void secondsCountFrom2010()
    {
        QCOMPARE(secondsSince2010(QDateTime(QDate(2010, 1, 1), QTime(0, 0))), 0);
        QCOMPARE(secondsSince2010(QDateTime(QDate(2024, 1, 1), QTime(0, 0))), 441763200);
        QCOMPARE(setClockRequest(-1), QByteArray("520548ffffffff"));
    }

    // Each operation against one scripted answer: the bytes it sends and what it makes of the
    // answer. Answers too short for their fields, with a length byte larger than what arrives,
    // with the wrong code or echo, or missing, give the failure value.
    void exchanges_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("result");

        const auto row = [](const char* name, Operation operation, const char* answer,
                            const char* request, const char* result) {
            QTest::newRow(name) << operation << QByteArray(answer) << QByteArray(request)
                                << QByteArray(result);
        };
        row("select", Operation::SelectProtocol, "0000", "0202010d", "true");
        row("select refused", Operation::SelectProtocol, "0001", "0202010d", "false");
        row("select no answer", Operation::SelectProtocol, "", "0202010d", "false");
        row("read block", Operation::ReadBlock13, "80080001020304aabb00", "04040a200d00",
            "true 1020304");
        row("read block tag error", Operation::ReadBlock13, "800401aabb00", "04040a200d00",
            "false deadbeef");
        row("read block short", Operation::ReadBlock13, "8008000102", "04040a200d00",
            "false deadbeef");
        row("read block too short for data", Operation::ReadBlock13, "800300aabb", "04040a200d00",
            "false deadbeef");
        row("read block no frame", Operation::ReadBlock13, "8700", "04040a200d00",
            "false deadbeef");
        row("write block", Operation::WriteBlock1, "800400aabb00", "04080a21010000320005", "true");
        row("write block tag error", Operation::WriteBlock1, "80050101aabb00",
            "04080a21010000320005", "false");
        row("write block short", Operation::WriteBlock1, "800400", "04080a21010000320005", "false");
        row("battery", Operation::BatteryLevel, "520442000057", "520142", "87");
        row("battery too short", Operation::BatteryLevel, "520142", "520142", "0");
        row("battery other echo", Operation::BatteryLevel, "520470000057", "520142", "0");
        row("write config 50", Operation::WriteConfig50, "520150", "520450320005", "true");
        row("write config 150", Operation::WriteConfig150, "520150", "52045096000a", "true");
        row("write config ff echo", Operation::WriteConfig50, "5201ff", "520450320005", "false");
        row("write config no answer", Operation::WriteConfig50, "", "520450320005", "false");
        row("read config", Operation::ReadConfig, "520470320005", "520170", "true 50 5");
        row("read config other echo", Operation::ReadConfig, "520450320005", "520170", "false 7 9");
        row("read config length beyond answer", Operation::ReadConfig, "52047032", "520170",
            "false 7 9");
        row("read config too short", Operation::ReadConfig, "52027032", "520170", "false 7 9");
        row("set clock", Operation::SetClock2024, "520148", "5205481a54c580", "true");
        row("read clock", Operation::ReadClock, "520568000001f4", "520168", "500");
        row("read clock wrong code", Operation::ReadClock, "800568000001f4", "520168", "0");
        row("log count", Operation::LogCount, "52036e002a", "52016e", "42");
        row("log count no answer", Operation::LogCount, "", "52016e", "-1");
        row("log count too short", Operation::LogCount, "52026e00", "52016e", "-1");
        row("log entry 3639", Operation::LogEntry3639, "52046c0a0b0c", "52036c0e37", "0a0b0c");
        row("log entry 10", Operation::LogEntry10, "52046cAABBCC", "52036c000a", "aabbcc");
        row("log entry other echo", Operation::LogEntry10, "52046e0a0b0c", "52036c000a", "");
        row("log entry empty", Operation::LogEntry10, "52016c", "52036c000a", "");
        row("erase", Operation::EraseLog, "520143", "520143", "true");
        row("erase other echo", Operation::EraseLog, "520150", "520143", "false");
    }

    void exchanges()
    {
        QFETCH(Operation, operation);
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, result);
        ScriptedD2xx device;
        StandaloneBoxDriver driver(device);
        {
            CoutCapture console;
            QVERIFY(driver.connectDevice());
            QCOMPARE(console.text(), std::string("Device opened\n"));
        }
        device.script({answer});
        CoutCapture console;
        QCOMPARE(run(driver, operation), result);
        QCOMPARE(device.written(), request);
    }

    void logEntryErrorMark()
    {
        ScriptedD2xx device;
        StandaloneBoxDriver driver(device);
        CoutCapture console;
        QVERIFY(driver.connectDevice());
        device.script({"5201ff"});
        QTest::ignoreMessage(QtDebugMsg, "error FFFF");
        QCOMPARE(driver.readLogEntry(3), QByteArray());
        QCOMPARE(driver.readLogEntry(-1), QByteArray());
        QCOMPARE(driver.readLogEntry(65536), QByteArray());
        QCOMPARE(device.written(), QByteArray("52036c0003"));
    }

    // selectProtocol prints what it drained, the answer and what followed it, back to back.
    void selectProtocolPrintsWhatItReceived()
    {
        ScriptedD2xx device;
        StandaloneBoxDriver driver(device);
        QVERIFY(!driver.selectProtocol());
        CoutCapture console;
        QVERIFY(driver.connectDevice());
        device.queueNow("abcd");
        device.script({"000012"});
        QVERIFY(driver.selectProtocol());
        QCOMPARE(console.text(), std::string("Device opened\nabcd000012"));
    }

    // Whatever is waiting before a request, the rest of a rejected answer or a late one, is
    // not taken as the answer to the request.
    void staleBytesAreDrained()
    {
        ScriptedD2xx device;
        StandaloneBoxDriver driver(device);
        CoutCapture console;
        QVERIFY(driver.connectDevice());
        device.queueNow("52036e002a");
        device.script({"520470320005"});
        quint8 depth = 0;
        quint16 filter = 0;
        QVERIFY(driver.readConfig(depth, filter));
        QCOMPARE(depth, quint8(50));
        QCOMPARE(filter, quint16(5));
    }

    void readsAndWritesTheTagThroughTheBox()
    {
        EmulatedStandaloneBox box;
        box.tag().fillWithPlausibleValues();
        StandaloneBoxDriver driver(box);
        QCOMPARE(driver.name(), QByteArray("StandaloneBox"));
        {
            CoutCapture console;
            QVERIFY(driver.open());
            QCOMPARE(console.text(),
                     std::string("Device opened\n0000------------device opened--------------\n"));
        }
        quint32 value = 0;
        QVERIFY(driver.readBlock(1, value));
        QCOMPARE(value, (50u << 16) | 5u);
        QVERIFY(driver.writeByte(1, 1, 75));
        QCOMPARE(box.tag().block(1), (75u << 16) | 5u);
        QCOMPARE(box.requests(Request::ReadBlock), 2);
        QCOMPARE(box.requests(Request::WriteBlock), 1);
    }

    // A rejected answer leaves its rest behind and a late one arrives after its time-out; the
    // next exchange drains them instead of taking them for its own answer.
    void staleAnswersNeverAnswerTheNextRequest_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::newRow("late") << Fault::LateAnswer;
        QTest::newRow("garbage") << Fault::Garbage;
        QTest::newRow("short") << Fault::ShortAnswer;
        QTest::newRow("ff echo") << Fault::FfEcho;
    }

    void staleAnswersNeverAnswerTheNextRequest()
    {
        QFETCH(Fault, fault);
        EmulatedStandaloneBox box;
        box.tag().setBlock(3, 0x11111111);
        box.tag().setBlock(4, 0x22222222);
        StandaloneBoxDriver driver(box);
        CoutCapture console;
        QVERIFY(driver.open());

        box.injectFault(1, fault);
        quint32 value = 0;
        QVERIFY(driver.readBlock(3, value));
        QCOMPARE(value, 0x11111111u);
        QVERIFY(driver.readBlock(4, value));
        QCOMPARE(value, 0x22222222u);
        QCOMPARE(box.requests(Request::ReadBlock), 3);

        box.setConfig(150, 10);
        box.injectFault(1, fault);
        QCOMPARE(driver.readBatteryLevel(), quint8(0));
        quint8 depth = 0;
        quint16 filter = 0;
        QVERIFY(driver.readConfig(depth, filter));
        QCOMPARE(depth, quint8(150));
        QCOMPARE(filter, quint16(10));
        QCOMPARE(driver.readLogCount(), 0);
    }

    // A box that does not answer a command at all costs one time-out: the commands after it fail
    // at once, without reaching the box, until the link is opened again. A request of the reader
    // kind loses the link as well. A box that answered, however badly, keeps the link.
    void aSilentBoxCostsOneTimeOut_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("readerRequest");
        QTest::addColumn<bool>("lost");
        QTest::newRow("no answer") << Fault::NoAnswer << false << true;
        QTest::newRow("no answer to a block read") << Fault::NoAnswer << true << true;
        QTest::newRow("late") << Fault::LateAnswer << false << false;
        QTest::newRow("short") << Fault::ShortAnswer << false << false;
        QTest::newRow("garbage") << Fault::Garbage << false << false;
    }

    void aSilentBoxCostsOneTimeOut()
    {
        QFETCH(Fault, fault);
        QFETCH(bool, readerRequest);
        QFETCH(bool, lost);
        EmulatedStandaloneBox box;
        StandaloneBoxDriver driver(box);
        CoutCapture console;
        QVERIFY(driver.open());
        box.injectFault(1, fault);
        quint32 value = 0;
        if (readerRequest)
            QVERIFY(!driver.readBlock(1, value));
        else
            QCOMPARE(driver.readBatteryLevel(), quint8(0));
        const qint64 waited = box.emulatedMilliseconds();
        QVERIFY(waited <= 5000);
        quint8 depth = 0;
        quint16 filter = 0;
        QCOMPARE(driver.readConfig(depth, filter), !lost);
        QCOMPARE(driver.lastOutcome(), lost ? Outcome::ReaderLost : Outcome::Done);
        QCOMPARE(driver.readLogCount(), lost ? -1 : 0);
        QCOMPARE(box.requests(Request::ReadConfig), lost ? 0 : 1);
        QCOMPARE(box.emulatedMilliseconds(), waited);

        QVERIFY(driver.ensureOpen());
        QVERIFY(driver.readConfig(depth, filter));
        QCOMPARE(depth, quint8(50));
        QVERIFY(driver.readBlock(1, value));
    }

    // A box silent to the reopen's protocol select as well is not reopened by every block
    // operation after it: two time-outs in all, until reopenLink tries it again.
    void blockOperationsStopReopeningASilentBox()
    {
        EmulatedStandaloneBox box;
        StandaloneBoxDriver driver(box);
        CoutCapture console;
        QVERIFY(driver.open());
        box.setSilent(true);
        quint32 value = 0;
        for (int attempt = 0; attempt < 5; ++attempt)
            QVERIFY(!driver.readBlock(1, value));
        QCOMPARE(driver.lastOutcome(), Outcome::ReaderLost);
        QCOMPARE(box.emulatedMilliseconds(), qint64(10000));
        box.setSilent(false);
        QVERIFY(!driver.readBlock(1, value));
        QVERIFY(driver.reopenLink());
        QVERIFY(driver.readBlock(1, value));
    }

    // The tag's error flag fails the attempt, on a write as on a read, and three such attempts
    // fail the operation.
    void tagErrorsFailTheAttempt()
    {
        EmulatedStandaloneBox box;
        StandaloneBoxDriver driver(box);
        CoutCapture console;
        QVERIFY(driver.open());
        box.injectFault(1, Fault::TagError, 3);
        QVERIFY(!driver.writeBlock(2, 0xCAFE0001));
        QCOMPARE(box.tag().block(2), 0u);
        box.injectFault(1, Fault::TagError, 2);
        QVERIFY(driver.writeBlock(2, 0xCAFE0001));
        QCOMPARE(box.requests(Request::WriteBlock), 6);

        quint32 value = 0;
        box.injectFault(1, Fault::TagError, 3);
        QVERIFY(!driver.readBlock(2, value));
        QCOMPARE(value, 0u);
        box.injectFault(1, Fault::TagError, 2);
        QVERIFY(driver.readBlock(2, value));
        QCOMPARE(value, 0xCAFE0001u);
    }

    // The device opens exclusively: only because the old link is closed can an unplugged box be
    // reopened, and the driver's end releases it.
    void reopensAnUnpluggedBoxAndReleasesIt()
    {
        EmulatedStandaloneBox box;
        CoutCapture console;
        {
            StandaloneBoxDriver driver(box);
            QVERIFY(driver.open());
            QVERIFY(driver.ensureOpen());
            box.unplugAfterExchanges(0);
            quint32 value = 0;
            QVERIFY(!driver.readSingleBlock(0, value));
            QVERIFY(!driver.ensureOpen());
            QVERIFY(!driver.readBlock(0, value));
            QCOMPARE(box.requests(Request::ReadBlock), 0);
            box.setPlugged(true);
            QVERIFY(driver.ensureOpen());
            QVERIFY(driver.readBlock(0, value));
            QVERIFY(box.isOpen());
        }
        QVERIFY(!box.isOpen());
    }
};

KELVO_TEST_MAIN(TestStandaloneBoxDriver)
#include "test_standaloneboxdriver.moc"
