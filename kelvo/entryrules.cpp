#include "kelvo/entryrules.h"

namespace EntryRules {
namespace {

bool hasOnlyNumberCharacters(const QString& text)
{
    for (const QChar character : text) {
        if (!character.isNumber()) {
            return false;
        }
    }
    return true;
}

bool isNumberInRange(const QString& text, const NumberRange& range)
{
    if (!hasOnlyNumberCharacters(text)) {
        return false;
    }
    const unsigned value = text.toUInt();
    return value >= unsigned(range.minimum) && value <= unsigned(range.maximum);
}

} // namespace

QString NumberRange::bounds() const
{
    return QStringLiteral("(%1 to %2)").arg(minimum).arg(maximum);
}

bool isValidActivationDepth(const QString& text)
{
    return isNumberInRange(text, kActivationDepth);
}

bool isValidFilter(const QString& text)
{
    return isNumberInRange(text, kFilter);
}

bool isValidSerialNumber(const QString& text)
{
    const QString upper = text.toUpper();
    for (const QChar character : upper) {
        const ushort code = character.unicode();
        const bool digit = code >= '0' && code <= '9';
        const bool letter = code >= 'A' && code <= 'Z';
        if (!digit && !letter) {
            return false;
        }
    }
    return true;
}

bool isLoggableText(const QString& text)
{
    for (const QChar character : text) {
        if (character.unicode() > 0xFF || !character.isPrint() || character == QLatin1Char(','))
            return false;
    }
    return true;
}

quint8 entryByte(const QString& text)
{
    return static_cast<quint8>(text.toInt());
}

quint16 entryWord(const QString& text)
{
    return static_cast<quint16>(text.toInt());
}

} // namespace EntryRules
