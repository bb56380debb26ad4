#include "kelvo/statusformat.h"

#include "kelvo/serialtext.h"

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
const char* const kLabelUnknownStyle = "font: bold 24pt Arial;";

QString unknownLevelText()
{
    return QString(QChar(0x2013));
}

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

QString fieldText(const KelvoRecord& record, TagField field)
{
    if (field == TagField::KelvoSerialStart || field == TagField::KelvoSerialEnd) {
        return SerialText::text(record.mKelvoSerialNumber,
                                std::size_t(record.knownKelvoSerialCharacters()));
    }
    if (!record.isKnown(field))
        return QString();
    switch (field) {
    case TagField::ErrorFlags:
        return errorFlagsText(record.mErrorFlags);
    case TagField::FirmwareVersion:
        return firmwareVersionText(record.mFirmwareVersion);
    case TagField::ActivationDepth:
        return QString::number(record.mActivationDepth);
    case TagField::Filter:
        return QString::number(record.mFilter);
    case TagField::SerialNumber:
        return SerialText::text(record.mSerialNumber);
    case TagField::BatteryLevel:
        return levelText(record.mBatteryLevel);
    case TagField::SupercapLevel:
        return levelText(record.mSupercapLevel);
    case TagField::ActivationMeasuredDepth:
        return depthText(record.mActivationMeasuredDepth);
    case TagField::MaxMeasuredDepth:
        return depthText(record.mMaxMeasuredDepth);
    default:
        return QString::number(record.mBatteryThreshold);
    }
}

} // namespace StatusFormat
