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
    return RecordFields::line({
        dateAndTime(when),
        action,
        RecordFields::decimal(record.mActivationDepth),
        RecordFields::decimal(record.mFilter),
        RecordFields::decimal(record.mBatteryLevel),
        RecordFields::decimal(record.mSupercapLevel),
        RecordFields::decimal(record.mBatteryThreshold),
        RecordFields::general(static_cast<double>(record.mFirmwareVersion)),
        RecordFields::general(record.mMaxMeasuredDepth),
        RecordFields::general(record.mActivationMeasuredDepth),
        position,
        RecordFields::lineCharacters(record.mSerialNumber),
        RecordFields::lineCharacters(record.mKelvoSerialNumber)
            .left(record.knownKelvoSerialCharacters()),
        StatusFormat::errorFlagsText(record.mErrorFlags).toLatin1(),
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

} // namespace OperationLogLine
