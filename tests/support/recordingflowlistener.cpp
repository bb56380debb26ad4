#include "tests/support/recordingflowlistener.h"

#include "box/boxlogformat.h"
#include "kelvo/kelvorecord.h"
#include "kelvo/statusformat.h"

namespace {

// The record field by field as both tabs show it ("field number=text"), then the colours of the
// levels and of the firmware version.
QStringList tabFields(TagTab tab, const KelvoRecord& record)
{
    QStringList fields{QLatin1String(tab == TagTab::Simplified ? "tab=Simplified" : "tab=Advanced"),
                       QStringLiteral("streamer=%1").arg(record.mStreamer),
                       QStringLiteral("device=%1").arg(record.mDevice)};
    for (int field = 0; field < int(TagField::Count); ++field)
        fields << QStringLiteral("%1=").arg(field) +
                      StatusFormat::fieldText(record, TagField(field));
    for (const quint16 level : {record.mBatteryLevel, record.mSupercapLevel}) {
        fields << (!record.isKnown(TagField::BatteryThreshold) ? QStringLiteral("no colour")
                   : StatusFormat::isLevelLow(level, record.mBatteryThreshold)
                       ? QStringLiteral("low")
                       : QStringLiteral("good"));
    }
    fields << QLatin1String(
        StatusFormat::isFirmwareVersionSound(record.mFirmwareVersion) ? "sound" : "alarm");
    return fields;
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
