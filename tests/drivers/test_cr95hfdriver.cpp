#include "drivers/cr95hfdriver.h"
#include "tests/support/coutcapture.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

#include <map>

namespace {

// A reader whose link and exchanges do what the test says, counting the calls.
class ScriptedDriver : public CR95HFDriver
{
public:
    QByteArray name() const override { return "Scripted"; }
    bool ensureOpen() override
    {
        ++ensureOpenCalls;
        return linkUsable;
    }
    bool connectDevice() override
    {
        ++connectCalls;
        return connects;
    }
    bool selectProtocol() override
    {
        ++selectCalls;
        return selects;
    }
    bool readSingleBlock(quint16 block, quint32& value) override
    {
        ++readCalls;
        if (failingReads > 0) {
            --failingReads;
            return false;
        }
        value = blocks[block];
        return true;
    }
    bool writeSingleBlock(quint16 block, quint32 value) override
    {
        ++writeCalls;
        if (failingWrites > 0) {
            --failingWrites;
            return false;
        }
        blocks[block] = value;
        return true;
    }

    bool linkUsable = true;
    bool connects = true;
    bool selects = true;
    int failingReads = 0;
    int failingWrites = 0;
    int ensureOpenCalls = 0;
    int connectCalls = 0;
    int selectCalls = 0;
    int readCalls = 0;
    int writeCalls = 0;
    std::map<quint16, quint32> blocks;
};

} // namespace

class TestCR95HFDriver : public QObject
{
    Q_OBJECT

private slots:
    void openConnectsThenSelects()
    {
        ScriptedDriver driver;
        driver.connects = false;
        {
            CoutCapture console;
            QVERIFY(!driver.open());
            QCOMPARE(driver.selectCalls, 0);
            driver.connects = true;
            driver.selects = false;
            QVERIFY(!driver.open());
            QCOMPARE(console.text(), std::string());
        }
        driver.selects = true;
        CoutCapture console;
        QVERIFY(driver.open());
        QCOMPARE(console.text(), std::string("------------device opened--------------\n"));
    }

    void blockOperationsTryThreeTimes()
    {
        ScriptedDriver driver;
        driver.blocks[4] = 0x11223344;
        quint32 value = 0;
        driver.failingReads = 2;
        QVERIFY(driver.readBlock(4, value));
        QCOMPARE(value, 0x11223344u);
        QCOMPARE(driver.readCalls, 3);
        QCOMPARE(driver.ensureOpenCalls, 1);

        driver.failingReads = 3;
        value = 7;
        QVERIFY(!driver.readBlock(4, value));
        QCOMPARE(value, 7u);
        QCOMPARE(driver.readCalls, 6);

        driver.failingWrites = 3;
        QVERIFY(!driver.writeBlock(4, 1));
        QCOMPARE(driver.writeCalls, 3);
        driver.failingWrites = 2;
        QVERIFY(driver.writeBlock(4, 1));
        QCOMPARE(driver.writeCalls, 6);
        QCOMPARE(driver.blocks[4], 1u);

        driver.linkUsable = false;
        QVERIFY(!driver.readBlock(4, value));
        QVERIFY(!driver.writeBlock(4, 2));
        QCOMPARE(driver.readCalls, 6);
        QCOMPARE(driver.writeCalls, 6);
    }

    void wordsAndBytesCountFromTheMostSignificantByte()
    {
        ScriptedDriver driver;
        driver.blocks[2] = 0x11223344;
        quint16 word = 0;
        quint8 byte = 0;
        const quint16 words[] = {0x1122, 0x2233, 0x3344};
        for (int index = 0; index < 3; ++index) {
            QVERIFY(driver.readWord(2, index, word));
            QCOMPARE(word, words[index]);
        }
        const quint8 bytes[] = {0x11, 0x22, 0x33, 0x44};
        for (int index = 0; index < 4; ++index) {
            QVERIFY(driver.readByte(2, index, byte));
            QCOMPARE(byte, bytes[index]);
        }
        const int readsSoFar = driver.readCalls;
        QVERIFY(!driver.readWord(2, 3, word));
        QVERIFY(!driver.readByte(2, 4, byte));
        QVERIFY(!driver.readByte(2, -1, byte));
        QVERIFY(!driver.writeWord(2, 3, 0));
        QVERIFY(!driver.writeByte(2, 4, 0));
        QCOMPARE(driver.readCalls, readsSoFar);
        QCOMPARE(driver.writeCalls, 0);
    }

    void partialWritesKeepTheOtherBytes()
    {
        ScriptedDriver driver;
        driver.blocks[3] = 0x11223344;
        QVERIFY(driver.writeByte(3, 1, 0xAA));
        QCOMPARE(driver.blocks[3], 0x11AA3344u);
        QVERIFY(driver.writeWord(3, 2, 0xBEEF));
        QCOMPARE(driver.blocks[3], 0x11AABEEFu);
        QVERIFY(driver.writeByte(3, 3, 0x01));
        QCOMPARE(driver.blocks[3], 0x11AABE01u);
        QCOMPARE(driver.ensureOpenCalls, 6);

        driver.failingReads = 3;
        QVERIFY(!driver.writeWord(3, 0, 0));
        QCOMPARE(driver.writeCalls, 3);
        QCOMPARE(driver.blocks[3], 0x11AABE01u);
    }
};

KELVO_TEST_MAIN(TestCR95HFDriver)
#include "test_cr95hfdriver.moc"
