#include "kelvo/recordfields.h"

namespace RecordFields {

QByteArray date(const QDateTime& when)
{
    const QDate day = when.date();
    return QString::asprintf("%04d%02d%02d", day.year(), day.month(), day.day()).toLatin1();
}

QByteArray time(const QDateTime& when)
{
    const QTime clock = when.time();
    return QString::asprintf("%02d:%02d:%02d", clock.hour(), clock.minute(), clock.second())
        .toLatin1();
}

QByteArray decimal(unsigned value)
{
    return QByteArray::number(value);
}

QByteArray general(double value)
{
    return QByteArray::number(value, 'g', 6);
}

QByteArray line(const QByteArrayList& fields)
{
    return fields.join(',') + "\r\n";
}

} // namespace RecordFields
