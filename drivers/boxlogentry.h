#ifndef BOXLOGENTRY_H
#define BOXLOGENTRY_H

#include "kelvo/kelvorecord.h"

#include <QByteArray>

// One entry of the Standalone Box's log: 72 bytes sent as 144 hex characters, big-endian, made of
// a time stamp (seconds since 2010-01-01 00:00:00 local time), an operation word and an image of
// the Kelvo's tag blocks 0 to 15 as the box read or wrote them.

constexpr int kBoxLogEntryTextLength = 144;

// True when the text starts with a whole entry: 144 hex characters in either case. Whatever
// follows them is the box's concern.
bool isBoxLogEntryText(const QByteArray& text);

// An entry that could not be read: a null time stamp and no operation. Its other fields mean
// nothing and are never shown.
KelvoRecord unreadBoxLogEntry();
bool isUnreadBoxLogEntry(const KelvoRecord& entry);

// The entry's values. Unlike a tag read, the measured depths keep their negative values: raw 0 of
// the activation depth is 0.0, any other raw value (raw - 60) / 3.6, and the maximum depth is
// (raw - 60) / 3.6 for every raw value. Text that is not a whole entry gives an unread entry.
KelvoRecord decodeBoxLogEntry(const QByteArray& text);

#endif
