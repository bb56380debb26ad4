#include "app/operationlogline.h"

#include "kelvo/kelvorecord.h"
#include "kelvo/statusformat.h"

#include <QFile>

#include <cstddef>
#include <iterator>

namespace OperationLogLine {
namespace {

QByteArray dateAndTime(const QDateTime& when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    return QString::asprintf("%02d%02d%02d,%02d:%02d:%02d", date.year(), date.month(), date.day(),
                             time.hour(), time.minute(), time.second())
        .toLatin1();
}

QByteArray decimal(unsigned value)
{
    return QByteArray::number(value);
}

QByteArray shortest(double value)
{
    return QByteArray::number(value, 'g', 6);
}

// Characters read from a tag are untrusted: a comma, a line break or a NUL among them would break
// the structure of the log, so those become '?'. Everything else is written as it is.
template <typename Characters> QByteArray tagCharacters(const Characters& characters)
{
    QByteArray text;
    for (std::size_t index = 0; index < std::size(characters); ++index) {
        const char character = characters[index];
        const bool breaksLine =
            character == ',' || character == '\r' || character == '\n' || character == '\0';
        text += breaksLine ? '?' : character;
    }
    return text;
}

} // namespace

QByteArray tagOperation(const KelvoRecord& record, const QByteArray& action, const QDateTime& when)
{
    const QByteArray position =
        QString::asprintf("%c%02d%c%02d", record.mPositionLetters[0], int(record.mStreamer),
                          record.mPositionLetters[1], int(record.mDevice))
            .toLatin1();
    const QList<QByteArray> fields = {
        dateAndTime(when),
        action,
        decimal(record.mActivationDepth),
        decimal(record.mFilter),
        decimal(record.mBatteryLevel),
        decimal(record.mSupercapLevel),
        decimal(record.mBatteryThreshold),
        shortest(static_cast<double>(record.mFirmwareVersion)),
        shortest(record.mMaxMeasuredDepth),
        shortest(record.mActivationMeasuredDepth),
        position,
        tagCharacters(record.mSerialNumber),
        tagCharacters(record.mKelvoSerialNumber),
        StatusFormat::errorFlagsText(record.mErrorFlags).toLatin1(),
    };
    QByteArray line;
    for (const QByteArray& field : fields) {
        if (!line.isEmpty()) {
            line += ',';
        }
        line += field;
    }
    return line + "\r\n";
}

QByteArray setup(const KelvoRecord& record, const QByteArray& action, const QDateTime& when)
{
    return dateAndTime(when) + ',' + action + ',' + decimal(record.mPresetDepths[0]) + ',' +
           decimal(record.mPresetDepths[1]) + ',' + decimal(record.mPresetDepths[2]) + ',' +
           QString::asprintf("StreamerID : %c,DeviceID : %c", record.mPositionLetters[0],
                             record.mPositionLetters[1])
               .toLatin1() +
           "\r\n";
}

bool append(const QString& path, const QByteArray& line)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return false;
    }
    // A line that did not reach the file is reported like a file that did not open.
    const bool written = file.write(line) == line.size() && file.flush();
    file.close();
    return written;
}

} // namespace OperationLogLine
