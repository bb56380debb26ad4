#include "box/boxlogformat.h"

#include "drivers/boxlogentry.h"
#include "kelvo/recordfields.h"
#include "kelvo/serialtext.h"
#include "kelvo/statusformat.h"

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
        QStringList cells;
        cells.reserve(kColumnCount);
        for (int column = 0; column < kColumnCount; ++column) {
            cells << QString();
        }
        return cells;
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

} // namespace BoxLogFormat
