#include "drivers/hexframe.h"

#include <algorithm>

namespace {

constexpr std::size_t flagsPosition = 4;
constexpr std::size_t dataPosition = 6;
constexpr std::size_t dataDigits = 8;
constexpr quint32 tagErrorFlag = 0x01;

int hexDigitValue(char digit)
{
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    if (digit >= 'a' && digit <= 'f')
        return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F')
        return digit - 'A' + 10;
    return -1;
}

// "80" followed by the length byte and response flags without the tag's error flag.
bool isTagFrame(const char* answer, std::size_t length)
{
    quint32 flags = 0;
    return length >= dataPosition && answer[0] == '8' && answer[1] == '0' &&
           parseHex(answer + 2, 2, flags) && parseHex(answer + flagsPosition, 2, flags) &&
           (flags & tagErrorFlag) == 0;
}

// Why an answer that was not accepted failed.
Outcome frameOutcome(const char* answer, std::size_t length)
{
    quint32 code = 0;
    quint32 flags = 0;
    if (length < 2 || !parseHex(answer, 2, code))
        return Outcome::BadAnswer;
    if (code != 0x80)
        return isReaderErrorCode(static_cast<quint8>(code)) ? Outcome::NoTag : Outcome::BadAnswer;
    if (length < dataPosition || !parseHex(answer + flagsPosition, 2, flags))
        return Outcome::BadAnswer;
    return (flags & tagErrorFlag) != 0 ? Outcome::DeviceError : Outcome::BadAnswer;
}

QByteArray lowerHex(quint32 value, int digits)
{
    return QByteArray::number(value, 16).rightJustified(digits, '0');
}

} // namespace

bool parseHex(const char* digits, std::size_t count, quint32& value)
{
    quint32 parsed = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const int digit = hexDigitValue(digits[i]);
        if (digit < 0)
            return false;
        parsed = (parsed << 4) | static_cast<quint32>(digit);
    }
    value = parsed;
    return true;
}

QByteArray protocolSelectCommand()
{
    return QByteArrayLiteral("010D");
}

QByteArray blockNumberHex(quint16 block)
{
    return lowerHex(block & 0xFFu, 2) + lowerHex(block >> 8, 2);
}

QByteArray blockValueHex(quint32 value)
{
    return lowerHex(value, 8);
}

QByteArray readSingleBlockCommand(quint16 block)
{
    return QByteArrayLiteral("0A20") + blockNumberHex(block);
}

QByteArray writeSingleBlockCommand(quint16 block, quint32 value)
{
    return QByteArrayLiteral("0A21") + blockNumberHex(block) + blockValueHex(value);
}

std::size_t answerLength(const char* answer, std::size_t capacity)
{
    return static_cast<std::size_t>(std::find(answer, answer + capacity, '\0') - answer);
}

bool parseReadAnswer(const char* answer, std::size_t capacity, quint32& value)
{
    const std::size_t length = answerLength(answer, capacity);
    return length >= dataPosition + dataDigits && isTagFrame(answer, length) &&
           parseHex(answer + dataPosition, dataDigits, value);
}

bool isWriteAnswerAccepted(const char* answer, std::size_t capacity)
{
    return isTagFrame(answer, answerLength(answer, capacity));
}

Outcome readAnswerOutcome(const char* answer, std::size_t capacity)
{
    quint32 ignored = 0;
    if (parseReadAnswer(answer, capacity, ignored))
        return Outcome::Done;
    return frameOutcome(answer, answerLength(answer, capacity));
}

Outcome writeAnswerOutcome(const char* answer, std::size_t capacity)
{
    if (isWriteAnswerAccepted(answer, capacity))
        return Outcome::Done;
    return frameOutcome(answer, answerLength(answer, capacity));
}

bool isReaderErrorCode(quint8 code)
{
    return code > 0x80 && code <= 0x8F;
}
