// The CR95HF board's answers as the board driver reads them. The first byte chooses between the
// driver's own exchanges, checked against what an answer may and may not make it report, and the
// device operations built on them (connection, memory claim, record read and both writes), which
// must survive any answer.

#include "drivers/kelvodevice.h"
#include "drivers/stmboarddriver.h"
#include "tests/fuzz/fuzzedcr95hflibrary.h"
#include "tests/fuzz/fuzzedd2xxlibrary.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>

namespace {

constexpr quint32 untouched = 0xA5C3E1F7;

// What a sound answer holds: the call ran, the reader reports a frame ("80"), the length byte and
// the tag's response flags are hex and the tag's error flag is clear, followed by dataDigits hex
// digits of data (none for a write).
bool isSoundAnswer(const FuzzedCr95hfLibrary& library, int dataDigits, quint32& data)
{
    const QByteArray answer(library.lastAnswer().data(), 6 + dataDigits);
    const bool hex = std::all_of(answer.begin() + 2, answer.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) != 0;
    });
    if (library.lastResult() != 0 || !answer.startsWith("80") || !hex ||
        (answer.mid(4, 2).toUInt(nullptr, 16) & 1) != 0)
        return false;
    data = dataDigits > 0 ? answer.mid(6).toUInt(nullptr, 16) : 0;
    return true;
}

void checkDriverExchanges(FuzzInput& input, FuzzedCr95hfLibrary& library)
{
    STMBoardDriver driver(library);
    while (!input.atEnd()) {
        const quint8 operation = input.byte() % 3;
        const quint16 block = input.word();
        quint32 expected = 0;
        if (operation == 0) {
            quint32 value = untouched;
            const bool read = driver.readSingleBlock(block, value);
            const bool sound = isSoundAnswer(library, 8, expected);
            fuzzExpect(read == sound, "a block read succeeds exactly on a sound answer");
            fuzzExpect(read ? value == expected : value == untouched,
                       "a read stores the answer's data, and nothing when it fails");
        } else if (operation == 1) {
            const bool written = driver.writeSingleBlock(block, input.value32());
            fuzzExpect(written == isSoundAnswer(library, 0, expected),
                       "a block write succeeds exactly on a sound answer");
        } else {
            const bool selected = driver.selectProtocol();
            fuzzExpect(selected == (library.lastResult() == 0),
                       "the protocol is selected exactly when the library says so");
        }
    }
}

void runDeviceOperations(FuzzInput& input, FuzzedCr95hfLibrary& library, FuzzedD2xxLibrary& noBox)
{
    KelvoDevice device(library, noBox, [](unsigned long) {});
    device.connectReader();
    while (!input.atEnd()) {
        switch (input.byte() % 9) {
        case 0:
            device.isConnected();
            break;
        case 1:
            device.tagPresent();
            break;
        case 2:
            device.setRfAccess(true);
            break;
        case 3:
            device.setRfAccess(false);
            break;
        case 4:
            device.readRecord();
            break;
        case 5:
            device.writeRecordFull();
            break;
        case 6:
            device.writeRecordKeep();
            break;
        case 7:
            device.updateChecksumB();
            break;
        default:
            device.connectReader();
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    FuzzedCr95hfLibrary library(input);
    // No Standalone Box is attached: a device that finds no board finds nothing.
    FuzzInput noInput(nullptr, 0);
    FuzzedD2xxLibrary noBox(noInput);
    if (input.byte() % 2 == 0)
        checkDriverExchanges(input, library);
    else
        runDeviceOperations(input, library, noBox);
    return 0;
}
