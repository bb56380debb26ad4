#include "app/buildvariant.h"
#include "drivers/kelvodevice.h"
#include "emulation/emulatedcr95hfboard.h"
#include "kelvo/statusformat.h"
#include "kelvo/tagencoding.h"
#include "kelvo/tagsession.h"
#include "tests/support/coutcapture.h"
#include "tests/support/kelvotestmain.h"
#include "tests/support/outcomename.h"
#include "tests/support/recordingflowlistener.h"

#include <QFile>
#include <QtTest>

#include <memory>

namespace {

// Tag presence and the memory claim come before the record read.
constexpr int kClaimExchanges = 5;
// Block 15 is the tenth block of a record read.
constexpr int kBlock15Exchange = kClaimExchanges + 10;

TabEntries entries(const QString& depth, const QString& kelvoSerialNumber,
                   const QString& serialNumber = QStringLiteral("KV23000417"))
{
    return {depth,
            QStringLiteral("7"),
            QStringLiteral("1"),
            QStringLiteral("2"),
            kelvoSerialNumber,
            QStringLiteral("3300"),
            serialNumber};
}

QByteArray logText()
{
    QFile log(QStringLiteral("log.txt"));
    return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
}

// The characters the tag holds from the start of a block on.
QByteArray tagCharacters(const EmulatedKelvoTag& tag, quint16 block, int count)
{
    QByteArray text;
    for (int index = 0; index < count; ++index)
        text += char(tag.block(quint16(block + index / 4)) >> (24 - 8 * (index % 4)));
    return text;
}

} // namespace

// The tag flows without a window: what they show, log and write is what was read or entered.
class TestTagSession : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QFile::remove(QStringLiteral("log.txt"));
        mBoard = std::make_unique<EmulatedCr95hfBoard>();
        mBoard->tag().fillWithPlausibleValues();
        mDevice =
            std::make_unique<KelvoDevice>(*mBoard, defaultD2xxLibrary(), [](unsigned long) {});
        mDevice->setFactoryWrites(isFactoryBuild());
        mListener = std::make_unique<RecordingFlowListener>(mDevice->record());
    }

    void cleanup()
    {
        mListener.reset();
        mDevice.reset();
        mBoard.reset();
    }

    // Nothing reaches the tag unless the entries could have been typed on the keypads.
    void refusesEntriesOutsideTheirLimits_data()
    {
        QTest::addColumn<QString>("depth");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("kelvoSerialNumber");
        QTest::addColumn<QString>("serialNumber");
        QTest::addColumn<bool>("accepted");
        const auto row = [](const char* name, const char* depth, const char* filter,
                            const char* kelvoSerialNumber, const char* serialNumber,
                            bool accepted) {
            QTest::newRow(name) << depth << filter << kelvoSerialNumber << serialNumber << accepted;
        };
        row("valid", "75", "7", "00000417", "KV23000999", true);
        row("not a number", "abc", "7", "00000417", "KV23000417", false);
        row("too deep", "300", "7", "00000417", "KV23000417", false);
        row("too shallow", "20", "7", "00000417", "KV23000417", false);
        // As a Kelvo holding filter 32 shows it.
        row("filter out of range", "75", "32", "00000417", "KV23000417", false);
        // The operations log could not hold them as typed.
        row("Kelvo serial with a comma", "75", "7", "K,LVO-01", "KV23000417", false);
        row("Kelvo serial with a tab", "75", "7", "KLVO\t01", "KV23000417", false);
        // Only the factory build writes the serial number.
        row("serial with a comma", "75", "7", "00000417", "X,Z", !isFactoryBuild());
    }

    void refusesEntriesOutsideTheirLimits()
    {
        QFETCH(QString, depth);
        QFETCH(QString, filter);
        QFETCH(QString, kelvoSerialNumber);
        QFETCH(QString, serialNumber);
        QFETCH(bool, accepted);
        const quint32 block1 = mBoard->tag().block(1);
        const quint32 block5 = mBoard->tag().block(5);
        CoutCapture console;
        TabEntries typed = entries(depth, kelvoSerialNumber, serialNumber);
        typed.filter = filter;
        const FlowResult result = TagSession(*mDevice, *mListener).write(TagTab::Simplified, typed);
        QCOMPARE(result.succeeded(), accepted);
        if (accepted) {
            QCOMPARE((mBoard->tag().block(1) >> 16) & 0xFF, depth.toUInt());
            return;
        }
        QCOMPARE(mBoard->tag().block(1), block1);
        QCOMPARE(mBoard->tag().block(5), block5);
        QCOMPARE(mListener->warnings().size(), 1);
        QVERIFY(logText().isEmpty());
    }

    // An identity field reaches a Kelvo only when typed for it (after its read, or before any
    // read) or read from it; otherwise the Kelvo keeps its own and the result names it. The
    // configuration is written every time, and the WRITE line holds this Kelvo's values.
    void writesIdentityOnlyForItsKelvo_data()
    {
        QTest::addColumn<bool>("readFirst");
        QTest::addColumn<bool>("swap");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("written");
        QTest::newRow("start-up, untouched") << false << false << false << false;
        QTest::newRow("start-up, typed") << false << false << true << true;
        QTest::newRow("read, untouched") << true << false << false << false;
        QTest::newRow("read, typed") << true << false << true << true;
        QTest::newRow("swapped, untouched") << true << true << false << false;
        QTest::newRow("swapped, typed") << true << true << true << false;
    }

    void writesIdentityOnlyForItsKelvo()
    {
        QFETCH(bool, readFirst);
        QFETCH(bool, swap);
        QFETCH(bool, typed);
        QFETCH(bool, written);
        CoutCapture console;
        if (readFirst)
            QVERIFY(TagSession(*mDevice, *mListener).read(TagTab::Simplified).succeeded());
        if (swap)
            mBoard->tag().fillAsAnotherKelvo();
        const EmulatedKelvoTag before = mBoard->tag();
        const KelvoRecord& shown = mDevice->record();
        TabEntries entered =
            entries(QStringLiteral("75"),
                    typed ? QStringLiteral("AB")
                          : StatusFormat::fieldText(shown, TagField::KelvoSerialStart),
                    typed ? QStringLiteral("SN00000009")
                          : StatusFormat::fieldText(shown, TagField::SerialNumber));
        entered.batteryThreshold = typed
                                       ? QStringLiteral("3500")
                                       : StatusFormat::fieldText(shown, TagField::BatteryThreshold);
        const FlowResult result =
            TagSession(*mDevice, *mListener).write(TagTab::Simplified, entered);

        QVERIFY2(result.succeeded(), qPrintable(result.text));
        const EmulatedKelvoTag& tag = mBoard->tag();
        QCOMPARE((tag.block(1) >> 16) & 0xFF, 75u);
        QCOMPARE(tagCharacters(tag, 14, 8),
                 written ? QByteArray("AB      ") : tagCharacters(before, 14, 8));
        const bool factoryWritten = written && isFactoryBuild();
        QCOMPARE(tagCharacters(tag, 5, 10),
                 factoryWritten ? QByteArray("SN00000009") : tagCharacters(before, 5, 10));
        QCOMPARE(tag.block(13) & 0xFF,
                 factoryWritten ? voltageCodeFromMillivolts(3500) : before.block(13) & 0xFF);
        const bool named = !written && (swap || !readFirst);
        QCOMPARE(
            result.text.contains(
                QStringLiteral("\nThe Kelvo serial number of the Kelvo on the reader was kept: ") +
                QString::fromLatin1(tagCharacters(before, 14, 8))),
            named);
        const QByteArray writeLine = result.logLines.value(1);
        QVERIFY(writeLine.contains(",WRITE,75,7,"));
        QVERIFY2(writeLine.contains(',' + tagCharacters(tag, 5, 10) + ',' +
                                    tagCharacters(tag, 14, 8) + ','),
                 writeLine.constData());
    }

    // Block 15 that cannot be read leaves the last four Kelvo serial characters unknown: not
    // shown, not logged, and not written back unless the operator enters them.
    void neverPassesOnUnreadSerialCharacters()
    {
        CoutCapture console;
        mDevice->record().mKelvoSerialNumber = {{'O', 'T', 'H', 'E', 'R', 'K', 'L', 'V'}};
        mBoard->injectFault(kBlock15Exchange, EmulatedCr95hfBoard::Fault::FailedCall, 3);
        QVERIFY(TagSession(*mDevice, *mListener).read(TagTab::Simplified).succeeded());
        QCOMPARE(mDevice->record().knownKelvoSerialCharacters(), 4);
        QVERIFY(!logText().contains("ERKLV"));
        QVERIFY(!logText().contains("0000KLV"));

        // The write's own read misses block 15 too; the field showed four characters.
        const quint32 block15 = mBoard->tag().block(15);
        mBoard->injectFault(kBlock15Exchange, EmulatedCr95hfBoard::Fault::FailedCall, 3);
        const FlowResult written =
            TagSession(*mDevice, *mListener)
                .write(TagTab::Simplified, entries(QStringLiteral("75"), QStringLiteral("0000")));
        QVERIFY2(written.succeeded(), qPrintable(written.text));
        QCOMPARE(mBoard->tag().block(15), block15);
        QCOMPARE((mBoard->tag().block(1) >> 16) & 0xFF, 75u);

        // Eight characters entered are written whole.
        QVERIFY(TagSession(*mDevice, *mListener)
                    .write(TagTab::Simplified,
                           entries(QStringLiteral("75"), QStringLiteral("12345678")))
                    .succeeded());
        QCOMPARE(mBoard->tag().block(15), quint32(0x35363738));
    }

    // A write is green only once read back as written with the memory handed back.
    void verifiesEveryWrite()
    {
        CoutCapture console;
        // The Kelvo's memory is kept after the write: the release fails.
        mBoard->unplugAfterCalls(kClaimExchanges + 60);
        const FlowResult lost = TagSession(*mDevice, *mListener)
                                    .write(TagTab::Simplified, entries(QStringLiteral("75"),
                                                                       QStringLiteral("00000417")));
        QVERIFY(!lost.succeeded());
        QCOMPARE(lost.colour(), FlowResult::Colour::Failure);
        QVERIFY2(lost.text.startsWith(QStringLiteral("Write operation failed, try again\n")),
                 qPrintable(lost.text));
        QVERIFY(lost.outcome != Outcome::Done);
        mBoard->clearFaults();
        mBoard->setPlugged(true);

        // Every write is acknowledged, but block 14 keeps what it held.
        mBoard->tag().dropWritesTo(14);
        const FlowResult different =
            TagSession(*mDevice, *mListener)
                .write(TagTab::Advanced, entries(QStringLiteral("75"), QStringLiteral("99999999")));
        QCOMPARE(different.colour(), FlowResult::Colour::Failure);
        QCOMPARE(outcomeName(different.outcome), outcomeName(Outcome::NotAsWritten));
        QCOMPARE(different.text,
                 QStringLiteral("Write operation failed, try again\nThe values read "
                                "back from the Kelvo differ from those written."));

        // The values reach the tag, but the checksum covering them does not.
        mBoard->tag().dropWritesTo(7);
        const FlowResult unchecked =
            TagSession(*mDevice, *mListener)
                .write(TagTab::Advanced, entries(QStringLiteral("80"), QStringLiteral("99999999")));
        QCOMPARE(outcomeName(unchecked.outcome), outcomeName(Outcome::NotAsWritten));
        QVERIFY(unchecked.text.endsWith(QStringLiteral(
            "The checksums read back from the Kelvo do not match the values written.")));
    }

    // A configuration that its checksums do not cover, or a memory not handed back, is shown
    // but not called green; the advice is what the crew can do.
    void reportsChecksumsThatDoNotMatch_data()
    {
        QTest::addColumn<quint16>("block");
        QTest::addColumn<quint32>("flip");
        QTest::addColumn<bool>("released");
        QTest::addColumn<QString>("advice");
        const QString writeAgain = QStringLiteral("Write the Kelvo again.");
        QTest::newRow("configured") << quint16(0) << 0u << true << QString();
        QTest::newRow("checksum A off") << quint16(7) << 0x1u << true << writeAgain;
        QTest::newRow("depth changed alone") << quint16(1) << 0x00010000u << true << writeAgain;
        QTest::newRow("checksum B off")
            << quint16(13) << 0x100u << true
            << (isFactoryBuild() ? writeAgain : QStringLiteral("return the Kelvo to the factory."));
        QTest::newRow("memory not handed back")
            << quint16(0) << 0u << false
            << "The Kelvo's memory could not be handed back to its microcontroller.";
    }

    void reportsChecksumsThatDoNotMatch()
    {
        QFETCH(quint16, block);
        QFETCH(quint32, flip);
        QFETCH(bool, released);
        QFETCH(QString, advice);
        mBoard->tag().setBlock(block, mBoard->tag().block(block) ^ flip);
        // The record read is 11 exchanges after the claim's 5.
        if (!released)
            mBoard->injectFault(kClaimExchanges + 12, EmulatedCr95hfBoard::Fault::TagError, 1000);
        CoutCapture console;
        const FlowResult result = TagSession(*mDevice, *mListener).read(TagTab::Advanced);
        // The values count either way; a warning leaves the button as it is.
        QVERIFY(result.succeeded());
        QCOMPARE(result.colour() == FlowResult::Colour::Success, advice.isEmpty());
        QVERIFY(result.text.startsWith(QStringLiteral("Read operation was successfull")));
        QVERIFY2(result.text.endsWith(advice), qPrintable(result.text));
        QVERIFY(!mListener->shownRecord().isEmpty());
    }

    void acceptsANeverConfiguredTag()
    {
        for (quint16 block = 0; block < 16; ++block)
            mBoard->tag().setBlock(block, 0);
        CoutCapture console;
        QVERIFY(TagSession(*mDevice, *mListener).read(TagTab::Simplified).succeeded());
    }

private:
    std::unique_ptr<EmulatedCr95hfBoard> mBoard;
    std::unique_ptr<KelvoDevice> mDevice;
    std::unique_ptr<RecordingFlowListener> mListener;
};

KELVO_TEST_MAIN(TestTagSession)
#include "test_tagsession.moc"
