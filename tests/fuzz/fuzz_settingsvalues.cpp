// Settings values as loadSettings converts them: the kinds of value a store can hand back
// (numbers of every width, huge and negative ones, floating point, texts, lists, nothing), each
// taken as a preset depth and as a position letter.

#include "app/settingsvalues.h"
#include "tests/fuzz/fuzzinput.h"

#include <QStringList>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// What the tool promises for a whole number n within the integer range, stored as a number or as
// its text: the depth keeps its low 8 bits, the letter is the byte that n names, if any.
void checkWholeNumber(const QVariant& stored, qint64 n)
{
    if (n < INT_MIN || n > INT_MAX)
        return;
    fuzzExpect(SettingsValues::depth(stored) == quint8(n & 0xFF), "a depth keeps the low 8 bits");
    const char letter = n >= -128 && n <= 255 ? char(n) : '\0';
    fuzzExpect(SettingsValues::letter(stored) == letter, "a letter is the byte its code names");
}

// What saveSettings writes comes back unchanged, as a number and as the text a file store keeps.
void checkRoundTrip(quint8 depth, char letter)
{
    const int letterCode = static_cast<signed char>(letter);
    fuzzExpect(SettingsValues::depth(QVariant(unsigned(depth))) == depth, "a saved depth reloads");
    fuzzExpect(SettingsValues::depth(QVariant(QString::number(depth))) == depth,
               "a saved depth reloads from its text");
    fuzzExpect(SettingsValues::letter(QVariant(letterCode)) == letter, "a saved letter reloads");
    fuzzExpect(SettingsValues::letter(QVariant(QString::number(letterCode))) == letter,
               "a saved letter reloads from its text");
}

QVariant storedValue(FuzzInput& input, qint64& wholeNumber, bool& isWholeNumber)
{
    isWholeNumber = true;
    switch (input.byte() % 11) {
    case 0:
        wholeNumber = qint32(input.value32());
        return QVariant(int(wholeNumber));
    case 1:
        wholeNumber = input.value32();
        return QVariant(uint(wholeNumber));
    case 2:
        wholeNumber = qint64(input.value64());
        return QVariant(qlonglong(wholeNumber));
    case 3:
        wholeNumber = qint32(input.value32());
        return QVariant(QString::number(wholeNumber));
    case 4:
        wholeNumber = qint64(input.value64());
        return QVariant(QString::number(wholeNumber));
    default:
        break;
    }
    isWholeNumber = false;
    switch (input.byte() % 6) {
    case 0: {
        const quint64 bits = input.value64();
        double number = 0;
        std::memcpy(&number, &bits, sizeof number);
        return QVariant(number);
    }
    case 1:
        return QVariant(QString::fromUtf8(input.rest()));
    case 2:
        return QVariant(QString::fromLatin1(input.rest()));
    case 3:
        return QVariant(input.rest());
    case 4:
        return QVariant(QString::fromLatin1(input.rest()).split(QLatin1Char(',')));
    default:
        return QVariant();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const quint8 depth = input.byte();
    checkRoundTrip(depth, static_cast<char>(input.byte()));
    qint64 wholeNumber = 0;
    bool isWholeNumber = false;
    const QVariant stored = storedValue(input, wholeNumber, isWholeNumber);
    if (isWholeNumber) {
        checkWholeNumber(stored, wholeNumber);
    } else {
        SettingsValues::depth(stored);
        SettingsValues::letter(stored);
    }
    return 0;
}
