#include "app/operationlogline.h"

#include "kelvo/kelvorecord.h"
#include "kelvo/recordfields.h"
#include "kelvo/statusformat.h"

#include <QFile>

namespace OperationLogLine {
namespace {

QByteArray dateAndTime(const QDateTime& when)
{
    return RecordFields::date(when) + ',' + RecordFields::time(when);
}

} // namespace

QByteArray tagOperation(const KelvoRecord& record, const QByteArray& action, const QDateTime& when)
{
    const QByteArray position =
        QString::asprintf("%c%02d%c%02d", RecordFields::lineCharacter(record.mPositionLetters[0]),
                          int(record.mStreamer),
                          RecordFields::lineCharacter(record.mPositionLetters[1]),
                          int(record.mDevice))
            .toLatin1();
    // A value not known of this Kelvo is an empty field.
    const auto known = [&record](TagField field, const QByteArray& text) {
        return record.isKnown(field) ? text : QByteArray();
    };
    return RecordFields::line({
        dateAndTime(when),
        action,
        known(TagField::ActivationDepth, RecordFields::decimal(record.mActivationDepth)),
        known(TagField::Filter, RecordFields::decimal(record.mFilter)),
        known(TagField::BatteryLevel, RecordFields::decimal(record.mBatteryLevel)),
        known(TagField::SupercapLevel, RecordFields::decimal(record.mSupercapLevel)),
        known(TagField::BatteryThreshold, RecordFields::decimal(record.mBatteryThreshold)),
        known(TagField::FirmwareVersion,
              RecordFields::general(static_cast<double>(record.mFirmwareVersion))),
        known(TagField::MaxMeasuredDepth, RecordFields::general(record.mMaxMeasuredDepth)),
        known(TagField::ActivationMeasuredDepth,
              RecordFields::general(record.mActivationMeasuredDepth)),
        position,
        known(TagField::SerialNumber, RecordFields::lineCharacters(record.mSerialNumber)),
        RecordFields::lineCharacters(record.mKelvoSerialNumber)
            .left(record.knownKelvoSerialCharacters()),
        known(TagField::ErrorFlags, StatusFormat::errorFlagsText(record.mErrorFlags).toLatin1()),
    });
}

QByteArray setup(const KelvoRecord& record, const QByteArray& action, const QDateTime& when)
{
    QByteArray line = dateAndTime(when) + ',' + action;
    for (const quint8 depth : record.mPresetDepths) {
        line += ',' + RecordFields::decimal(depth);
    }
    return line +
           QString::asprintf(",StreamerID : %c,DeviceID : %c",
                             RecordFields::lineCharacter(record.mPositionLetters[0]),
                             RecordFields::lineCharacter(record.mPositionLetters[1]))
               .toLatin1() +
           "\r\n";
}

bool append(const QString& path, const QByteArray& line, QString* reason)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (reason != nullptr)
            *reason = file.errorString();
        return false;
    }
    // A line that did not reach the file is reported like a file that did not open.
    const bool written = file.write(line) == line.size() && file.flush();
    if (!written && reason != nullptr)
        *reason = file.errorString();
    file.close();
    return written;
}

bool canAppend(const QString& path, QString* reason)
{
    return append(path, QByteArray(), reason);
}

} // namespace OperationLogLine
