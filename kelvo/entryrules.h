#ifndef ENTRYRULES_H
#define ENTRYRULES_H

#include <QString>

// What the tool accepts from the operator before anything reaches a tag or the settings.
namespace EntryRules {

// The values a number entry takes, and the digits its keypad offers for them.
struct NumberRange
{
    int minimum;
    int maximum;
    int maxLength;

    // "(minimum to maximum)", as the warnings name the range.
    QString bounds() const;
    constexpr bool contains(long long value) const { return value >= minimum && value <= maximum; }
};

constexpr NumberRange kActivationDepth = {25, 150, 3};
constexpr NumberRange kFilter = {4, 10, 2};
constexpr NumberRange kPosition = {0, 99, 2};
// Millivolts.
constexpr NumberRange kBatteryThreshold = {2442, 4002, 4};

// Number characters only, and a whole value from 25 to 150 metres (281 fails; it is not taken as
// its low 8 bits). An empty text fails.
bool isValidActivationDepth(const QString& text);

// Number characters only, and a value from 4 to 10.
bool isValidFilter(const QString& text);

// Once upper-cased, only 0-9 and A-Z; an empty text passes.
bool isValidSerialNumber(const QString& text);

// Text the operations log holds as typed: Latin-1 printable characters, no comma.
bool isLoggableText(const QString& text);

// The decimal value of an entry as the record stores it: its low 8 or 16 bits, 0 for a text that
// is not a decimal number.
quint8 entryByte(const QString& text);
quint16 entryWord(const QString& text);

} // namespace EntryRules

#endif
