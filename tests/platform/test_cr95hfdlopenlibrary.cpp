#include "drivers/stmboarddriver.h"
#include "platform/cr95hfdlopenlibrary.h"
#include "tests/support/kelvotestmain.h"

#include <QtTest>

#include <array>

namespace {

using Buffer = std::array<char, Cr95hfLibrary::bufferSize>;

Buffer bufferOf(const char* text)
{
    Buffer buffer{};
    qstrncpy(buffer.data(), text, buffer.size());
    return buffer;
}

void expectEveryCallFails(Cr95hfLibrary& library)
{
    Buffer request = bufferOf("010D");
    Buffer answer{};
    QVERIFY(library.usbConnect() != 0);
    QVERIFY(library.usbHandleCheck() != 0);
    QVERIFY(library.select(request.data(), answer.data()) != 0);
    QVERIFY(library.sendReceive(request.data(), answer.data()) != 0);
}

} // namespace

class TestCr95hfDlopenLibrary : public QObject
{
    Q_OBJECT

private slots:
    void defaultBackendLoadsTheConfiguredLibrary()
    {
        Cr95hfLibrary& library = defaultCr95hfLibrary();
        QCOMPARE(library.usbConnect(), 0);
        QCOMPARE(library.usbHandleCheck(), 0);

        Buffer request = bufferOf("010D");
        Buffer answer{};
        QCOMPARE(library.select(request.data(), answer.data()), 0);
        QCOMPARE(QByteArray(answer.data()), QByteArray("0000"));

        request = bufferOf("ECHO");
        answer.fill('\0');
        QCOMPARE(library.sendReceive(request.data(), answer.data()), 2);
        QCOMPARE(QByteArray(answer.data()), QByteArray("ECHO"));
    }

    void driverReadsThroughTheLibrary()
    {
        STMBoardDriver driver(defaultCr95hfLibrary());
        QVERIFY(driver.open());
        quint32 value = 0;
        QVERIFY(driver.readBlock(1, value));
        QCOMPARE(value, 0x00320005u);
        // The library fills the whole answer buffer without a terminator.
        QVERIFY(driver.readBlock(15, value));
        QCOMPARE(value, 0x11223344u);
        QVERIFY(!driver.writeBlock(1, 0));
    }

    void missingLibraryOrSymbolMeansNoBoard()
    {
        Cr95hfDlopenLibrary missing("/nonexistent/libcr95hf.so");
        QVERIFY(!missing.isLoaded());
        expectEveryCallFails(missing);

        Cr95hfDlopenLibrary incomplete(INCOMPLETE_LIBRARY);
        QVERIFY(!incomplete.isLoaded());
        expectEveryCallFails(incomplete);

        STMBoardDriver driver(incomplete);
        QVERIFY(!driver.open());
        quint32 value = 0;
        QVERIFY(!driver.readBlock(0, value));
    }

    void pathComesFromTheEnvironment()
    {
        const QByteArray configured = qgetenv("KELVOCONF_CR95HF_LIBRARY");
        QVERIFY(!configured.isEmpty());
        QCOMPARE(QByteArray::fromStdString(Cr95hfDlopenLibrary::configuredPath()), configured);
        qunsetenv("KELVOCONF_CR95HF_LIBRARY");
        QCOMPARE(Cr95hfDlopenLibrary::configuredPath(), std::string("libcr95hf.so"));
        qputenv("KELVOCONF_CR95HF_LIBRARY", "");
        QCOMPARE(Cr95hfDlopenLibrary::configuredPath(), std::string("libcr95hf.so"));
        qputenv("KELVOCONF_CR95HF_LIBRARY", configured);
    }
};

KELVO_TEST_MAIN(TestCr95hfDlopenLibrary)
#include "test_cr95hfdlopenlibrary.moc"
