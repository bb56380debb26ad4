#include "drivers/kelvodevice.h"
#include "emulation/emulatedcr95hfboard.h"
#include "emulation/emulatedstandalonebox.h"
#include "tests/support/coutcapture.h"
#include "tests/support/kelvotestmain.h"
#include "tests/support/tagchecks.h"

#include <QtTest>

#include <memory>

using Request = EmulatedStandaloneBox::Request;

// The Standalone Box as the second reader: found when no board answers, and moving the record's
// blocks exactly as the board does.
class TestKelvoDeviceBox : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        mBoard = std::make_unique<EmulatedCr95hfBoard>();
        mBox = std::make_unique<EmulatedStandaloneBox>();
        mBoard->tag().fillWithPlausibleValues();
        mBox->tag().fillWithPlausibleValues();
        mDevice = std::make_unique<KelvoDevice>(*mBoard, *mBox, [](unsigned long) {});
    }

    void cleanup()
    {
        mDevice.reset();
        mBox.reset();
        mBoard.reset();
    }

    void findsTheBoxWhenNoBoardAnswers()
    {
        CoutCapture console;
        QVERIFY(mDevice->connectReader());
        QVERIFY(!mDevice->isStandaloneBox());
        QVERIFY(mBox->calls().empty());

        mBoard->setPlugged(false);
        QVERIFY(mDevice->connectReader());
        QVERIFY(mDevice->isStandaloneBox());
        QVERIFY(mDevice->isConnected());
        QVERIFY(mDevice->tagPresent());

        // A new attempt replaces the box driver; the box is released first, so it opens again.
        QVERIFY(mDevice->connectReader());
        QVERIFY(mDevice->isStandaloneBox());

        mBox->setPlugged(false);
        QVERIFY(!mDevice->isConnected());
        QVERIFY(!mDevice->isConnected());
        QVERIFY(!mDevice->isStandaloneBox());
        QVERIFY(!mBox->isOpen());
        mBox->setPlugged(true);
        QVERIFY(mDevice->isConnected());
        QVERIFY(mDevice->isStandaloneBox());

        mDevice.reset();
        QVERIFY(!mBox->isOpen());
    }

    // A box that stays silent behind its converter is asked once in a search, whether it is met
    // first by the search or by the link check of a box that was connected; the search is
    // announced while it waits.
    void aSilentBoxCostsOneTimeOutASearch()
    {
        CoutCapture console;
        mBoard->setPlugged(false);
        QStringList searching;
        mDevice->setSearchObserver(
            [&searching](bool started) { searching << (started ? "busy" : "idle"); });
        mBox->setSilent(true);
        QVERIFY(!mDevice->ensureReader());
        QCOMPARE(mBox->emulatedMilliseconds(), qint64(5000));
        QCOMPARE(searching, (QStringList{"busy", "idle"}));

        mBox->setSilent(false);
        QVERIFY(mDevice->ensureReader());
        mBox->setSilent(true);
        const qint64 before = mBox->emulatedMilliseconds();
        QVERIFY(mDevice->readBoxLogCount() == -1);
        QVERIFY(!mDevice->ensureReader());
        QCOMPARE(mBox->emulatedMilliseconds() - before, qint64(10000));
    }

    // The same read and write through either reader give the same record and the same blocks.
    void movesTheRecordAsTheBoardDoes()
    {
        CoutCapture console;
        QVERIFY(mDevice->connectReader());
        QVERIFY(mDevice->setRfAccess(true));
        QVERIFY(mDevice->readRecord());
        const KelvoRecord throughBoard = mDevice->record();
        mDevice->record().mActivationDepth = 120;
        mDevice->record().mFilter = 7;
        QVERIFY(mDevice->writeRecordFull());
        QVERIFY(mDevice->setRfAccess(false));

        mBoard->setPlugged(false);
        QVERIFY(mDevice->connectReader());
        QVERIFY(mDevice->isStandaloneBox());
        mDevice->record() = KelvoRecord();
        QVERIFY(mDevice->setRfAccess(true));
        QVERIFY(mDevice->readRecord());
        QCOMPARE(mDevice->record().mSerialNumber, throughBoard.mSerialNumber);
        QCOMPARE(mDevice->record().mKelvoSerialNumber, throughBoard.mKelvoSerialNumber);
        QCOMPARE(mDevice->record().mBatteryLevel, throughBoard.mBatteryLevel);
        QCOMPARE(mDevice->record().mActivationDepth, throughBoard.mActivationDepth);
        mDevice->record().mActivationDepth = 120;
        mDevice->record().mFilter = 7;
        QVERIFY(mDevice->writeRecordFull());
        QVERIFY(mDevice->setRfAccess(false));

        for (quint16 block = 0; block < EmulatedKelvoTag::blockCount; ++block)
            QCOMPARE(mBox->tag().block(block), mBoard->tag().block(block));
        QVERIFY(checksumAMatches(mBox->tag()));
        QCOMPARE(mBox->requests(Request::ProtocolSelect), 1);
    }

    // A record read through a box answering at the line's speed.
    void readsTheRecordAtLineSpeed()
    {
        mBoard->setPlugged(false);
        mBox->paceAt(115200);
        CoutCapture console;
        QVERIFY(mDevice->connectReader());
        QBENCHMARK
        {
            QVERIFY(mDevice->readRecord());
        }
    }

    void noReaderAtAll()
    {
        mBoard->setPlugged(false);
        mBox->setPlugged(false);
        CoutCapture console;
        QVERIFY(!mDevice->connectReader());
        QVERIFY(!mDevice->isStandaloneBox());
        QVERIFY(!mDevice->tagPresent());
        QCOMPARE(console.text(), std::string());
    }

private:
    std::unique_ptr<EmulatedCr95hfBoard> mBoard;
    std::unique_ptr<EmulatedStandaloneBox> mBox;
    std::unique_ptr<KelvoDevice> mDevice;
};

KELVO_TEST_MAIN(TestKelvoDeviceBox)
#include "test_kelvodevicebox.moc"
