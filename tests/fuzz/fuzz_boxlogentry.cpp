// Box log entry decoding and the LogBox line and log table row built from the decoded entry. The
// first byte chooses between arbitrary text, as a garbled answer could hand it over, and the rest
// of the input as the bytes of an entry in hex, in either case, cut short or run on.

#include "box/boxlogformat.h"
#include "drivers/boxlogentry.h"
#include "tests/fuzz/fuzzinput.h"

#include <cstddef>
#include <cstdint>

namespace {

QByteArray entryText(FuzzInput& input)
{
    const quint8 form = input.byte();
    if (form % 3 == 0)
        return input.rest();
    const QByteArray text = input.rest().toHex();
    return form % 3 == 1 ? text : text.toUpper();
}

// The LogBox line: 14 fields, no line break and no NUL inside, CR LF at the end.
void checkLine(const QByteArray& line)
{
    fuzzExpect(line.endsWith("\r\n"), "a LogBox line ends in CR LF");
    const QByteArray body = line.left(line.size() - 2);
    fuzzExpect(!body.contains('\r') && !body.contains('\n') && !body.contains('\0'),
               "a LogBox line holds no line break and no NUL");
    fuzzExpect(body.split(',').size() == 14, "a LogBox line keeps its 14 fields apart");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const QByteArray text = entryText(input);
    const KelvoRecord entry = decodeBoxLogEntry(text);
    const QStringList cells = BoxLogFormat::tableCells(entry);
    const QByteArray line = BoxLogFormat::logBoxLine(entry);
    fuzzExpect(cells.size() == BoxLogFormat::kColumnCount, "a table row has 14 cells");
    checkLine(line);
    if (!isBoxLogEntryText(text)) {
        fuzzExpect(isUnreadBoxLogEntry(entry), "text that is not a whole entry gives no entry");
        fuzzExpect(line.startsWith(",,,"), "an entry not read has no date, time or operation");
        return 0;
    }
    const QByteArray bytes = QByteArray::fromHex(text.left(kBoxLogEntryTextLength));
    const QString operation = bytes.at(7) == 1 ? QStringLiteral("WRITE") : QStringLiteral("READ");
    fuzzExpect(entry.mOperation == operation && cells.at(2) == operation,
               "the operation word's low byte tells a write");
    fuzzExpect(entry.mTimestamp.isValid(), "a whole entry has its time stamp");
    fuzzExpect(QByteArray(entry.mSerialNumber.data(), 10) == bytes.mid(28, 10) &&
                   QByteArray(entry.mKelvoSerialNumber.data(), 8) == bytes.mid(64, 8),
               "the serial numbers are the image's characters");
    return 0;
}
