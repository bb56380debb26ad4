#include "box/boxlogformat.h"

#include "drivers/boxlogentry.h"
#include "kelvo/recordfields.h"
#include "kelvo/serialtext.h"
#include "kelvo/statusformat.h"

#include <QHash>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {

enum LineField
{
    kDateField,
    kTimeField,
    kOperationField,
    kActivationDepthField,
    kFilterField,
    kBatteryField,
    kSupercapField,
    kThresholdField,
    kFirmwareField,
    kMaxDepthField,
    kMeasuredActivationDepthField,
    kSerialField,
    kKelvoSerialField,
    kErrorFlagsField
};

// Digits only, as decimal() writes them, up to the field's largest value.
template <typename Unsigned> bool parseUnsigned(const QByteArray& text, Unsigned& value)
{
    if (text.isEmpty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const unsigned number = text.toUInt();
    value = Unsigned(number);
    return number <= std::numeric_limits<Unsigned>::max();
}

template <typename Number> bool parseNumber(const QByteArray& text, Number& value)
{
    bool parsed = false;
    const double number = text.toDouble(&parsed);
    value = Number(number);
    return parsed && std::isfinite(number);
}

// The characters as written: a field of the right length that writing would not have changed.
template <typename Characters> bool parseCharacters(const QByteArray& text, Characters& characters)
{
    const auto written = [](char c) { return RecordFields::lineCharacter(c) == c; };
    if (std::size_t(text.size()) != std::size(characters) ||
        !std::all_of(text.begin(), text.end(), written)) {
        return false;
    }
    std::copy(text.begin(), text.end(), characters.begin());
    return true;
}

bool parseErrorFlags(const QByteArray& text, quint8& flags)
{
    static const QHash<QByteArray, quint8> flagsOfText = [] {
        QHash<QByteArray, quint8> texts;
        for (unsigned value = 0; value <= 0xFF; ++value) {
            texts.insert(StatusFormat::errorFlagsText(quint8(value)).toLatin1(), quint8(value));
        }
        return texts;
    }();
    const auto found = flagsOfText.constFind(text);
    if (found == flagsOfText.constEnd()) {
        return false;
    }
    flags = found.value();
    return true;
}

// The date and time as written, and only those: no other text gives the same fields back.
bool parseTimestamp(const QByteArray& date, const QByteArray& time, QDateTime& when)
{
    when = QDateTime(QDate::fromString(QString::fromLatin1(date), QStringLiteral("yyyyMMdd")),
                     QTime::fromString(QString::fromLatin1(time), QStringLiteral("hh:mm:ss")));
    return when.isValid() && RecordFields::date(when) == date && RecordFields::time(when) == time;
}

} // namespace

namespace BoxLogFormat {

QStringList tableHeaders()
{
    return {QStringLiteral("Date"),           QStringLiteral("Heure"),
            QStringLiteral("Action"),         QStringLiteral("Firmware"),
            QStringLiteral("Error"),          QStringLiteral("Act Depth"),
            QStringLiteral("Filter"),         QStringLiteral("Serial"),
            QStringLiteral("Bat level"),      QStringLiteral("SCap level"),
            QStringLiteral("Min Bat Thresh"), QStringLiteral("Act Depth m"),
            QStringLiteral("Max Depth m"),    QStringLiteral("Kelvo Serial")};
}

QStringList tableCells(const KelvoRecord& entry)
{
    if (isUnreadBoxLogEntry(entry)) {
        // As many empty cells as there are columns.
        return QVector<QString>(kColumnCount).toList();
    }
    return {QString::fromLatin1(RecordFields::date(entry.mTimestamp)),
            QString::fromLatin1(RecordFields::time(entry.mTimestamp)),
            entry.mOperation,
            QString::fromLatin1(RecordFields::general(double(entry.mFirmwareVersion))),
            StatusFormat::errorFlagsText(entry.mErrorFlags),
            QString::number(entry.mActivationDepth),
            QString::number(entry.mFilter),
            SerialText::text(entry.mSerialNumber),
            QString::number(entry.mBatteryLevel),
            QString::number(entry.mSupercapLevel),
            QString::number(entry.mBatteryThreshold),
            QString::fromLatin1(RecordFields::general(entry.mActivationMeasuredDepth)),
            QString::fromLatin1(RecordFields::general(entry.mMaxMeasuredDepth)),
            SerialText::text(entry.mKelvoSerialNumber)};
}

QByteArray logBoxLine(const KelvoRecord& entry)
{
    if (isUnreadBoxLogEntry(entry)) {
        return RecordFields::line(QByteArrayList() << QByteArray(kColumnCount - 1, ','));
    }
    return RecordFields::line({
        RecordFields::date(entry.mTimestamp),
        RecordFields::time(entry.mTimestamp),
        entry.mOperation.toLatin1(),
        RecordFields::decimal(entry.mActivationDepth),
        RecordFields::decimal(entry.mFilter),
        RecordFields::decimal(entry.mBatteryLevel),
        RecordFields::decimal(entry.mSupercapLevel),
        RecordFields::decimal(entry.mBatteryThreshold),
        RecordFields::general(double(entry.mFirmwareVersion)),
        RecordFields::general(entry.mMaxMeasuredDepth),
        RecordFields::general(entry.mActivationMeasuredDepth),
        RecordFields::lineCharacters(entry.mSerialNumber),
        RecordFields::lineCharacters(entry.mKelvoSerialNumber),
        StatusFormat::errorFlagsText(entry.mErrorFlags).toLatin1(),
    });
}

std::optional<KelvoRecord> parseLogBoxLine(const QByteArray& line)
{
    QByteArray text = line;
    if (text.endsWith('\n')) {
        text.chop(text.endsWith("\r\n") ? 2 : 1);
    }
    if (text == QByteArray(kColumnCount - 1, ',')) {
        return unreadBoxLogEntry();
    }
    const QByteArrayList fields = text.split(',');
    if (fields.size() != kColumnCount) {
        return std::nullopt;
    }
    KelvoRecord entry;
    entry.mOperation = QString::fromLatin1(fields.at(kOperationField));
    const bool parsed =
        parseTimestamp(fields.at(kDateField), fields.at(kTimeField), entry.mTimestamp) &&
        (entry.mOperation == QLatin1String("READ") || entry.mOperation == QLatin1String("WRITE")) &&
        parseUnsigned(fields.at(kActivationDepthField), entry.mActivationDepth) &&
        parseUnsigned(fields.at(kFilterField), entry.mFilter) &&
        parseUnsigned(fields.at(kBatteryField), entry.mBatteryLevel) &&
        parseUnsigned(fields.at(kSupercapField), entry.mSupercapLevel) &&
        parseUnsigned(fields.at(kThresholdField), entry.mBatteryThreshold) &&
        parseNumber(fields.at(kFirmwareField), entry.mFirmwareVersion) &&
        parseNumber(fields.at(kMaxDepthField), entry.mMaxMeasuredDepth) &&
        parseNumber(fields.at(kMeasuredActivationDepthField), entry.mActivationMeasuredDepth) &&
        parseCharacters(fields.at(kSerialField), entry.mSerialNumber) &&
        parseCharacters(fields.at(kKelvoSerialField), entry.mKelvoSerialNumber) &&
        parseErrorFlags(fields.at(kErrorFlagsField), entry.mErrorFlags);
    if (!parsed) {
        return std::nullopt;
    }
    return entry;
}

} // namespace BoxLogFormat
