#ifndef SERIALTEXT_H
#define SERIALTEXT_H

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <iterator>

// The serial numbers are fixed-size character arrays without terminator.
namespace SerialText {

// Takes the characters from the start of the text as 8-bit Latin-1 codes. A shorter text is
// filled up with spaces: visible in the fields and the log, and never read as digits.
template <typename Characters> void store(const QString& text, Characters& characters)
{
    const QByteArray latin1 = text.toLatin1();
    for (std::size_t index = 0; index < std::size(characters); ++index) {
        characters[index] =
            index < static_cast<std::size_t>(latin1.size()) ? latin1[int(index)] : ' ';
    }
}

template <typename Characters> QString text(const Characters& characters)
{
    return QString::fromLatin1(&characters[0], int(std::size(characters)));
}

// The first count characters only, for a serial number whose end is unknown.
template <typename Characters> QString text(const Characters& characters, std::size_t count)
{
    return QString::fromLatin1(&characters[0], int(std::min(count, std::size(characters))));
}

} // namespace SerialText

#endif
