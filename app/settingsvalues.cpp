#include "app/settingsvalues.h"

#include "kelvo/entryrules.h"

#include <QChar>
#include <QString>

namespace SettingsValues {
namespace {

// The whole number that a stored number or its text names; none for anything else.
bool wholeNumber(const QVariant& stored, int& value)
{
    bool parsed = false;
    value = stored.toString().toInt(&parsed, 10);
    return parsed;
}

} // namespace

quint8 depth(const QVariant& stored, quint8 fallback)
{
    int value = 0;
    if (!wholeNumber(stored, value) || value < EntryRules::kActivationDepth.minimum ||
        value > EntryRules::kActivationDepth.maximum)
        return fallback;
    return static_cast<quint8>(value);
}

char letter(const QVariant& stored, char fallback)
{
    int code = 0;
    if (!wholeNumber(stored, code) || code < -128 || code > 255)
        return fallback;
    const char character = static_cast<char>(code);
    const QChar latin1 = QChar::fromLatin1(character);
    return latin1.isPrint() && character != ',' ? character : fallback;
}

} // namespace SettingsValues
