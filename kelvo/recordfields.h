#ifndef RECORDFIELDS_H
#define RECORDFIELDS_H

#include <QByteArray>
#include <QByteArrayList>
#include <QDateTime>

#include <cstddef>
#include <iterator>

// The texts of a record's values as the log files and the box's log table write them.
namespace RecordFields {

// "yyyyMMdd" and "hh:mm:ss".
QByteArray date(const QDateTime& when);
QByteArray time(const QDateTime& when);

QByteArray decimal(unsigned value);

// The shortest of fixed and exponent notation with at most 6 significant digits and no trailing
// zeros: 2.5, 10, -16.6667, 1.23457e+06.
QByteArray general(double value);

// The fields separated by commas, ending in CR LF.
QByteArray line(const QByteArrayList& fields);

// Characters read from a tag or from the settings store are untrusted: a comma, a line break or a
// NUL among them would break the structure of a comma-separated line, so those become '?'.
// Everything else is kept.
inline char lineCharacter(char character)
{
    const bool breaksLine =
        character == ',' || character == '\r' || character == '\n' || character == '\0';
    return breaksLine ? '?' : character;
}

template <typename Characters> QByteArray lineCharacters(const Characters& characters)
{
    QByteArray text;
    text.reserve(int(std::size(characters)));
    for (std::size_t index = 0; index < std::size(characters); ++index) {
        text += lineCharacter(characters[index]);
    }
    return text;
}

} // namespace RecordFields

#endif
