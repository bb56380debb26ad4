// Settings values as loadSettings converts them: the kinds of value a store can hand back
// (numbers of every width, huge and negative ones, floating point, texts, lists, nothing), each
// taken as a preset depth and as a position letter.

#include "app/settingsvalues.h"
#include "tests/fuzz/fuzzinput.h"

#include <QChar>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr quint8 kFallbackDepth = 75;
constexpr char kFallbackLetter = 'S';

bool isAcceptedLetter(char letter)
{
    return QChar::fromLatin1(letter).isPrint() && letter != ',';
}

// What the tool promises for a whole number n, stored as a number or as its text: a depth from 25
// to 150 is taken, any other gives the default; a letter is the byte that n names when that is a
// printable character other than a comma, else the default.
void checkWholeNumber(const QVariant& stored, qint64 n)
{
    const bool depthInRange = n >= 25 && n <= 150;
    fuzzExpect(SettingsValues::depth(stored, kFallbackDepth) ==
                   (depthInRange ? quint8(n) : kFallbackDepth),
               "a depth is taken only from 25 to 150");
    const bool names = n >= -128 && n <= 255 && isAcceptedLetter(char(n));
    fuzzExpect(SettingsValues::letter(stored, kFallbackLetter) ==
                   (names ? char(n) : kFallbackLetter),
               "a letter is taken only when printable and not a comma");
}

// What saveSettings writes comes back unchanged, as a number and as the text a file store keeps.
void checkRoundTrip(quint8 depth, char letter)
{
    if (depth < 25 || depth > 150 || !isAcceptedLetter(letter))
        return;
    const int letterCode = static_cast<signed char>(letter);
    fuzzExpect(SettingsValues::depth(QVariant(unsigned(depth)), kFallbackDepth) == depth,
               "a saved depth reloads");
    fuzzExpect(SettingsValues::depth(QVariant(QString::number(depth)), kFallbackDepth) == depth,
               "a saved depth reloads from its text");
    fuzzExpect(SettingsValues::letter(QVariant(letterCode), kFallbackLetter) == letter,
               "a saved letter reloads");
    fuzzExpect(SettingsValues::letter(QVariant(QString::number(letterCode)), kFallbackLetter) ==
                   letter,
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
        const quint8 depth = SettingsValues::depth(stored, kFallbackDepth);
        fuzzExpect(depth == kFallbackDepth || (depth >= 25 && depth <= 150),
                   "no depth outside 25 to 150");
        const char letter = SettingsValues::letter(stored, kFallbackLetter);
        fuzzExpect(isAcceptedLetter(letter), "no letter that breaks a line");
    }
    return 0;
}
