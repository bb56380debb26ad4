#ifndef OVERVIEWCSV_H
#define OVERVIEWCSV_H

#include <QByteArray>

struct KelvoSummary;

// The per-Kelvo overview as CSV lines for scripts and reports, each ending in LF.
namespace OverviewCsv {

// serial,kelvo_serial,entries,first_seen,last_seen,activation_depth,filter,battery_mv,
// lowest_battery_mv,supercap_mv,error_flags,attention
QByteArray header();

// The times as "yyyyMMdd hh:mm:ss", the error flags as the status display writes them, the
// attention reasons separated by ";" (empty when none).
QByteArray line(const KelvoSummary& kelvo);

} // namespace OverviewCsv

#endif
