#include "drivers/hexframe.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

#include <array>
#include <cstring>

class TestHexFrame : public QObject
{
    Q_OBJECT

private slots:
    void commandTexts()
    {
        QCOMPARE(protocolSelectCommand(), QByteArray("010D"));
        QCOMPARE(blockNumberHex(0x1234), QByteArray("3412"));
        QCOMPARE(blockNumberHex(0xABCD), QByteArray("cdab"));
        QCOMPARE(blockValueHex(10), QByteArray("0000000a"));
        QCOMPARE(blockValueHex(0xFFFFFFFF), QByteArray("ffffffff"));
        QCOMPARE(readSingleBlockCommand(13), QByteArray("0A200d00"));
        QCOMPARE(writeSingleBlockCommand(1, 0x00320005), QByteArray("0A21010000320005"));
    }

    void readAnswers_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<quint32>("value");
        QTest::newRow("upper case") << QByteArray("80080000320005ABCD00") << true << 0x00320005u;
        QTest::newRow("lower case") << QByteArray("800800ab00cdefabcd00") << true << 0xAB00CDEFu;
        QTest::newRow("data only") << QByteArray("800800DEADBEEF") << true << 0xDEADBEEFu;
        QTest::newRow("no frame") << QByteArray("8700") << false << 0u;
        QTest::newRow("other result") << QByteArray("81080000320005ABCD00") << false << 0u;
        QTest::newRow("empty") << QByteArray() << false << 0u;
        QTest::newRow("result code only") << QByteArray("80") << false << 0u;
        QTest::newRow("data cut short") << QByteArray("8008000032000") << false << 0u;
        QTest::newRow("non-hex data") << QByteArray("8008000032G005ABCD00") << false << 0u;
        QTest::newRow("non-hex flags") << QByteArray("8008Z000320005ABCD00") << false << 0u;
        QTest::newRow("non-hex length") << QByteArray("80 80000320005ABCD00") << false << 0u;
        QTest::newRow("tag error") << QByteArray("8005010FABCD00") << false << 0u;
    }

    void readAnswers()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, accepted);
        QFETCH(quint32, value);
        std::array<char, 50> buffer{};
        std::memcpy(buffer.data(), answer.constData(), static_cast<std::size_t>(answer.size()));
        quint32 parsed = 0x5A5A5A5A;
        QCOMPARE(parseReadAnswer(buffer.data(), buffer.size(), parsed), accepted);
        QCOMPARE(parsed, accepted ? value : 0x5A5A5A5Au);
    }

    void answersAreReadOnlyWithinTheirBuffer()
    {
        std::array<char, 50> full;
        full.fill('0');
        std::memcpy(full.data(), "80080012345678", 14);
        QCOMPARE(answerLength(full.data(), full.size()), full.size());
        quint32 value = 0;
        QVERIFY(parseReadAnswer(full.data(), full.size(), value));
        QCOMPARE(value, 0x12345678u);
        // The same text seen through a buffer one character too small for the data.
        QVERIFY(!parseReadAnswer(full.data(), 13, value));
        QVERIFY(isWriteAnswerAccepted(full.data(), full.size()));
        QVERIFY(!isWriteAnswerAccepted(full.data(), 5));
    }

    void writeAnswers()
    {
        const auto accepted = [](const char* answer) {
            std::array<char, 50> buffer{};
            qstrncpy(buffer.data(), answer, buffer.size());
            return isWriteAnswerAccepted(buffer.data(), buffer.size());
        };
        QVERIFY(accepted("800400ABCD00"));
        QVERIFY(accepted("800400abcd00"));
        QVERIFY(!accepted("80"));
        QVERIFY(!accepted("8004"));
        QVERIFY(!accepted("8700"));
        QVERIFY(!accepted("8005010FABCD00"));
        QVERIFY(!accepted("8004ZZABCD00"));
    }
};

KELVO_TEST_MAIN(TestHexFrame)
#include "test_hexframe.moc"
