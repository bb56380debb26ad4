#include "drivers/stmboarddriver.h"
#include "emulation/emulatedcr95hfboard.h"
#include "tests/support/coutcapture.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

#include <memory>

using Call = EmulatedCr95hfBoard::Call;
using Fault = EmulatedCr95hfBoard::Fault;

class TestSTMBoardDriver : public QObject
{
    Q_OBJECT

private slots:
    void init() { mBoard = std::make_unique<EmulatedCr95hfBoard>(); }

    void cleanup() { mBoard.reset(); }

    void sendsTheCommandTexts()
    {
        STMBoardDriver driver(*mBoard);
        QCOMPARE(driver.name(), QByteArray("STMBoard"));
        QVERIFY(driver.open());
        QCOMPARE(mBoard->calls(Call::Select), 1);
        QVERIFY(driver.writeBlock(1, 0x00320005));
        QCOMPARE(mBoard->lastRequest(), QByteArray("0A21010000320005"));
        QCOMPARE(mBoard->tag().block(1), 0x00320005u);

        mBoard->tag().setBlock(13, 0xC0FFEE42);
        quint32 value = 0;
        CoutCapture console;
        QVERIFY(driver.readBlock(13, value));
        QCOMPARE(mBoard->lastRequest(), QByteArray("0A200d00"));
        QCOMPARE(value, 0xC0FFEE42u);
        QVERIFY(QByteArray::fromStdString(console.text()).startsWith("800800C0FFEE42"));
        QVERIFY(QByteArray::fromStdString(console.text()).endsWith("00\n"));
    }

    void reopensALostLink()
    {
        STMBoardDriver driver(*mBoard);
        QVERIFY(driver.open());
        QVERIFY(driver.ensureOpen());
        QCOMPARE(mBoard->calls(Call::Connect), 1);

        mBoard->setPlugged(false);
        mBoard->setPlugged(true);
        {
            CoutCapture console;
            QVERIFY(driver.ensureOpen());
            QCOMPARE(console.text(), std::string("------------device opened--------------\n"));
        }
        QCOMPARE(mBoard->calls(Call::Connect), 2);
        QCOMPARE(mBoard->calls(Call::Select), 2);

        mBoard->setPlugged(false);
        quint32 value = 0;
        QVERIFY(!driver.readBlock(0, value));
        QVERIFY(!driver.writeBlock(0, 0));
        QCOMPARE(mBoard->exchanges(), 0);
    }

    void spoiledAnswersFailTheAttempt()
    {
        STMBoardDriver driver(*mBoard);
        QVERIFY(driver.open());
        mBoard->tag().setBlock(2, 0x12345678);
        quint32 value = 0;
        for (const Fault fault :
             {Fault::FailedCall, Fault::TagError, Fault::ShortAnswer, Fault::NonHexAnswer}) {
            const int reads = mBoard->calls(Call::Read);
            mBoard->injectFault(1, fault, 2);
            value = 0;
            QVERIFY(driver.readBlock(2, value));
            QCOMPARE(value, 0x12345678u);
            QCOMPARE(mBoard->calls(Call::Read), reads + 3);

            mBoard->injectFault(1, fault, 3);
            QVERIFY(!driver.readBlock(2, value));
        }
        for (const Fault fault :
             {Fault::FailedCall, Fault::TagError, Fault::ShortAnswer, Fault::NonHexAnswer}) {
            mBoard->injectFault(1, fault, 3);
            QVERIFY(!driver.writeBlock(2, 0));
        }
        mBoard->injectFault(1, Fault::UnterminatedAnswer, 2);
        QVERIFY(driver.writeBlock(2, 0xCAFE0001));
        QVERIFY(driver.readBlock(2, value));
        QCOMPARE(value, 0xCAFE0001u);
        QCOMPARE(mBoard->calls(Call::Write), 13);
    }

    void noTagInTheField()
    {
        STMBoardDriver driver(*mBoard);
        QVERIFY(driver.open());
        mBoard->setTagInField(false);
        quint32 value = 0;
        QVERIFY(!driver.readBlock(0, value));
        QVERIFY(!driver.writeBlock(0, 0));
        QCOMPARE(mBoard->exchanges(), 6);
    }

private:
    std::unique_ptr<EmulatedCr95hfBoard> mBoard;
};

KELVO_TEST_MAIN(TestSTMBoardDriver)
#include "test_stmboarddriver.moc"
