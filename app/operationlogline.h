#ifndef OPERATIONLOGLINE_H
#define OPERATIONLOGLINE_H

#include <QByteArray>
#include <QDateTime>
#include <QString>

struct KelvoRecord;

// The lines of the operations log, byte for byte: comma-separated Latin-1 fields ending in CR LF.
namespace OperationLogLine {

// date,time,action,depth,filter,battery,supercap,threshold,firmware,max depth,measured
// activation depth,position code,serial number,Kelvo serial number,error text
QByteArray tagOperation(const KelvoRecord& record, const QByteArray& action, const QDateTime& when);

// date,time,action,depth 1,depth 2,depth 3,StreamerID : x,DeviceID : y
QByteArray setup(const KelvoRecord& record, const QByteArray& action, const QDateTime& when);

// Appends one line to the file, creating it when missing. False when the file cannot be opened or
// the line cannot be written out; the system's reason is then given in reason, when asked for.
bool append(const QString& path, const QByteArray& line, QString* reason = nullptr);

// Whether the file can be opened for appending; it is created when missing, as the first line
// would create it.
bool canAppend(const QString& path, QString* reason);

} // namespace OperationLogLine

#endif
