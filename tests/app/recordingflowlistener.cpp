#include "tests/app/recordingflowlistener.h"

#include "box/boxlogformat.h"
#include "kelvo/kelvorecord.h"
#include "kelvo/serialtext.h"
#include "kelvo/statusformat.h"

namespace {

// A battery or supercap level with its bar's colour.
QString levelField(quint16 millivolts, quint16 threshold)
{
    return StatusFormat::levelText(millivolts) +
           QLatin1String(StatusFormat::isLevelLow(millivolts, threshold) ? " low" : " good");
}

// The record field by field as both tabs show it, each field with the text the window gives it.
QStringList tabFields(TagTab tab, const KelvoRecord& record)
{
    const QString sound = QLatin1String(
        StatusFormat::isFirmwareVersionSound(record.mFirmwareVersion) ? " sound" : " alarm");
    return {
        QLatin1String(tab == TagTab::Simplified ? "tab=Simplified" : "tab=Advanced"),
        QStringLiteral("activation depth=") + QString::number(record.mActivationDepth),
        QStringLiteral("filter=") + QString::number(record.mFilter),
        QStringLiteral("battery threshold=") + QString::number(record.mBatteryThreshold),
        QStringLiteral("battery=") + levelField(record.mBatteryLevel, record.mBatteryThreshold),
        QStringLiteral("supercap=") + levelField(record.mSupercapLevel, record.mBatteryThreshold),
        QStringLiteral("firmware=") + StatusFormat::firmwareVersionText(record.mFirmwareVersion) +
            sound,
        QStringLiteral("last depth=") + StatusFormat::depthText(record.mMaxMeasuredDepth),
        QStringLiteral("activation depth measured=") +
            StatusFormat::depthText(record.mActivationMeasuredDepth),
        QStringLiteral("streamer=") + QString::number(record.mStreamer),
        QStringLiteral("device=") + QString::number(record.mDevice),
        QStringLiteral("serial number=") + SerialText::text(record.mSerialNumber),
        QStringLiteral("error=") + StatusFormat::errorFlagsText(record.mErrorFlags),
        // Characters that were not read from the tag are not shown.
        QStringLiteral("Kelvo serial number=") +
            SerialText::text(record.mKelvoSerialNumber, record.knownKelvoSerialCharacters()),
    };
}

} // namespace

RecordingFlowListener::RecordingFlowListener(const KelvoRecord& record) : mRecord(record) {}

void RecordingFlowListener::showProgress(ProgressMode /*mode*/)
{
    mProgressShown = true;
}

void RecordingFlowListener::progress(int value)
{
    mProgressValues << value;
}

void RecordingFlowListener::hideProgress()
{
    mProgressShown = false;
}

void RecordingFlowListener::warning(const QString& title, const QString& text)
{
    mWarnings << title + QStringLiteral(": ") + text;
}

void RecordingFlowListener::recordChanged(TagTab tab)
{
    mShownRecord = tabFields(tab, mRecord);
}

void RecordingFlowListener::restoreField(Field field, const QString& text, bool refused)
{
    mFieldTexts << QStringLiteral("%1 %2: %3")
                       .arg(QLatin1String(refused ? "rejected" : "accepted"))
                       .arg(int(field))
                       .arg(text);
}

void RecordingFlowListener::tableStarted(int count)
{
    mTableRows = QStringList();
    for (int row = 0; row < count; ++row)
        mTableRows << QString();
}

void RecordingFlowListener::entryRead(int index, const KelvoRecord& entry)
{
    if (index >= 0 && index < mTableRows.size())
        mTableRows[index] = BoxLogFormat::tableCells(entry).join(QLatin1Char('|'));
    else
        mTableRows << QStringLiteral("row %1 outside the table: ").arg(index) +
                          BoxLogFormat::tableCells(entry).join(QLatin1Char('|'));
}

void RecordingFlowListener::tableFinished(int count, bool savedWhole)
{
    mTableRows << QStringLiteral("%1 entries, %2")
                      .arg(count)
                      .arg(QLatin1String(savedWhole ? "erase offered" : "erase not offered"));
}

bool RecordingFlowListener::agreeToErase(int count)
{
    mQuestions << QStringLiteral("erase %1 entries? yes").arg(count);
    return true;
}
