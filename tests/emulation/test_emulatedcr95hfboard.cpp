#include "emulation/emulatedcr95hfboard.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

#include <array>

namespace {

using Buffer = std::array<char, Cr95hfLibrary::bufferSize>;

struct Exchange
{
    int result = 0;
    QByteArray answer;
};

Exchange exchange(EmulatedCr95hfBoard& board, const char* command)
{
    Buffer request{};
    qstrncpy(request.data(), command, request.size());
    Buffer answer{};
    const int result = board.sendReceive(request.data(), answer.data());
    return {result,
            QByteArray(answer.data(), static_cast<int>(qstrnlen(answer.data(), answer.size())))};
}

void connectAndSelect(EmulatedCr95hfBoard& board)
{
    Buffer request{};
    qstrncpy(request.data(), "010D", request.size());
    Buffer answer{};
    QCOMPARE(board.usbConnect(), 0);
    QCOMPARE(board.select(request.data(), answer.data()), 0);
}

} // namespace

// The emulation stands in for the board in every reader test, so its answers and its
// microcontroller must behave as the tests assume.
class TestEmulatedCr95hfBoard : public QObject
{
    Q_OBJECT

private slots:
    void answersAsTheReaderDoes()
    {
        EmulatedCr95hfBoard board;
        QCOMPARE(exchange(board, "0A200100").result, Cr95hfLibrary::failure);
        connectAndSelect(board);
        board.tag().setBlock(1, 0x00320005);

        const Exchange read = exchange(board, "0A200100");
        QCOMPARE(read.result, 0);
        QCOMPARE(read.answer.left(14), QByteArray("80080000320005"));
        QCOMPARE(read.answer.size(), 20);
        QCOMPARE(read.answer.right(2), QByteArray("00"));

        const Exchange write = exchange(board, "0A210100aabbccdd");
        QCOMPARE(write.answer.left(6), QByteArray("800400"));
        QCOMPARE(board.tag().block(1), 0xAABBCCDDu);
        QCOMPARE(board.lastRequest(), QByteArray("0A210100aabbccdd"));

        QCOMPARE(exchange(board, "0A201000").answer.left(8), QByteArray("80050110"));
        QCOMPARE(exchange(board, "0A2001").result, Cr95hfLibrary::failure);
        board.setTagInField(false);
        QCOMPARE(exchange(board, "0A200100").answer, QByteArray("8700"));

        QCOMPARE(board.calls(EmulatedCr95hfBoard::Call::Read), 4);
        QCOMPARE(board.calls(EmulatedCr95hfBoard::Call::Write), 1);
        QCOMPARE(board.exchanges(), 6);
    }

    void faultsCountFromNowAndUnplugEndsTheConnection()
    {
        EmulatedCr95hfBoard board;
        connectAndSelect(board);
        exchange(board, "0A200000");
        board.injectFault(2, EmulatedCr95hfBoard::Fault::ShortAnswer, 2);
        QCOMPARE(exchange(board, "0A200000").answer.size(), 20);
        QCOMPARE(exchange(board, "0A200000").answer, QByteArray("8008"));
        QCOMPARE(exchange(board, "0A210000000000ff").answer, QByteArray("8004"));
        QCOMPARE(board.tag().block(0), 0xFFu);

        board.unplugAfterCalls(1);
        QCOMPARE(board.usbHandleCheck(), 0);
        QVERIFY(board.usbHandleCheck() != 0);
        QVERIFY(board.usbConnect() != 0);
        board.setPlugged(true);
        QVERIFY(board.usbHandleCheck() != 0);
        connectAndSelect(board);
        QCOMPARE(board.usbHandleCheck(), 0);
    }

    void microcontrollerHoldsUntilReleased()
    {
        EmulatedKelvoTag tag;
        tag.holdMemory(2);
        QCOMPARE(tag.readByReader(0), 0x00000100u);
        QCOMPARE(tag.readByReader(0), 0x00000100u);
        QCOMPARE(tag.readByReader(0), 0u);

        tag.holdMemory(100);
        tag.writeByReader(0, 0x01000100);
        QVERIFY(tag.isMemoryHeld());
        tag.writeByReader(0, 0x01000000);
        QVERIFY(!tag.isMemoryHeld());
    }
};

KELVO_TEST_MAIN(TestEmulatedCr95hfBoard)
#include "test_emulatedcr95hfboard.moc"
