#include "emulation/emulatedstandalonebox.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

namespace {

using Fault = EmulatedStandaloneBox::Fault;
using Request = EmulatedStandaloneBox::Request;

// Writes the request given as hex text and returns everything then waiting, as hex text.
QByteArray exchange(EmulatedStandaloneBox& box, D2xxLibrary::Handle handle, const char* request)
{
    const QByteArray bytes = QByteArray::fromHex(request);
    std::uint32_t count = 0;
    if (box.write(handle, bytes.constData(), static_cast<std::uint32_t>(bytes.size()), count) != 0)
        return "write failed";
    std::uint32_t waiting = 0;
    box.queueStatus(handle, waiting);
    QByteArray answer(static_cast<int>(waiting), '\0');
    box.read(handle, answer.data(), waiting, count);
    return answer.toHex();
}

// One byte read with nothing waiting times out at once and lets a late answer's rest arrive.
QByteArray readOneByte(EmulatedStandaloneBox& box, D2xxLibrary::Handle handle)
{
    char byte = 0;
    std::uint32_t count = 0;
    box.read(handle, &byte, 1, count);
    return QByteArray(&byte, static_cast<int>(count)).toHex();
}

} // namespace

Q_DECLARE_METATYPE(Fault)

// The emulated box stands in for the real one in the reader and box tab tests, so it must answer
// as those tests assume.
class TestEmulatedStandaloneBox : public QObject
{
    Q_OBJECT

private slots:
    void answersAsTheBoxDoes()
    {
        EmulatedStandaloneBox box;
        D2xxLibrary::Handle handle = nullptr;
        QCOMPARE(box.open(0, handle), 0);
        box.tag().setBlock(13, 0x01020304);
        QCOMPARE(exchange(box, handle, "04040a200d00"), QByteArray("8200"));
        QCOMPARE(exchange(box, handle, "0202010d"), QByteArray("0000"));
        QCOMPARE(exchange(box, handle, "04040a200d00").left(14), QByteArray("80080001020304"));
        QCOMPARE(exchange(box, handle, "04080a210d00aabbccdd").left(6), QByteArray("800400"));
        QCOMPARE(box.tag().block(13), 0xAABBCCDDu);
        QCOMPARE(exchange(box, handle, "04040a201000").left(8), QByteArray("80050110"));

        box.setBatteryLevel(64);
        QCOMPARE(exchange(box, handle, "520142"), QByteArray("520442000040"));
        QCOMPARE(exchange(box, handle, "52045096000a"), QByteArray("520150"));
        QCOMPARE(box.activationDepth(), quint8(150));
        QCOMPARE(box.filter(), quint16(10));
        QCOMPARE(exchange(box, handle, "520170"), QByteArray("52047096000a"));
        QCOMPARE(exchange(box, handle, "5205481a54c580"), QByteArray("520148"));
        QCOMPARE(box.clock(), 441763200u);
        QCOMPARE(exchange(box, handle, "520168"), QByteArray("5205681a54c580"));

        std::array<quint32, EmulatedKelvoTag::blockCount> blocks{};
        blocks[0] = 0x19000042;
        blocks[15] = 0x30343137;
        const QByteArray entry = EmulatedStandaloneBox::logEntry(0x1A54C580, 1, blocks);
        QCOMPARE(entry.size(), EmulatedStandaloneBox::logEntrySize);
        QCOMPARE(entry.toHex().left(24), QByteArray("1a54c5800000000119000042"));
        QCOMPARE(entry.toHex().right(8), QByteArray("30343137"));
        box.appendLogEntry(entry);
        box.appendLogEntry(entry);
        QCOMPARE(exchange(box, handle, "52016e"), QByteArray("52036e0002"));
        QCOMPARE(exchange(box, handle, "52036c0001"), QByteArray("52496c") + entry.toHex());
        QCOMPARE(exchange(box, handle, "52036c0002"), QByteArray("5201ff"));
        QCOMPARE(exchange(box, handle, "520143"), QByteArray("520143"));
        QVERIFY(box.logEntries().isEmpty());
        QCOMPARE(exchange(box, handle, "520199"), QByteArray("5201ff"));
        QCOMPARE(exchange(box, handle, "5202420a"), QByteArray("5201ff"));

        QCOMPARE(box.requests(Request::ProtocolSelect), 1);
        QCOMPARE(box.requests(Request::ReadBlock), 3);
        QCOMPARE(box.requests(Request::WriteBlock), 1);
        QCOMPARE(box.requests(Request::LogEntry), 2);
        QCOMPARE(box.requests(Request::BatteryLevel), 2);
        QCOMPARE(box.requests(Request::OtherBoxCommand), 1);
        QCOMPARE(box.exchanges(), 16);
        QCOMPARE(box.lastRequest().toHex(), QByteArray("5202420a"));
    }

    void spoilsChosenAnswers_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QByteArray>("spoiled");
        QTest::addColumn<QByteArray>("late");

        QTest::newRow("no answer") << Fault::NoAnswer << QByteArray() << QByteArray();
        QTest::newRow("short") << Fault::ShortAnswer << QByteArray("52047032") << QByteArray();
        QTest::newRow("garbage") << Fault::Garbage << QByteArray("a55aa55aa55a") << QByteArray();
        QTest::newRow("ff echo") << Fault::FfEcho << QByteArray("5204ff320005") << QByteArray();
        QTest::newRow("late") << Fault::LateAnswer << QByteArray("5204") << QByteArray("70320005");
    }

    // Faults count from now (1 is the next exchange) and spoil only their own exchange; a late
    // answer's rest arrives once a read has run out of bytes.
    void spoilsChosenAnswers()
    {
        QFETCH(Fault, fault);
        QFETCH(QByteArray, spoiled);
        QFETCH(QByteArray, late);
        EmulatedStandaloneBox box;
        D2xxLibrary::Handle handle = nullptr;
        QCOMPARE(box.open(0, handle), 0);
        exchange(box, handle, "520170");
        box.injectFault(2, fault);
        QCOMPARE(exchange(box, handle, "520170"), QByteArray("520470320005"));
        QCOMPARE(exchange(box, handle, "520170"), spoiled);
        QCOMPARE(readOneByte(box, handle), QByteArray());
        std::uint32_t waiting = 0;
        QCOMPARE(box.queueStatus(handle, waiting), 0);
        QCOMPARE(QByteArray::number(waiting), QByteArray::number(late.size() / 2));
        QCOMPARE(exchange(box, handle, "520170"), late + "520470320005");

        const QByteArray entry(EmulatedStandaloneBox::logEntrySize, '\x11');
        box.appendLogEntry(entry);
        box.injectLogEntryFault(0, fault);
        QVERIFY(exchange(box, handle, "52036c0000") != QByteArray("52496c") + entry.toHex());
        readOneByte(box, handle);
        exchange(box, handle, "");
        QCOMPARE(exchange(box, handle, "52036c0000"), QByteArray("52496c") + entry.toHex());
    }

    void tagErrorLeavesTheTagAlone()
    {
        EmulatedStandaloneBox box;
        D2xxLibrary::Handle handle = nullptr;
        QCOMPARE(box.open(0, handle), 0);
        exchange(box, handle, "0202010d");
        box.injectFault(1, Fault::TagError);
        QCOMPARE(exchange(box, handle, "04080a210100aabbccdd").left(6), QByteArray("800501"));
        QCOMPARE(box.tag().block(1), 0u);
        box.setTagInField(false);
        QCOMPARE(exchange(box, handle, "04040a200100"), QByteArray("8700"));
    }

    // The box's clock counts what the reader would have waited: the read time-out for every read
    // left short, the wire time of every byte when paced, nothing for calls on a dead handle. A
    // silent box takes requests and answers none.
    void keepsTheTimeTheReaderWouldHaveWaited()
    {
        EmulatedStandaloneBox box;
        D2xxLibrary::Handle handle = nullptr;
        QCOMPARE(box.open(0, handle), 0);
        box.setTimeouts(handle, 5000, 5000);
        QCOMPARE(exchange(box, handle, "0202010d"), QByteArray("0000"));
        QCOMPARE(box.emulatedMilliseconds(), 0);
        QCOMPARE(readOneByte(box, handle), QByteArray());
        QCOMPARE(box.emulatedMilliseconds(), 5000);

        box.setSilent(true);
        QCOMPARE(exchange(box, handle, "520170"), QByteArray());
        QCOMPARE(readOneByte(box, handle), QByteArray());
        QCOMPARE(box.requests(Request::ReadConfig), 0);
        QCOMPARE(box.exchanges(), 2);
        QCOMPARE(box.emulatedMilliseconds(), 10000);
        box.setSilent(false);

        // 1100 baud at 11 bits a byte: 10 ms a byte, 3 out and 6 back.
        box.paceAt(1100);
        QCOMPARE(exchange(box, handle, "520170"), QByteArray("520470320005"));
        QCOMPARE(box.emulatedMilliseconds(), 10090);

        box.setPlugged(false);
        QCOMPARE(readOneByte(box, handle), QByteArray());
        QCOMPARE(box.emulatedMilliseconds(), 10090);
    }

    void opensExclusivelyAndCanBeUnplugged()
    {
        EmulatedStandaloneBox box;
        D2xxLibrary::Handle handle = nullptr;
        D2xxLibrary::Handle second = nullptr;
        QVERIFY(box.open(1, handle) != 0);
        QCOMPARE(box.open(0, handle), 0);
        QVERIFY(box.open(0, second) != 0);
        QCOMPARE(box.close(handle), 0);
        QVERIFY(!box.isOpen());
        QCOMPARE(box.open(0, second), 0);
        QVERIFY(second != handle);
        std::uint32_t waiting = 0;
        QVERIFY(box.queueStatus(handle, waiting) != 0);

        box.unplugAfterExchanges(1);
        QCOMPARE(exchange(box, second, "520170"), QByteArray("520470320005"));
        QCOMPARE(exchange(box, second, "520170"), QByteArray("write failed"));
        QVERIFY(box.queueStatus(second, waiting) != 0);
        QCOMPARE(box.close(second), 0);
        QVERIFY(box.open(0, handle) != 0);
        box.setPlugged(true);
        QCOMPARE(box.open(0, handle), 0);
    }
};

KELVO_TEST_MAIN(TestEmulatedStandaloneBox)
#include "test_emulatedstandalonebox.moc"
