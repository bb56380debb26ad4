#include "app/buildvariant.h"
#include "drivers/kelvodevice.h"
#include "emulation/emulatedcr95hfboard.h"
#include "tests/support/coutcapture.h"
#include "tests/support/kelvotestmain.h"
#include "tests/support/tagchecks.h"

#include <QtTest>

#include <memory>
#include <vector>

using Call = EmulatedCr95hfBoard::Call;
using Fault = EmulatedCr95hfBoard::Fault;

class TestKelvoDevice : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        mBoard = std::make_unique<EmulatedCr95hfBoard>();
        mPauses.clear();
        mDevice = std::make_unique<KelvoDevice>(
            *mBoard, defaultD2xxLibrary(),
            [this](unsigned long milliseconds) { mPauses.push_back(milliseconds); });
        mDevice->setFactoryWrites(isFactoryBuild());
    }

    void cleanup()
    {
        mDevice.reset();
        mBoard.reset();
    }

    void startsWithTheDefaults()
    {
        const KelvoRecord& record = mDevice->record();
        QCOMPARE(record.mActivationDepth, quint8(50));
        QCOMPARE(record.mPresetDepths, (std::array<quint8, 3>{{50, 75, 100}}));
        QCOMPARE(record.mBatteryThreshold, quint16(3300));
        QCOMPARE(record.mFilter, quint16(5));
        QCOMPARE(QByteArray(record.mSerialNumber.data(), 10), QByteArray("0000000000"));
        QCOMPARE(QByteArray(record.mKelvoSerialNumber.data(), 8), QByteArray("00000000"));
        QCOMPARE(record.mLogPath, QStringLiteral("log.txt"));
        QCOMPARE(mDevice->boxSettings().mBoxActivationDepth, quint8(50));
        QCOMPARE(mDevice->boxSettings().mBoxFilter, quint16(5));
    }

    void findsAndKeepsTheBoard()
    {
        mBoard->setPlugged(false);
        QVERIFY(!mDevice->connectReader());
        QVERIFY(!mDevice->isStandaloneBox());
        QVERIFY(!mDevice->tagPresent());
        QVERIFY(!mDevice->setRfAccess(true));
        QVERIFY(!mDevice->readRecord());
        QVERIFY(!mDevice->writeRecordFull());
        QVERIFY(!mDevice->updateChecksumA());
        QCOMPARE(mBoard->exchanges(), 0);
        {
            CoutCapture console;
            QVERIFY(!mDevice->isConnected());
            QCOMPARE(console.text(), std::string("mRfidBoardConnected :\n"));
        }

        mBoard->setPlugged(true);
        QVERIFY(mDevice->isConnected());
        QVERIFY(!mDevice->isStandaloneBox());
        QVERIFY(mDevice->tagPresent());
        const int connects = mBoard->calls(Call::Connect);
        QVERIFY(mDevice->isConnected());
        QCOMPARE(mBoard->calls(Call::Connect), connects);

        mBoard->setTagInField(false);
        QVERIFY(!mDevice->tagPresent());
        mBoard->setTagInField(true);

        mBoard->setPlugged(false);
        QVERIFY(!mDevice->isConnected());
        QVERIFY(!mDevice->tagPresent());
        mBoard->setPlugged(true);
        QVERIFY(mDevice->isConnected());
        QVERIFY(mDevice->tagPresent());

        mBoard->unplugAfterCalls(5);
        QVERIFY(!mDevice->readRecord());
        QVERIFY(!mDevice->isConnected());
    }

    void claimsTheMemoryFromTheMicrocontroller()
    {
        QVERIFY(mDevice->connectReader());
        EmulatedKelvoTag& tag = mBoard->tag();
        tag.setBlock(0, 0x19000007);
        QVERIFY(mDevice->setRfAccess(true));
        QCOMPARE(tag.block(0), 0x19010007u);
        QVERIFY(mDevice->setRfAccess(false));
        QCOMPARE(tag.block(0), 0x19000007u);
        QVERIFY(mPauses.empty());

        // Held with no request of ours standing: nothing is written.
        tag.holdMemory(1000);
        const int reads = mBoard->calls(Call::Read);
        const int writes = mBoard->calls(Call::Write);
        QVERIFY(!mDevice->setRfAccess(true));
        QCOMPARE(mBoard->calls(Call::Read) - reads, 10 * 2);
        QCOMPARE(mBoard->calls(Call::Write), writes);
        QCOMPARE(mPauses, std::vector<unsigned long>(9, 10));

        // Held while our request stands: both flags are cleared, and the next attempt succeeds.
        tag.setBlock(0, 0x19010007);
        tag.holdMemory(1000);
        mPauses.clear();
        QVERIFY(mDevice->setRfAccess(true));
        QCOMPARE(tag.block(0), 0x19010007u);
        QCOMPARE(mPauses.size(), std::size_t(1));

        // The microcontroller lets go by itself.
        tag.setBlock(0, 0x19000007);
        tag.holdMemory(5);
        mPauses.clear();
        QVERIFY(mDevice->setRfAccess(false));
        QCOMPARE(tag.block(0), 0x19000007u);
        QVERIFY(!mPauses.empty());
    }

    void readsTheRecord()
    {
        QVERIFY(mDevice->connectReader());
        EmulatedKelvoTag& tag = mBoard->tag();
        tag.fillWithPlausibleValues();
        tag.setBlock(0, tag.block(0) | 0x05);
        QVERIFY(mDevice->readRecord());
        const KelvoRecord& record = mDevice->record();
        QCOMPARE(record.mFirmwareVersion, 2.5f);
        QCOMPARE(record.mErrorFlags, quint8(5));
        QCOMPARE(record.mActivationDepth, quint8(50));
        QCOMPARE(record.mFilter, quint16(5));
        QCOMPARE(QByteArray(record.mSerialNumber.data(), 10), QByteArray("KV23000417"));
        QCOMPARE(QByteArray(record.mKelvoSerialNumber.data(), 8), QByteArray("00000417"));
        QCOMPARE(record.mBatteryLevel, quint16(3665));
        QCOMPARE(record.mSupercapLevel, quint16(3543));
        QCOMPARE(record.mBatteryThreshold, quint16(3298));
        QCOMPARE(record.mActivationMeasuredDepth, 50.0);
        QCOMPARE(record.mMaxMeasuredDepth, 62.5);

        tag.setBlock(11, 30u << 16);
        tag.setBlock(15, packCharacters("WXYZ"));
        // Block 15 is the tenth exchange of a read.
        mBoard->injectFault(10, Fault::TagError, 3);
        QVERIFY(mDevice->readRecord());
        QCOMPARE(record.mActivationMeasuredDepth, 0.0);
        QCOMPARE(record.knownKelvoSerialCharacters(), 4);

        // A failed read keeps what it read before the failure, and knows nothing of the fields it
        // did not reach; block 8 is the sixth exchange.
        tag.setBlock(1, 0x00640007);
        mBoard->injectFault(6, Fault::FailedCall, 3);
        QVERIFY(!mDevice->readRecord());
        QCOMPARE(record.mActivationDepth, quint8(100));
        QCOMPARE(record.source(TagField::SerialNumber), FieldSource::Read);
        QVERIFY(!record.isKnown(TagField::BatteryLevel));
        QVERIFY(!record.isKnown(TagField::KelvoSerialStart));
    }

    void writesTheRecord()
    {
        QVERIFY(mDevice->connectReader());
        EmulatedKelvoTag& tag = mBoard->tag();
        tag.fillWithPlausibleValues();
        tag.setBlock(1, 0x7F320005);
        const EmulatedKelvoTag before = tag;
        KelvoRecord& record = mDevice->record();
        record.mActivationDepth = 100;
        record.mFilter = 7;
        record.mKelvoSerialNumber = {{'1', '2', '3', '4', '5', '6', '7', '8'}};
        record.mSerialNumber = {{'Z', 'Z', '9', '8', '7', '6', '5', '4', '3', '2'}};
        record.mBatteryThreshold = 2000;
        record.setSources({TagField::KelvoSerialStart, TagField::KelvoSerialEnd,
                           TagField::SerialNumber, TagField::BatteryThreshold},
                          FieldSource::Entered);

        QVERIFY(mDevice->writeRecordKeep());
        QCOMPARE(tag.block(1), 0x7F640007u);
        QCOMPARE(tag.block(14), packCharacters("1234"));
        QCOMPARE(tag.block(15), packCharacters("5678"));
        QVERIFY(checksumAMatches(tag));
        if (isFactoryBuild()) {
            QCOMPARE(tag.block(5), packCharacters("ZZ98"));
            QCOMPARE(tag.block(6), packCharacters("7654"));
            QCOMPARE(wordAt(tag.block(7), 0), quint16(0x3332));
            QCOMPARE(byteAt(tag.block(13), 3), quint8(184));
            QVERIFY(checksumBMatches(tag));
        } else {
            QCOMPARE(tag.block(5), before.block(5));
            QCOMPARE(tag.block(6), before.block(6));
            QCOMPARE(wordAt(tag.block(7), 0), wordAt(before.block(7), 0));
            QCOMPARE(tag.block(13), before.block(13));
        }

        QVERIFY(mDevice->writeRecordFull());
        QCOMPARE(tag.block(1), 0x00640007u);
        QVERIFY(checksumAMatches(tag));
    }

    void checksums()
    {
        QVERIFY(mDevice->connectReader());
        EmulatedKelvoTag& tag = mBoard->tag();
        tag.setBlock(1, 0x00100102);
        tag.setBlock(5, 0x01020304);
        tag.setBlock(6, 0x05060708);
        tag.setBlock(7, 0x090AFFFF);
        QVERIFY(mDevice->updateChecksumA());
        QCOMPARE(tag.block(7), 0x090A0000u + 16 + 258 + 10 + 26 + 19);

        tag.setBlock(12, 0x00001234);
        tag.setBlock(13, 0x00420000 | 140);
        QVERIFY(mDevice->updateChecksumB());
        QCOMPARE(tag.block(13), 0x0042028Cu);
    }

private:
    std::unique_ptr<EmulatedCr95hfBoard> mBoard;
    std::unique_ptr<KelvoDevice> mDevice;
    std::vector<unsigned long> mPauses;
};

KELVO_TEST_MAIN(TestKelvoDevice)
#include "test_kelvodevice.moc"
