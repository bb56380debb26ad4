#include "box/overviewcsv.h"

#include "box/kelvooverview.h"
#include "kelvo/recordfields.h"
#include "kelvo/statusformat.h"

namespace {

QByteArray timeText(const QDateTime& when)
{
    return RecordFields::date(when) + ' ' + RecordFields::time(when);
}

// A serial number from a file may hold a quote; such a field is quoted, its quotes doubled.
QByteArray textField(const QString& text)
{
    QByteArray field = text.toLatin1();
    if (field.contains('"')) {
        field = '"' + field.replace("\"", "\"\"") + '"';
    }
    return field;
}

} // namespace

namespace OverviewCsv {

QByteArray header()
{
    return "serial,kelvo_serial,entries,first_seen,last_seen,activation_depth,filter,battery_mv,"
           "lowest_battery_mv,supercap_mv,error_flags,attention\n";
}

QByteArray line(const KelvoSummary& kelvo)
{
    const KelvoRecord& latest = kelvo.mLatest;
    const QByteArrayList fields = {
        textField(kelvo.mSerialNumber),
        textField(kelvo.mKelvoSerialNumber),
        RecordFields::decimal(unsigned(kelvo.mEntries)),
        timeText(kelvo.mFirstSeen),
        timeText(kelvo.mLastSeen),
        RecordFields::decimal(latest.mActivationDepth),
        RecordFields::decimal(latest.mFilter),
        RecordFields::decimal(latest.mBatteryLevel),
        RecordFields::decimal(kelvo.mLowestBattery),
        RecordFields::decimal(latest.mSupercapLevel),
        StatusFormat::errorFlagsText(latest.mErrorFlags).toLatin1(),
        kelvo.mAttention.join(QLatin1Char(';')).toLatin1(),
    };
    return fields.join(',') + '\n';
}

} // namespace OverviewCsv
