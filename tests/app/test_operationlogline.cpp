#include "app/operationlogline.h"
#include "kelvo/kelvorecord.h"
#include "tests/support/kelvotestmain.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QDateTime kWhen(QDate(2024, 3, 1), QTime(14, 5, 9));

KelvoRecord sampleRecord()
{
    KelvoRecord record;
    record.mFirmwareVersion = 2.5f;
    record.mMaxMeasuredDepth = 12.5;
    record.mActivationMeasuredDepth = 0.0;
    record.mStreamer = 5;
    record.mDevice = 12;
    record.mBatteryLevel = 3665;
    record.mSupercapLevel = 3543;
    record.mBatteryThreshold = 3298;
    record.mSources.fill(FieldSource::Read);
    return record;
}

} // namespace

class OperationLogLineTest : public QObject
{
    Q_OBJECT

private slots:
    void formatsTagOperations()
    {
        KelvoRecord record = sampleRecord();
        QCOMPARE(OperationLogLine::tagOperation(record, "READ", kWhen),
                 QByteArray("20240301,14:05:09,READ,50,5,3665,3543,3298,2.5,12.5,0,S05D12,"
                            "0000000000,00000000, No Error \r\n"));

        record.mFirmwareVersion = 3.0f;
        record.mStreamer = 123;
        record.mDevice = 4;
        record.mErrorFlags = 0x11;
        record.mMaxMeasuredDepth = 18187.5;
        const QByteArray line = OperationLogLine::tagOperation(record, "WRITE", kWhen);
        QVERIFY(line.contains(",3,18187.5,0,S123D04,"));
        QVERIFY(line.endsWith(", Load  Bat \r\n"));

        // Characters from a tag cannot break the line apart.
        const char garbled[10] = {'A', ',', 'B', '\r', '\n', '\0', 'C', 'D', 'E', 'F'};
        std::copy(garbled, garbled + 10, record.mSerialNumber.begin());
        const QByteArray guarded = OperationLogLine::tagOperation(record, "READ", kWhen);
        QVERIFY(guarded.contains(",A?B???CDEF,"));
        QCOMPARE(guarded.count("\r\n"), 1);
        QCOMPARE(guarded.count(','), 14);

        // A value not known of this Kelvo is an empty field.
        record.forgetTagValues();
        QCOMPARE(OperationLogLine::tagOperation(record, "READ", kWhen),
                 QByteArray("20240301,14:05:09,READ,,,,,,,,,S123D04,,,\r\n"));
    }

    // The position letters come from the settings store, where a value that is not a number
    // reads as the character with code 0; neither that nor a comma may break a line apart.
    void guardsThePositionLetters()
    {
        KelvoRecord record = sampleRecord();
        record.mPositionLetters = {{',', '\0'}};
        const QByteArray tagLine = OperationLogLine::tagOperation(record, "READ", kWhen);
        QVERIFY(tagLine.contains(",?05?12,"));
        QCOMPARE(tagLine.count(','), 14);
        QCOMPARE(OperationLogLine::setup(record, "READ SETUP", kWhen),
                 QByteArray("20240301,14:05:09,READ SETUP,50,75,100,StreamerID : ?,"
                            "DeviceID : ?\r\n"));
    }

    void formatsSetupOperations()
    {
        KelvoRecord record;
        QCOMPARE(OperationLogLine::setup(record, "WRITE SETUP", kWhen),
                 QByteArray("20240301,14:05:09,WRITE SETUP,50,75,100,StreamerID : S,"
                            "DeviceID : D\r\n"));
        record.mPresetDepths = {30, 60, 90};
        record.mPositionLetters = {'A', 'B'};
        QCOMPARE(OperationLogLine::setup(record, "READ SETUP",
                                         QDateTime(QDate(2025, 12, 31), QTime(0, 0, 0))),
                 QByteArray("20251231,00:00:00,READ SETUP,30,60,90,StreamerID : A,"
                            "DeviceID : B\r\n"));
    }

    void appendsToTheFile()
    {
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("append.txt"));
        QFile::remove(path);
        QVERIFY(OperationLogLine::append(path, "one\r\n"));
        QVERIFY(OperationLogLine::append(path, "two\r\n"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("one\r\ntwo\r\n"));
        QVERIFY(!OperationLogLine::append(QStringLiteral("/nonexistent/folder/log.txt"), "x"));
        QVERIFY(!OperationLogLine::append(QDir::currentPath(), "x"));
    }
};

KELVO_TEST_MAIN(OperationLogLineTest)
#include "test_operationlogline.moc"
