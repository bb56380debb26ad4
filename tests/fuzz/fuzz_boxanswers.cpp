// The Standalone Box's answers as the box driver reads them: an FTDI device serving the fuzzer's
// bytes, driven through the opening of the box, every box command and both block operations, in
// the order and with the arguments the input chooses.

#include "drivers/standaloneboxdriver.h"
#include "tests/fuzz/fuzzedd2xxlibrary.h"

#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr quint32 untouched = 0xA5C3E1F7;

void ignoreMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

bool isLowerHex(const QByteArray& text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

void runCommand(StandaloneBoxDriver& driver, FuzzInput& input)
{
    switch (input.byte() % 12) {
    case 0:
        driver.readBatteryLevel();
        break;
    case 1: {
        const quint8 depth = input.byte();
        driver.writeConfig(depth, input.word());
        break;
    }
    case 2: {
        quint8 depth = 0xA5;
        quint16 filter = 0xC3E1;
        if (!driver.readConfig(depth, filter))
            fuzzExpect(depth == 0xA5 && filter == 0xC3E1,
                       "a failed configuration read sets nothing");
        break;
    }
    case 3:
        driver.setClock(qint32(input.value32()));
        break;
    case 4:
        driver.readClock();
        break;
    case 5:
        fuzzExpect(driver.readLogCount() >= -1, "a log count is -1 or a count");
        break;
    case 6: {
        const QByteArray entry = driver.readLogEntry(qint16(input.word()));
        fuzzExpect(entry.size() % 2 == 0 && isLowerHex(entry), "a log entry is lower-case hex");
        break;
    }
    case 7:
        driver.eraseLog();
        break;
    case 8: {
        quint32 value = untouched;
        if (!driver.readSingleBlock(input.word(), value))
            fuzzExpect(value == untouched, "a failed block read sets nothing");
        break;
    }
    case 9: {
        const quint16 block = input.word();
        driver.writeSingleBlock(block, input.value32());
        break;
    }
    case 10:
        driver.ensureOpen();
        break;
    default:
        driver.selectProtocol();
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qInstallMessageHandler(ignoreMessages);
    FuzzInput input(data, size);
    FuzzedD2xxLibrary library(input);
    StandaloneBoxDriver driver(library);
    driver.open();
    while (!input.atEnd())
        runCommand(driver, input);
    return 0;
}
