#include "app/buildvariant.h"
#include "drivers/kelvodevice.h"
#include "emulation/emulatedcr95hfboard.h"
#include "tests/support/kelvotestmain.h"
#include "tests/support/tagchecks.h"

#include <QtTest>

#include <memory>

using Fault = EmulatedCr95hfBoard::Fault;

namespace {

enum class Write
{
    Full,
    Keep
};

constexpr quint32 originalBlockOne = 0x7F320005;

// A connected device whose record differs from the Kelvo in every field a write sends.
struct Bench
{
    Bench()
    {
        board.tag().fillWithPlausibleValues();
        board.tag().setBlock(1, originalBlockOne);
        device.connectReader();
        device.setFactoryWrites(isFactoryBuild());
        KelvoRecord& record = device.record();
        record.mActivationDepth = 100;
        record.mFilter = 7;
        record.mKelvoSerialNumber = {{'1', '2', '3', '4', '5', '6', '7', '8'}};
        record.mSerialNumber = {{'Z', 'Z', '9', '8', '7', '6', '5', '4', '3', '2'}};
        record.mBatteryThreshold = 2000;
        record.setSources({TagField::KelvoSerialStart, TagField::KelvoSerialEnd,
                           TagField::SerialNumber, TagField::BatteryThreshold},
                          FieldSource::Entered);
    }

    bool write(Write kind)
    {
        return kind == Write::Full ? device.writeRecordFull() : device.writeRecordKeep();
    }

    EmulatedCr95hfBoard board;
    KelvoDevice device{board, defaultD2xxLibrary()};
};

bool holdsEveryWrittenValue(const EmulatedKelvoTag& tag, Write kind)
{
    const quint32 blockOne = kind == Write::Full ? 0x00640007 : 0x7F640007;
    const bool common = tag.block(1) == blockOne && tag.block(14) == packCharacters("1234") &&
                        tag.block(15) == packCharacters("5678") && checksumAMatches(tag);
    if (!isFactoryBuild())
        return common;
    return common && tag.block(5) == packCharacters("ZZ98") &&
           tag.block(6) == packCharacters("7654") && wordAt(tag.block(7), 0) == 0x3332 &&
           byteAt(tag.block(13), 3) == 184 && checksumBMatches(tag);
}

} // namespace

Q_DECLARE_METATYPE(Write)
Q_DECLARE_METATYPE(Fault)

// A reader exchange may fail at any point of a write; the tag must never be left with values
// that its checksums do not cover, and a write must not be reported as done when it is not.
class TestKelvoDeviceWriteFaults : public QObject
{
    Q_OBJECT

private slots:
    void checksumsStayConsistent_data()
    {
        QTest::addColumn<Write>("kind");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<int>("exchange");
        for (const Write kind : {Write::Full, Write::Keep}) {
            Bench clean;
            const int before = clean.board.exchanges();
            QVERIFY(clean.write(kind));
            QVERIFY(holdsEveryWrittenValue(clean.board.tag(), kind));
            const int exchanges = clean.board.exchanges() - before;
            // Lost on the way to the tag, or carried out by the tag with the answer lost.
            for (const Fault fault : {Fault::FailedCall, Fault::ShortAnswer}) {
                for (int exchange = 1; exchange <= exchanges; ++exchange) {
                    QTest::addRow("%s, %s, exchange %d", kind == Write::Full ? "full" : "keep",
                                  fault == Fault::FailedCall ? "failed call" : "lost answer",
                                  exchange)
                        << kind << fault << exchange;
                }
            }
        }
    }

    void checksumsStayConsistent()
    {
        QFETCH(Write, kind);
        QFETCH(Fault, fault);
        QFETCH(int, exchange);
        Bench bench;
        const EmulatedKelvoTag& tag = bench.board.tag();
        const quint8 originalThreshold = byteAt(tag.block(13), 3);
        // Three failures in a row use up every attempt of the exchange's block operation.
        bench.board.injectFault(exchange, fault, 3);
        const bool written = bench.write(kind);

        if (written)
            QVERIFY(holdsEveryWrittenValue(tag, kind));
        QVERIFY(tag.block(1) == originalBlockOne || checksumAMatches(tag));
        QVERIFY(byteAt(tag.block(13), 3) == originalThreshold || checksumBMatches(tag));
    }
};

KELVO_TEST_MAIN(TestKelvoDeviceWriteFaults)
#include "test_kelvodevicewritefaults.moc"
