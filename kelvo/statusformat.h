#ifndef STATUSFORMAT_H
#define STATUSFORMAT_H

#include "kelvo/kelvorecord.h"

#include <QString>

// Texts and looks of the Kelvo status shown on the Simplified and Advanced tabs. Plain functions,
// so that the log file and the error dialog use exactly what the tabs show.
namespace StatusFormat {

extern const char* const kBarLowStyle;
extern const char* const kBarGoodStyle;
extern const char* const kLabelLowStyle;
extern const char* const kLabelGoodStyle;
extern const char* const kFieldAlarmStyle;
extern const char* const kFieldNormalStyle;
// A level not known: an en dash, in the label's size but neither the good nor the low colour.
extern const char* const kLabelUnknownStyle;
QString unknownLevelText();

// The words of the set error flags in bit order, or " No Error " when none is set.
QString errorFlagsText(quint8 flags);

// A level is shown as low when it is below the battery threshold.
bool isLevelLow(quint16 millivolts, quint16 threshold);

// Firmware versions outside 1.5 to 3.5 are shown as an alarm.
bool isFirmwareVersionSound(float version);

// "%04.1f": the firmware version, 2.5 as 02.5.
QString firmwareVersionText(float version);

// "%05.1f": a depth in metres, 12.3 as 012.3.
QString depthText(double metres);

// The level label: the value followed by " mV".
QString levelText(quint16 millivolts);

// A field of the record as the tabs show it: empty when the record does not know it, and only
// the known start of the Kelvo serial number (either of its fields). A write tells an entry the
// operator typed by comparing it with this.
QString fieldText(const KelvoRecord& record, TagField field);

} // namespace StatusFormat

#endif
