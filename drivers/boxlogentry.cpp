#include "drivers/boxlogentry.h"

#include "kelvo/tagencoding.h"

#include <QTimeZone>

namespace {

constexpr int kTimestampAt = 0;
constexpr int kOperationLowByteAt = 14;
constexpr int kFirmwareAt = 16;
constexpr int kErrorFlagsAt = 22;
constexpr int kActivationDepthAt = 26;
constexpr int kFilterAt = 28;
constexpr int kSerialNumberAt = 56;
constexpr int kBatteryAt = 80;
constexpr int kSupercapAt = 82;
constexpr int kMeasuredActivationDepthAt = 104;
constexpr int kMaxMeasuredDepthAt = 112;
constexpr int kBatteryThresholdAt = 126;
constexpr int kKelvoSerialNumberAt = 128;

constexpr quint8 kWriteOperation = 1;
constexpr int kRawDepthOffset = 60;
constexpr double kRawDepthPerMetre = 3.6;

int hexDigit(char character)
{
    if (character >= '0' && character <= '9') {
        return character - '0';
    }
    if (character >= 'a' && character <= 'f') {
        return character - 'a' + 10;
    }
    if (character >= 'A' && character <= 'F') {
        return character - 'A' + 10;
    }
    return -1;
}

// The characters from first on as one number, most significant digit first. The text has been
// checked to be hex.
quint32 field(const QByteArray& text, int first, int characters)
{
    quint32 value = 0;
    for (int index = first; index < first + characters; ++index) {
        value = (value << 4) | quint32(hexDigit(text.at(index)));
    }
    return value;
}

template <typename Characters>
void takeCharacters(const QByteArray& text, int first, Characters& out)
{
    for (std::size_t index = 0; index < out.size(); ++index) {
        out[index] = static_cast<char>(field(text, first + 2 * int(index), 2));
    }
}

// Local time through the system's time zone rules, read once: the C library would look at the
// zone file again for every entry of a long log.
QDateTime localTimeSince2010(qint32 seconds)
{
    static const QTimeZone zone = QTimeZone::systemTimeZone();
    static const QDateTime epoch = zone.isValid() ? QDateTime(QDate(2010, 1, 1), QTime(0, 0), zone)
                                                  : QDateTime(QDate(2010, 1, 1), QTime(0, 0));
    return epoch.addSecs(seconds);
}

double metresOfRaw(quint32 raw)
{
    return (int(raw) - kRawDepthOffset) / kRawDepthPerMetre;
}

} // namespace

bool isBoxLogEntryText(const QByteArray& text)
{
    if (text.size() < kBoxLogEntryTextLength) {
        return false;
    }
    for (int index = 0; index < kBoxLogEntryTextLength; ++index) {
        if (hexDigit(text.at(index)) < 0) {
            return false;
        }
    }
    return true;
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
    if (!isBoxLogEntryText(text)) {
        return entry;
    }
    // The seconds count is signed: 0x80000000 and above fall before 2010.
    entry.mTimestamp = localTimeSince2010(qint32(field(text, kTimestampAt, 8)));
    entry.mOperation = field(text, kOperationLowByteAt, 2) == kWriteOperation
                           ? QStringLiteral("WRITE")
                           : QStringLiteral("READ");
    entry.mFirmwareVersion = static_cast<float>(field(text, kFirmwareAt, 2) / 10.0);
    entry.mErrorFlags = quint8(field(text, kErrorFlagsAt, 2));
    entry.mActivationDepth = quint8(field(text, kActivationDepthAt, 2));
    entry.mFilter = quint16(field(text, kFilterAt, 4));
    takeCharacters(text, kSerialNumberAt, entry.mSerialNumber);
    entry.mBatteryLevel = millivoltsFromVoltageCode(quint8(field(text, kBatteryAt, 2)));
    entry.mSupercapLevel = millivoltsFromVoltageCode(quint8(field(text, kSupercapAt, 2)));
    const quint32 rawActivationDepth = field(text, kMeasuredActivationDepthAt, 4);
    entry.mActivationMeasuredDepth =
        rawActivationDepth == 0 ? 0.0 : metresOfRaw(rawActivationDepth);
    entry.mMaxMeasuredDepth = metresOfRaw(field(text, kMaxMeasuredDepthAt, 4));
    entry.mBatteryThreshold =
        millivoltsFromVoltageCode(quint8(field(text, kBatteryThresholdAt, 2)));
    takeCharacters(text, kKelvoSerialNumberAt, entry.mKelvoSerialNumber);
    return entry;
}
