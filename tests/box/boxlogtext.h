#ifndef BOXLOGTEXT_H
#define BOXLOGTEXT_H

#include <QByteArray>

#include <initializer_list>
#include <utility>

// The text of a box log entry: 144 zeros with the given hex characters put in from position at.
inline QByteArray boxLogText(std::initializer_list<std::pair<int, const char*>> fields)
{
    QByteArray text(144, '0');
    for (const auto& field : fields) {
        const QByteArray characters(field.second);
        text.replace(field.first, characters.size(), characters);
    }
    return text;
}

#endif
