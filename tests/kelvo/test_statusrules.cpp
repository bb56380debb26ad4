#include "kelvo/entryrules.h"
#include "kelvo/serialtext.h"
#include "kelvo/statusformat.h"
#include "tests/support/kelvotestmain.h"

#include <QTest>

#include <array>

class StatusRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void namesTheErrorFlags()
    {
        using StatusFormat::errorFlagsText;
        QCOMPARE(errorFlagsText(0), QStringLiteral(" No Error "));
        QCOMPARE(errorFlagsText(0x80), QStringLiteral(" Watchdog "));
        QCOMPARE(errorFlagsText(0x12), QStringLiteral(" Press  Bat "));
        QCOMPARE(errorFlagsText(0x11), QStringLiteral(" Load  Bat "));
        QCOMPARE(errorFlagsText(0xFF),
                 QStringLiteral(" Load  Press  Sensor  Timer  Bat  Supercap  EEPROM  Watchdog "));
    }

    void formatsAndColoursTheStatus()
    {
        QCOMPARE(StatusFormat::firmwareVersionText(2.5f), QStringLiteral("02.5"));
        QCOMPARE(StatusFormat::firmwareVersionText(25.5f), QStringLiteral("25.5"));
        QCOMPARE(StatusFormat::depthText(12.3), QStringLiteral("012.3"));
        QCOMPARE(StatusFormat::depthText(0.0), QStringLiteral("000.0"));
        QCOMPARE(StatusFormat::levelText(3298), QStringLiteral("3298 mV"));
        QVERIFY(StatusFormat::isLevelLow(3298, 3300));
        QVERIFY(!StatusFormat::isLevelLow(3300, 3300));
        // Firmware codes 15 and 35 are the sound bounds; 14, 36 and a blank 0 are alarms.
        QVERIFY(StatusFormat::isFirmwareVersionSound(15 / 10.0f));
        QVERIFY(StatusFormat::isFirmwareVersionSound(35 / 10.0f));
        QVERIFY(!StatusFormat::isFirmwareVersionSound(14 / 10.0f));
        QVERIFY(!StatusFormat::isFirmwareVersionSound(36 / 10.0f));
        QVERIFY(!StatusFormat::isFirmwareVersionSound(0.0f));
    }

    void checksTheOperatorEntries()
    {
        using namespace EntryRules;
        for (const char* good : {"25", "150", "075"}) {
            QVERIFY2(isValidActivationDepth(QLatin1String(good)), good);
        }
        // 281 is refused as a whole, not taken as its low 8 bits (25).
        for (const char* bad : {"24", "151", "", "281", "5a", "-30", " 30", "99999999999"}) {
            QVERIFY2(!isValidActivationDepth(QLatin1String(bad)), bad);
        }
        // Number characters of other scripts are not decimal values.
        QVERIFY(!isValidActivationDepth(QString::fromUtf8("\u0663\u0660")));
        QVERIFY(isValidFilter(QStringLiteral("4")) && isValidFilter(QStringLiteral("10")));
        QVERIFY(!isValidFilter(QStringLiteral("3")) && !isValidFilter(QStringLiteral("11")));
        QVERIFY(isValidSerialNumber(QStringLiteral("kv23000417")));
        QVERIFY(isValidSerialNumber(QString()));
        QVERIFY(!isValidSerialNumber(QStringLiteral("KV-2300041")));
        QVERIFY(!isValidSerialNumber(QString::fromUtf8("KV2300041\u00e9")));
        QCOMPARE(entryByte(QStringLiteral("300")), quint8(44));
        QCOMPARE(entryByte(QStringLiteral("abc")), quint8(0));
        QCOMPARE(entryWord(QStringLiteral("3300")), quint16(3300));
    }

    void storesSerialCharacters()
    {
        std::array<char, 8> characters{};
        SerialText::store(QStringLiteral("KLV0009912"), characters);
        QCOMPARE(SerialText::text(characters), QStringLiteral("KLV00099"));
        SerialText::store(QStringLiteral("AB"), characters);
        QCOMPARE(SerialText::text(characters), QStringLiteral("AB      "));
    }
};

KELVO_TEST_MAIN(StatusRulesTest)
#include "test_statusrules.moc"
