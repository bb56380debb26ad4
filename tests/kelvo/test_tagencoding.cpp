#include "kelvo/tagencoding.h"
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
};

KELVO_TEST_MAIN(TestTagEncoding)
#include "test_tagencoding.moc"
