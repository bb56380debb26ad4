#include "drivers/kelvodevice.h"
#include "emulation/emulatedcr95hfboard.h"
#include "emulation/emulatedstandalonebox.h"
#include "tests/support/coutcapture.h"
#include "tests/support/kelvotestmain.h"
#include "tests/support/outcomename.h"

#include <QtTest>

#include <functional>
#include <memory>

using BoardFault = EmulatedCr95hfBoard::Fault;
using BoxFault = EmulatedStandaloneBox::Fault;
// Spoils the readers once the device is connected; tells whether the box is to be the reader.
struct Setup
{
    bool useBox = false;
    std::function<void(EmulatedCr95hfBoard&, EmulatedStandaloneBox&)> spoil;
};
using Operation = std::function<bool(KelvoDevice&)>;

Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Operation)

namespace {

Setup board(std::function<void(EmulatedCr95hfBoard&)> spoil)
{
    return {false, [spoil](EmulatedCr95hfBoard& board, EmulatedStandaloneBox&) { spoil(board); }};
}

Setup box(std::function<void(EmulatedStandaloneBox&)> spoil)
{
    return {true, [spoil](EmulatedCr95hfBoard&, EmulatedStandaloneBox& box) { spoil(box); }};
}

Setup boardFault(BoardFault fault)
{
    return board([fault](EmulatedCr95hfBoard& board) { board.injectFault(1, fault, 3); });
}

Setup boxFault(BoxFault fault)
{
    return box([fault](EmulatedStandaloneBox& box) { box.injectFault(1, fault, 3); });
}

bool readRecord(KelvoDevice& device)
{
    return device.readRecord();
}

bool readLogCount(KelvoDevice& device)
{
    return device.readBoxLogCount() > 0;
}

} // namespace

// Why an operation failed reaches the flows: each fault a reader can show is named by the
// device's outcome, not left to a boolean or a sentinel value.
class TestOutcomes : public QObject
{
    Q_OBJECT

private slots:
    void namesWhyAnOperationFailed_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<Outcome>("outcome");

        QTest::newRow("board, sound")
            << boardFault(BoardFault::UnterminatedAnswer) << Operation(readRecord) << Outcome::Done;
        QTest::newRow("board, call fails")
            << boardFault(BoardFault::FailedCall) << Operation(readRecord) << Outcome::ReaderLost;
        QTest::newRow("board, unplugged")
            << board([](EmulatedCr95hfBoard& board) { board.setPlugged(false); })
            << Operation(readRecord) << Outcome::ReaderLost;
        QTest::newRow("board, no tag")
            << board([](EmulatedCr95hfBoard& board) { board.setTagInField(false); })
            << Operation(readRecord) << Outcome::NoTag;
        QTest::newRow("board, tag error")
            << boardFault(BoardFault::TagError) << Operation(readRecord) << Outcome::DeviceError;
        QTest::newRow("board, short")
            << boardFault(BoardFault::ShortAnswer) << Operation(readRecord) << Outcome::BadAnswer;
        QTest::newRow("board, garbled")
            << boardFault(BoardFault::NonHexAnswer) << Operation(readRecord) << Outcome::BadAnswer;
        QTest::newRow("board, box command") << board([](EmulatedCr95hfBoard&) {})
                                            << Operation(readLogCount) << Outcome::WrongReader;
        QTest::newRow("board, memory held by the Kelvo")
            << board([](EmulatedCr95hfBoard& board) { board.tag().holdMemory(1000); })
            << Operation([](KelvoDevice& device) { return device.setRfAccess(true); })
            << Outcome::MemoryLocked;

        QTest::newRow("box, silent")
            << boxFault(BoxFault::NoAnswer) << Operation(readRecord) << Outcome::ReaderLost;
        QTest::newRow("box, unplugged")
            << box([](EmulatedStandaloneBox& box) { box.setPlugged(false); })
            << Operation(readRecord) << Outcome::ReaderLost;
        QTest::newRow("box, no tag")
            << box([](EmulatedStandaloneBox& box) { box.setTagInField(false); })
            << Operation(readRecord) << Outcome::NoTag;
        QTest::newRow("box, tag error")
            << boxFault(BoxFault::TagError) << Operation(readRecord) << Outcome::DeviceError;
        QTest::newRow("box, short")
            << boxFault(BoxFault::ShortAnswer) << Operation(readRecord) << Outcome::BadAnswer;
        QTest::newRow("box, garbled")
            << boxFault(BoxFault::Garbage) << Operation(readRecord) << Outcome::BadAnswer;
        QTest::newRow("box, command refused")
            << boxFault(BoxFault::FfEcho) << Operation(readLogCount) << Outcome::DeviceError;
        QTest::newRow("box, command garbled")
            << boxFault(BoxFault::Garbage) << Operation(readLogCount) << Outcome::BadAnswer;
        QTest::newRow("box, command unanswered")
            << boxFault(BoxFault::NoAnswer) << Operation(readLogCount) << Outcome::ReaderLost;
        QTest::newRow("box, empty log") << box([](EmulatedStandaloneBox& box) { box.clearLog(); })
                                        << Operation(readLogCount) << Outcome::Done;
    }

    void namesWhyAnOperationFailed()
    {
        QFETCH(Setup, setup);
        QFETCH(Operation, operation);
        QFETCH(Outcome, outcome);
        EmulatedCr95hfBoard emulatedBoard;
        EmulatedStandaloneBox emulatedBox;
        emulatedBoard.tag().fillWithPlausibleValues();
        emulatedBox.tag().fillWithPlausibleValues();
        CoutCapture console;
        {
            KelvoDevice device(emulatedBoard, emulatedBox, [](unsigned long) {});
            // The board is found first when it is plugged in.
            emulatedBoard.setPlugged(!setup.useBox);
            QVERIFY(device.connectReader());
            QCOMPARE(device.isStandaloneBox(), setup.useBox);
            setup.spoil(emulatedBoard, emulatedBox);
            const bool done = operation(device);
            QCOMPARE(outcomeName(device.lastOutcome()), outcomeName(outcome));
            // What an operation reports as done never comes with a failure.
            QVERIFY(!done || outcome == Outcome::Done);
        }
    }

    void noReaderIsNamedAsSuch()
    {
        EmulatedCr95hfBoard emulatedBoard;
        EmulatedStandaloneBox emulatedBox;
        emulatedBoard.setPlugged(false);
        emulatedBox.setPlugged(false);
        {
            KelvoDevice device(emulatedBoard, emulatedBox);
            QVERIFY(!device.ensureReader());
            QCOMPARE(outcomeName(device.lastOutcome()), outcomeName(Outcome::NoReader));
            QCOMPARE(device.readBoxLogCount(), 0);
            QCOMPARE(outcomeName(device.lastOutcome()), outcomeName(Outcome::NoReader));
        }
    }
};

KELVO_TEST_MAIN(TestOutcomes)
#include "test_outcomes.moc"
