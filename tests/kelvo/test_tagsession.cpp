#include "app/buildvariant.h"
#include "drivers/kelvodevice.h"
#include "emulation/emulatedcr95hfboard.h"
#include "kelvo/tagsession.h"
#include "tests/app/recordingflowlistener.h"
#include "tests/drivers/coutcapture.h"
#include "tests/support/kelvotestmain.h"

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
        QTest::addColumn<QString>("serialNumber");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("valid") << "75"
                               << "KV23000999" << true;
        QTest::newRow("not a number") << "abc"
                                      << "KV23000417" << false;
        QTest::newRow("too deep") << "300"
                                  << "KV23000417" << false;
        QTest::newRow("too shallow") << "20"
                                     << "KV23000417" << false;
        // Only the factory build writes the serial number.
        QTest::newRow("serial with a comma") << "75"
                                             << "X,Z" << !isFactoryBuild();
    }

    void refusesEntriesOutsideTheirLimits()
    {
        QFETCH(QString, depth);
        QFETCH(QString, serialNumber);
        QFETCH(bool, accepted);
        const quint32 block1 = mBoard->tag().block(1);
        const quint32 block5 = mBoard->tag().block(5);
        CoutCapture console;
        const FlowResult result =
            TagSession(*mDevice, *mListener)
                .write(TagTab::Simplified,
                       entries(depth, QStringLiteral("00000417"), serialNumber));
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

    // Block 15 that cannot be read leaves the last four Kelvo serial characters unknown: not
    // shown, not logged, and not written back unless the operator enters them.
    void neverPassesOnUnreadSerialCharacters()
    {
        CoutCapture console;
        mDevice->record().mKelvoSerialNumber = {{'O', 'T', 'H', 'E', 'R', 'K', 'L', 'V'}};
        mBoard->injectFault(kBlock15Exchange, EmulatedCr95hfBoard::Fault::FailedCall, 3);
        QVERIFY(TagSession(*mDevice, *mListener).read(TagTab::Simplified).succeeded());
        QVERIFY(!mDevice->record().mKelvoSerialEndRead);
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
        QCOMPARE(lost.colour, FlowResult::Colour::Failure);
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
        QCOMPARE(different.colour, FlowResult::Colour::Failure);
        QCOMPARE(outcomeName(different.outcome), outcomeName(Outcome::NotAsWritten));
        QCOMPARE(different.text,
                 QStringLiteral("Write operation failed, try again\nThe values read "
                                "back from the Kelvo differ from those written."));
    }

    // A configuration that its checksums do not cover is shown, but not called green.
    void reportsChecksumsThatDoNotMatch_data()
    {
        QTest::addColumn<quint16>("block");
        QTest::addColumn<quint32>("flip");
        QTest::addColumn<bool>("matches");
        QTest::newRow("configured") << quint16(0) << 0u << true;
        QTest::newRow("checksum A off") << quint16(7) << 0x1u << false;
        QTest::newRow("depth changed alone") << quint16(1) << 0x00010000u << false;
        QTest::newRow("checksum B off") << quint16(13) << 0x100u << false;
    }

    void reportsChecksumsThatDoNotMatch()
    {
        QFETCH(quint16, block);
        QFETCH(quint32, flip);
        QFETCH(bool, matches);
        mBoard->tag().setBlock(block, mBoard->tag().block(block) ^ flip);
        CoutCapture console;
        const FlowResult result = TagSession(*mDevice, *mListener).read(TagTab::Advanced);
        QCOMPARE(result.succeeded(), matches);
        QVERIFY(result.text.startsWith(QStringLiteral("Read operation was successfull")));
        QCOMPARE(result.text.contains(QStringLiteral("checksum")), !matches);
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
