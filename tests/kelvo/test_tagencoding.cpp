#include "emulation/emulatedkelvotag.h"
#include "kelvo/tagencoding.h"
#include "kelvo/tagmemorymap.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

class TestTagEncoding : public QObject
{
    Q_OBJECT

private slots:
    void voltageCodes()
    {
        QCOMPARE(millivoltsFromVoltageCode(0), quint16(2441));
        QCOMPARE(millivoltsFromVoltageCode(140), quint16(3298));
        QCOMPARE(millivoltsFromVoltageCode(255), quint16(4002));
        QCOMPARE(voltageCodeFromMillivolts(3300), quint8(140));
        QCOMPARE(voltageCodeFromMillivolts(3298), quint8(140));
        QCOMPARE(voltageCodeFromMillivolts(2441), quint8(0));
        QCOMPARE(voltageCodeFromMillivolts(4002), quint8(255));
        // Below the scale the code is negative and only its low 8 bits are kept.
        QCOMPARE(voltageCodeFromMillivolts(2000), quint8(184));
        for (int code = 0; code < 256; ++code) {
            const auto millivolts = millivoltsFromVoltageCode(static_cast<quint8>(code));
            QCOMPARE(voltageCodeFromMillivolts(millivolts), quint8(code));
        }
    }

    void roundingIsHalfAwayFromZero()
    {
        QCOMPARE(roundHalfAwayFromZero(2.5), 3L);
        QCOMPARE(roundHalfAwayFromZero(2.49), 2L);
        QCOMPARE(roundHalfAwayFromZero(-2.5), -3L);
        QCOMPARE(roundHalfAwayFromZero(-2.49), -2L);
        QCOMPARE(roundHalfAwayFromZero(0.0), 0L);
    }

    void depthsAndFirmware()
    {
        QCOMPARE(metresFromRawDepth(0), 0.0);
        QCOMPARE(metresFromRawDepth(59), 0.0);
        QCOMPARE(metresFromRawDepth(60), 0.0);
        QCOMPARE(metresFromRawDepth(60 + 36), 10.0);
        QCOMPARE(metresFromRawDepth(65535), (65535 - 60) / 3.6);
        QCOMPARE(firmwareVersionFromCode(25), 2.5f);
        QCOMPARE(firmwareVersionFromCode(255), 25.5f);
    }

    void characterGroups()
    {
        QCOMPARE(packCharacters("ABCD"), 0x41424344u);
        QCOMPARE(packCharacters("\xC9\x80z0"), 0xC9807A30u);
        char characters[4] = {};
        unpackCharacters(0xC9807A30u, characters);
        QCOMPARE(QByteArray(characters, 4), QByteArray("\xC9\x80z0"));
    }

    void checksums()
    {
        // The filter counts as one 16-bit number: 0x0102 adds 258, not 1 + 2.
        QCOMPARE(checksumA(0, 0x0102, 0, 0, 0), quint16(258));
        QCOMPARE(checksumA(16, 0x0102, 0x01020304, 0x05060708, 0x090A), quint16(329));
        QCOMPARE(checksumA(255, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFF),
                 quint16((255 + 0xFFFF + 10 * 255) & 0xFFFF));
        QCOMPARE(checksumB(0x1234, 0x0042, 140), quint8(0x02));
        QCOMPARE(checksumB(0xFFFF, 0xFFFF, 0xFF), quint8(0xFD));
    }

    // The emulated tag encodes its Kelvos on its own: the map must read them as they are and
    // encode what it read so that it reads the same again.
    void theMapAgreesWithTheEmulatedTag_data()
    {
        QTest::addColumn<bool>("another");
        QTest::addColumn<QByteArray>("serial");
        QTest::addColumn<int>("depth");
        QTest::addColumn<double>("maxMetres");
        QTest::newRow("plausible") << false << QByteArray("KV2300041700000417") << 50 << 62.5;
        QTest::newRow("another") << true << QByteArray("KV2300092800000928") << 100 << 40.0;
    }

    void theMapAgreesWithTheEmulatedTag()
    {
        QFETCH(bool, another);
        QFETCH(QByteArray, serial);
        EmulatedKelvoTag tag;
        another ? tag.fillAsAnotherKelvo() : tag.fillWithPlausibleValues();
        TagImage image{};
        for (quint16 block = 0; block < kTagBlockCount; ++block)
            image[block] = tag.block(block);
        const auto decode = [](const TagImage& from) {
            KelvoRecord record;
            for (const TagBlock& block : kTagMemoryMap)
                decodeTagBlock(block, from[block.number], record, DepthRule::Tag);
            return record;
        };
        const KelvoRecord record = decode(image);
        QCOMPARE(QByteArray(record.mSerialNumber.data(), 10) +
                     QByteArray(record.mKelvoSerialNumber.data(), 8),
                 serial);
        QTEST(int(record.mActivationDepth), "depth");
        QTEST(record.mMaxMeasuredDepth, "maxMetres");
        QVERIFY(checksumMatches(kChecksumA, image));
        QVERIFY(checksumMatches(kChecksumB, image));
        const TagImage written = tagImageOf(record);
        QCOMPARE(tagImageOf(decode(written)), written);
        QCOMPARE(written[1], image[1] & 0x00FFFFFFu);
        QVERIFY(checksumMatches(kChecksumA, written));
    }
};

KELVO_TEST_MAIN(TestTagEncoding)
#include "test_tagencoding.moc"
