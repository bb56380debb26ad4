#include "box/boxlogformat.h"
#include "box/logboxfile.h"
#include "drivers/boxlogentry.h"
#include "tests/box/boxlogtext.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

namespace {

// A Kelvo written by the box on 1 March 2024 at 14:05:09: firmware 2.5, error flags 0, depth 50,
// filter 5, serial 1234567890, battery 3298 mV, supercap 2441 mV, measured depths 10 m and
// -16.6667 m, threshold 4002 mV, Kelvo serial KV000417.
const QByteArray kWrittenEntry = boxLogText({{0, "1aa4a595"},
                                             {8, "00000001"},
                                             {16, "19000000"},
                                             {24, "00320005"},
                                             {56, "31323334353637383930"},
                                             {80, "8c00"},
                                             {104, "0060"},
                                             {112, "0000"},
                                             {126, "ff"},
                                             {128, "4b56303030343137"}});

} // namespace

class BoxLogEntryTest : public QObject
{
    Q_OBJECT

private slots:
    void decodesTheFields()
    {
        const KelvoRecord entry = decodeBoxLogEntry(kWrittenEntry);
        QCOMPARE(entry.mTimestamp, QDateTime(QDate(2024, 3, 1), QTime(14, 5, 9)));
        QCOMPARE(entry.mOperation, QStringLiteral("WRITE"));
        QCOMPARE(entry.mFirmwareVersion, 2.5f);
        QCOMPARE(entry.mErrorFlags, quint8(0));
        QCOMPARE(entry.mActivationDepth, quint8(50));
        QCOMPARE(entry.mFilter, quint16(5));
        QCOMPARE(QByteArray(entry.mSerialNumber.data(), 10), QByteArray("1234567890"));
        QCOMPARE(entry.mBatteryLevel, quint16(3298));
        QCOMPARE(entry.mSupercapLevel, quint16(2441));
        QCOMPARE(entry.mBatteryThreshold, quint16(4002));
        QCOMPARE(entry.mActivationMeasuredDepth, 10.0);
        QCOMPARE(entry.mMaxMeasuredDepth, -60 / 3.6);
        QCOMPARE(QByteArray(entry.mKelvoSerialNumber.data(), 8), QByteArray("KV000417"));
        QVERIFY(!isUnreadBoxLogEntry(entry));
        // Upper-case hex reads the same.
        const KelvoRecord upper = decodeBoxLogEntry(kWrittenEntry.toUpper());
        QCOMPARE(upper.mTimestamp, entry.mTimestamp);
        QCOMPARE(BoxLogFormat::logBoxLine(upper), BoxLogFormat::logBoxLine(entry));
    }

    void decodesTimeStampsAndOperations_data()
    {
        QTest::addColumn<QByteArray>("stamp");
        QTest::addColumn<QByteArray>("operation");
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("action");
        const QDateTime epoch(QDate(2010, 1, 1), QTime(0, 0));
        QTest::newRow("epoch") << QByteArray("00000000") << QByteArray("00000001") << epoch
                               << "WRITE";
        QTest::newRow("a day") << QByteArray("00015180") << QByteArray("00000101")
                               << QDateTime(QDate(2010, 1, 2), QTime(0, 0)) << "WRITE";
        QTest::newRow("read 0") << QByteArray("00000000") << QByteArray("00000000") << epoch
                                << "READ";
        QTest::newRow("read 2") << QByteArray("00000000") << QByteArray("00000002") << epoch
                                << "READ";
        QTest::newRow("read 0x100")
            << QByteArray("00000000") << QByteArray("00000100") << epoch << "READ";
        // The count is signed: the top bit takes the stamp before 2010.
        QTest::newRow("signed") << QByteArray("ffffffff") << QByteArray("000000ff")
                                << epoch.addSecs(-1) << "READ";
        QTest::newRow("lowest") << QByteArray("80000000") << QByteArray("00000000")
                                << epoch.addSecs(-2147483647LL - 1) << "READ";
    }

    void decodesTimeStampsAndOperations()
    {
        QFETCH(QByteArray, stamp);
        QFETCH(QByteArray, operation);
        const KelvoRecord entry =
            decodeBoxLogEntry(boxLogText({{0, stamp.constData()}, {8, operation.constData()}}));
        QTEST(entry.mTimestamp, "when");
        QTEST(entry.mOperation, "action");
    }

    void decodesTheDepthRules_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<double>("activation");
        QTest::addColumn<double>("maximum");
        QTest::newRow("0") << QByteArray("0000") << 0.0 << -60 / 3.6;
        QTest::newRow("0x30") << QByteArray("0030") << -12 / 3.6 << -12 / 3.6;
        QTest::newRow("0x60") << QByteArray("0060") << 10.0 << 10.0;
        QTest::newRow("0xffff") << QByteArray("ffff") << 65475 / 3.6 << 65475 / 3.6;
    }

    void decodesTheDepthRules()
    {
        QFETCH(QByteArray, raw);
        const KelvoRecord entry =
            decodeBoxLogEntry(boxLogText({{104, raw.constData()}, {112, raw.constData()}}));
        QTEST(entry.mActivationMeasuredDepth, "activation");
        QTEST(entry.mMaxMeasuredDepth, "maximum");
    }

    void textThatIsNoEntryIsUnread_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("short") << kWrittenEntry.left(143);
        QTest::newRow("not hex") << QByteArray(kWrittenEntry).replace(100, 1, "g");
        QTest::newRow("space") << QByteArray(kWrittenEntry).replace(0, 1, " ");
        QTest::newRow("timeout") << QByteArray("TIMEOUT");
    }

    void textThatIsNoEntryIsUnread()
    {
        QFETCH(QByteArray, text);
        QVERIFY(!isBoxLogEntryText(text));
        const KelvoRecord entry = decodeBoxLogEntry(text);
        QVERIFY(isUnreadBoxLogEntry(entry));
        QVERIFY(entry.mTimestamp.isNull());
        QVERIFY(entry.mOperation.isEmpty());
        // Trailing bytes after a whole entry are the box's concern.
        QVERIFY(isBoxLogEntryText(kWrittenEntry + "9000"));
    }

    void formatsTheRowAndTheLine()
    {
        const KelvoRecord entry = decodeBoxLogEntry(kWrittenEntry);
        QCOMPARE(BoxLogFormat::tableCells(entry),
                 (QStringList{"20240301", "14:05:09", "WRITE", "2.5", " No Error ", "50", "5",
                              "1234567890", "3298", "2441", "4002", "10", "-16.6667", "KV000417"}));
        QCOMPARE(BoxLogFormat::logBoxLine(entry),
                 QByteArray("20240301,14:05:09,WRITE,50,5,3298,2441,4002,2.5,-16.6667,10,"
                            "1234567890,KV000417, No Error \r\n"));
        QCOMPARE(BoxLogFormat::tableHeaders(),
                 (QStringList{"Date", "Heure", "Action", "Firmware", "Error", "Act Depth", "Filter",
                              "Serial", "Bat level", "SCap level", "Min Bat Thresh", "Act Depth m",
                              "Max Depth m", "Kelvo Serial"}));
    }

    void formatsUntrustedCharactersAndLargeValues()
    {
        // Serial characters from the box that would break the line's fields become '?'; the
        // table shows them as they are. Error words follow each other in bit order.
        const KelvoRecord entry = decodeBoxLogEntry(
            boxLogText({{16, "ff00ff21"}, {56, "2c0d0a00"}, {104, "ffff"}, {128, "c9"}}));
        const QByteArray line = BoxLogFormat::logBoxLine(entry);
        QCOMPARE(line.count(','), 13);
        QVERIFY2(line.contains(",25.5,") && line.contains(",18187.5,"), line.constData());
        QVERIFY2(line.contains(",??????????,\xc9???????,"), line.constData());
        QVERIFY(line.endsWith(" Load  Supercap \r\n"));
        const QStringList cells = BoxLogFormat::tableCells(entry);
        QCOMPARE(cells.at(3), QStringLiteral("25.5"));
        QCOMPARE(cells.at(7).left(4), QString::fromLatin1("\x2c\r\n\0", 4));
        QCOMPARE(cells.at(13).at(0), QChar(0xc9));
    }

    void anUnreadEntryHasNoValues()
    {
        const KelvoRecord entry = unreadBoxLogEntry();
        const QStringList cells = BoxLogFormat::tableCells(entry);
        QCOMPARE(cells.size(), 14);
        for (const QString& cell : cells) {
            QVERIFY(cell.isEmpty());
        }
        QCOMPARE(BoxLogFormat::logBoxLine(entry), QByteArray(",,,,,,,,,,,,,\r\n"));
    }

    void readsTheLinesItWrites()
    {
        // The untrusted entry too: its line reads back into the entry that writes that line.
        for (const QByteArray& text :
             {kWrittenEntry, boxLogText({{16, "ff00ff21"}, {56, "2c0d0a00"}, {104, "ffff"}})}) {
            const QByteArray line = BoxLogFormat::logBoxLine(decodeBoxLogEntry(text));
            const std::optional<KelvoRecord> read = BoxLogFormat::parseLogBoxLine(line);
            QVERIFY(read.has_value());
            QCOMPARE(BoxLogFormat::logBoxLine(*read), line);
            QCOMPARE(read->mOperation, decodeBoxLogEntry(text).mOperation);
        }
        const std::optional<KelvoRecord> unread = BoxLogFormat::parseLogBoxLine(",,,,,,,,,,,,,\n");
        QVERIFY(unread && isUnreadBoxLogEntry(*unread));
    }

    void refusesLinesItDoesNotWrite_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("no such day") << 0 << QByteArray("20240230");
        QTest::newRow("no such time") << 1 << QByteArray("14:5:09");
        QTest::newRow("operation") << 2 << QByteArray("write");
        QTest::newRow("depth over 8 bits") << 3 << QByteArray("256");
        QTest::newRow("signed filter") << 4 << QByteArray("+5");
        QTest::newRow("battery over 16 bits") << 5 << QByteArray("65536");
        QTest::newRow("firmware") << 8 << QByteArray("nan");
        QTest::newRow("depth") << 9 << QByteArray("x");
        QTest::newRow("short serial") << 11 << QByteArray("123456789");
        QTest::newRow("long Kelvo serial") << 12 << QByteArray("KV0004170");
        QTest::newRow("error words out of order") << 13 << QByteArray(" Bat  Load ");
        QTest::newRow("a fifteenth field") << 13 << QByteArray(" No Error ,");
    }

    void refusesLinesItDoesNotWrite()
    {
        QFETCH(int, field);
        QFETCH(QByteArray, text);
        QByteArrayList fields =
            BoxLogFormat::logBoxLine(decodeBoxLogEntry(kWrittenEntry)).chopped(2).split(',');
        fields[field] = text;
        QVERIFY(!BoxLogFormat::parseLogBoxLine(fields.join(',')).has_value());
    }

    void namesTheLogBoxFile()
    {
        const QDateTime when(QDate(2024, 3, 1), QTime(14, 5, 9));
        QCOMPARE(LogBoxFile::newName(QStringLiteral("C:/Logs/ops.txt"), when),
                 QStringLiteral("C:/Logs/LogBox_20240301_140509.txt"));
        QCOMPARE(LogBoxFile::newName(QStringLiteral("log.txt"), when),
                 QStringLiteral("./LogBox_20240301_140509.txt"));
        QCOMPARE(LogBoxFile::followingLog(QStringLiteral("D:/logs/ops.txt"),
                                          QStringLiteral("./LogBox_20240301_140509.txt")),
                 QStringLiteral("D:/logs/LogBox_20240301_140509.txt"));
    }
};

KELVO_TEST_MAIN(BoxLogEntryTest)
#include "test_boxlogentry.moc"
