#include "drivers/boxlogentry.h"

#include "drivers/hexframe.h"
#include "kelvo/tagmemorymap.h"

#include <QTimeZone>

#include <optional>

namespace {

constexpr quint8 kWriteOperation = 1;
// The text as big-endian 32-bit words of 8 hex characters: the time stamp, the operation word and
// tag blocks 0 to 15.
constexpr int kWordCharacters = 8;
constexpr int kBlocksFrom = 2;
constexpr int kEntryWords = kBlocksFrom + kTagBlockCount;

// Local time through the system's time zone rules, read once: the C library would look at the
// zone file again for every entry of a long log.
QDateTime localTimeSince2010(qint32 seconds)
{
    static const QTimeZone zone = QTimeZone::systemTimeZone();
    static const QDateTime epoch = zone.isValid() ? QDateTime(QDate(2010, 1, 1), QTime(0, 0), zone)
                                                  : QDateTime(QDate(2010, 1, 1), QTime(0, 0));
    return epoch.addSecs(seconds);
}

using EntryWords = std::array<quint32, kEntryWords>;

// The words of a whole entry at the start of the text; none unless all are there and hex.
std::optional<EntryWords> entryWords(const QByteArray& text)
{
    EntryWords words{};
    if (text.size() < kBoxLogEntryTextLength)
        return std::nullopt;
    for (int index = 0; index < kEntryWords; ++index) {
        if (!parseHex(text.constData() + index * kWordCharacters, kWordCharacters, words[index]))
            return std::nullopt;
    }
    return words;
}

} // namespace

bool isBoxLogEntryText(const QByteArray& text)
{
    return entryWords(text).has_value();
}

KelvoRecord unreadBoxLogEntry()
{
    return KelvoRecord();
}

bool isUnreadBoxLogEntry(const KelvoRecord& entry)
{
    return entry.mOperation.isEmpty();
}

KelvoRecord decodeBoxLogEntry(const QByteArray& text)
{
    KelvoRecord entry = unreadBoxLogEntry();
    const std::optional<EntryWords> read = entryWords(text);
    if (!read)
        return entry;
    const EntryWords& words = *read;
    // The seconds count is signed: 0x80000000 and above fall before 2010.
    entry.mTimestamp = localTimeSince2010(qint32(words[0]));
    entry.mOperation =
        (words[1] & 0xFF) == kWriteOperation ? QStringLiteral("WRITE") : QStringLiteral("READ");
    for (const TagBlock& block : kTagMemoryMap)
        decodeTagBlock(block, words[kBlocksFrom + block.number], entry, DepthRule::BoxLog);
    return entry;
}
