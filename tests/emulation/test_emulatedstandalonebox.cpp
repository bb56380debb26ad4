#include "emulation/emulatedstandalonebox.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

namespace {

using Fault = EmulatedStandaloneBox::Fault;
using Pacing = EmulatedStandaloneBox::Pacing;
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

// The box's clock, in microseconds.
qint64 emulatedMicroseconds(const EmulatedStandaloneBox& box)
{
    return std::chrono::duration_cast<std::chrono::microseconds>(box.emulatedTime()).count();
}

// A box paced at 110000 baud, 100 us a byte, on its own clock, opened with a read time-out.
D2xxLibrary::Handle openPacedBox(EmulatedStandaloneBox& box, std::uint32_t readTimeout)
{
    box.paceAt(110000, Pacing::EmulatedTime);
    D2xxLibrary::Handle handle = nullptr;
    box.open(0, handle);
    box.setTimeouts(handle, readTimeout, readTimeout);
    return handle;
}

bool writeHex(EmulatedStandaloneBox& box, D2xxLibrary::Handle handle, const QByteArray& request)
{
    const QByteArray bytes = QByteArray::fromHex(request);
    std::uint32_t count = 0;
    return box.write(handle, bytes.constData(), static_cast<std::uint32_t>(bytes.size()), count) ==
           0;
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
    // left short, the wire time of every byte and the wait for the converter's packets when paced,
    // nothing for calls on a dead handle. A silent box takes requests and answers none.
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

        // 1100 baud at 11 bits a byte: 10 ms a byte, 3 out and 6 back, which the converter hands
        // over two at a time, when its 16 ms timer runs out: the last two at 10080 + 16 ms.
        box.paceAt(1100);
        QCOMPARE(exchange(box, handle, "520170"), QByteArray("520470320005"));
        QCOMPARE(box.emulatedMilliseconds(), 10096);

        box.setPlugged(false);
        QCOMPARE(readOneByte(box, handle), QByteArray());
        QCOMPARE(box.emulatedMilliseconds(), 10096);
    }

    void handsTheAnswersOverInPackets_data()
    {
        QTest::addColumn<int>("timer");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<qint64>("headAt");
        QTest::addColumn<qint64>("wholeAt");

        // The 3 bytes of a configuration read take 300 us; its answer's 6 bytes come in by 900 us
        // and leave together in a packet that is not full, once the timer has run out after the
        // first of them, at 400 us. 0 leaves the timer at its default; the host cannot set it
        // below 2 ms.
        const QByteArray config("520470320005");
        QTest::newRow("short answer, 16 ms")
            << 0 << QByteArray("520170") << config << qint64(16400) << qint64(16400);
        QTest::newRow("short answer, 1 ms refused")
            << 1 << QByteArray("520170") << config << qint64(16400) << qint64(16400);
        QTest::newRow("short answer, 2 ms")
            << 2 << QByteArray("520170") << config << qint64(2400) << qint64(2400);
        QTest::newRow("short answer, 255 ms")
            << 255 << QByteArray("520170") << config << qint64(255400) << qint64(255400);
        // A log entry's request takes 500 us; its answer's 75 bytes come in by 8000 us. With 16
        // ms its first 62 fill a packet, which leaves with the 62nd, and the last 13 wait for the
        // timer after the 63rd, at 6800 us. With 2 ms no packet fills: 21 bytes leave 2 ms after
        // the first of them, at 2600 us, and so on, the last 12 at 8900 us.
        const QByteArray entry = "52496c" + QByteArray(72, '\x11').toHex();
        QTest::newRow("log entry, 16 ms")
            << 0 << QByteArray("52036c0000") << entry << qint64(6700) << qint64(22800);
        QTest::newRow("log entry, 2 ms")
            << 2 << QByteArray("52036c0000") << entry << qint64(2600) << qint64(8900);
    }

    // Paced, the converter hands the answer over in packets of 62 bytes at most: a full one at
    // once, one that is not full when the latency timer runs out after its first byte.
    void handsTheAnswersOverInPackets()
    {
        QFETCH(int, timer);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        QFETCH(qint64, headAt);
        QFETCH(qint64, wholeAt);
        EmulatedStandaloneBox box;
        box.appendLogEntry(QByteArray(EmulatedStandaloneBox::logEntrySize, '\x11'));
        const D2xxLibrary::Handle handle = openPacedBox(box, 5000);
        if (timer != 0)
            QCOMPARE(box.setLatencyTimer(handle, static_cast<std::uint8_t>(timer)) == 0,
                     timer >= 2);

        QVERIFY(writeHex(box, handle, request));
        const int size = answer.size() / 2;
        QByteArray received(size, '\0');
        std::uint32_t count = 0;
        QCOMPARE(box.read(handle, received.data(), 2, count), 0);
        QCOMPARE(count, 2u);
        QCOMPARE(emulatedMicroseconds(box), headAt);
        QCOMPARE(box.read(handle, received.data() + 2, static_cast<std::uint32_t>(size - 2), count),
                 0);
        QCOMPARE(int(count), size - 2);
        QCOMPARE(emulatedMicroseconds(box), wholeAt);
        QCOMPARE(received.toHex(), answer);
        QCOMPARE(box.lineBytes(), qint64(request.size() / 2 + size));
    }

    // The converter holds a packet that is not full for its whole timer: a read whose time-out
    // passes first gets nothing and costs its time-out; the next read gets the packet.
    void aReadTimesOutBeforeThePacketLeaves()
    {
        EmulatedStandaloneBox box;
        const D2xxLibrary::Handle handle = openPacedBox(box, 10);
        QVERIFY(writeHex(box, handle, "520170"));
        QByteArray answer(6, '\0');
        std::uint32_t count = 0;
        QCOMPARE(box.read(handle, answer.data(), 6, count), 0);
        QCOMPARE(count, 0u);
        QCOMPARE(emulatedMicroseconds(box), qint64(10300));
        QCOMPARE(box.read(handle, answer.data(), 6, count), 0);
        QCOMPARE(count, 6u);
        QCOMPARE(emulatedMicroseconds(box), qint64(16400));
        QCOMPARE(answer.toHex(), QByteArray("520470320005"));
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
