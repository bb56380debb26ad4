#include "kelvo/statusformat.h"

namespace StatusFormat {

const char* const kBarLowStyle =
    "QProgressBar::chunk {background: QLinearGradient( x1: 0, y1: 0, x2: 1, y2: 0,stop: 0 "
    "#CC0000,stop: 0.5 #FF0000,stop: 0.5 #CC0000,stop: 1 #FF0000 ); border-radius: 5px;}";
const char* const kBarGoodStyle =
    "QProgressBar::chunk {background: QLinearGradient( x1: 0, y1: 0, x2: 1, y2: 0,stop: 0 "
    "#8CC63F,stop: 0.5 #00FF00,stop: 0.5 #8CC63F,stop: 1 #00FF00 ); border-radius: 5px;}";
const char* const kLabelLowStyle = "color: red; font: bold 24pt Arial;";
const char* const kLabelGoodStyle = "color: #8CC63F; font: bold 24pt Arial;";
const char* const kFieldAlarmStyle = "background-color:#FF0000; color:#FFFFFF; font: arial; "
                                     "font-weight:bold; font-size: 20pt;";
const char* const kFieldNormalStyle = "background-color:#8CC63F; color:#FFFFFF; font: arial; "
                                      "font-weight:bold; font-size: 20pt;";

QString errorFlagsText(quint8 flags)
{
    static const char* const kWords[8] = {" Load ", " Press ",    " Sensor ", " Timer ",
                                          " Bat ",  " Supercap ", " EEPROM ", " Watchdog "};
    QString text;
    if (flags == 0) {
        text += QLatin1String(" No Error ");
    }
    for (int bit = 0; bit < 8; ++bit) {
        if (flags & (1u << bit)) {
            text += QLatin1String(kWords[bit]);
        }
    }
    return text;
}

bool isLevelLow(quint16 millivolts, quint16 threshold)
{
    return millivolts < threshold;
}

bool isFirmwareVersionSound(float version)
{
    return version >= 1.5f && version <= 3.5f;
}

QString firmwareVersionText(float version)
{
    return QString::asprintf("%04.1f", static_cast<double>(version));
}

QString depthText(double metres)
{
    return QString::asprintf("%05.1f", metres);
}

QString levelText(quint16 millivolts)
{
    return QString::number(millivolts) + QLatin1String(" mV");
}

} // namespace StatusFormat
