#ifndef BOXLOGFORMAT_H
#define BOXLOGFORMAT_H

#include <QByteArray>
#include <QStringList>

#include <optional>

struct KelvoRecord;

// How a downloaded box log entry is shown in the log table and saved in the LogBox file. An entry
// that could not be read gets empty cells and fields: no value of it may pass for data.
namespace BoxLogFormat {

constexpr int kColumnCount = 14;

// "Date", "Heure", "Action", "Firmware", "Error", "Act Depth", "Filter", "Serial", "Bat level",
// "SCap level", "Min Bat Thresh", "Act Depth m", "Max Depth m", "Kelvo Serial".
QStringList tableHeaders();

// The 14 cells of the entry's row, in the order of the headers.
QStringList tableCells(const KelvoRecord& entry);

// The entry's line of the LogBox file, 8-bit text ending in CR LF: date, time, operation,
// activation depth, filter, battery, supercap, threshold, firmware, maximum depth, measured
// activation depth, serial number, Kelvo serial number, error text.
QByteArray logBoxLine(const KelvoRecord& entry);

// The entry a line of a LogBox file holds, its line ending (CR LF or LF) optional: the line that
// logBoxLine writes for it, field for field, or the empty fields of an entry that could not be
// read. Files are untrusted: anything else, a number out of its field's range or an error text
// that no flags give, is no entry.
std::optional<KelvoRecord> parseLogBoxLine(const QByteArray& line);

} // namespace BoxLogFormat

#endif
