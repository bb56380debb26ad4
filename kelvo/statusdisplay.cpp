#include "app/mainwindow.h"

#include "drivers/kelvodevice.h"
#include "kelvo/statusformat.h"
#include "ui_mainwindow.h"

namespace {

// Fills a list with the given items, then selects the value, appending it when it is missing. An
// empty value selects nothing.
void fillAndSelect(QComboBox* list, const QStringList& items, const QString& value)
{
    list->clear();
    list->addItems(items);
    if (value.isEmpty()) {
        list->setCurrentIndex(-1);
        return;
    }
    int index = list->findText(value);
    if (index < 0) {
        list->addItem(value);
        index = list->count() - 1;
    }
    list->setCurrentIndex(index);
}

// A status field in the alarm or the normal colour; one not known is empty, in neither.
void showStatus(QLineEdit* field, const KelvoRecord& record, TagField tagField, bool alarm)
{
    field->setText(StatusFormat::fieldText(record, tagField));
    const char* const style = !record.isKnown(tagField) ? ""
                              : alarm                   ? StatusFormat::kFieldAlarmStyle
                                                        : StatusFormat::kFieldNormalStyle;
    field->setStyleSheet(QLatin1String(style));
}

bool isFirmwareAlarm(const KelvoRecord& record)
{
    return !StatusFormat::isFirmwareVersionSound(record.mFirmwareVersion);
}

} // namespace

// A level not known shows as an empty bar and "–"; a level known against a threshold not known
// is shown in neither colour.
void MainWindow::showLevels(const KelvoRecord& record)
{
    const std::pair<TagField, quint16> levels[] = {
        {TagField::BatteryLevel, record.mBatteryLevel},
        {TagField::SupercapLevel, record.mSupercapLevel}};
    for (int kind = 1; kind <= 2; ++kind) {
        const auto& [field, value] = levels[kind - 1];
        if (!record.isKnown(field)) {
            setLevelWidgets(kind, 0, StatusFormat::unknownLevelText(), StatusFormat::kBarGoodStyle,
                            StatusFormat::kLabelUnknownStyle);
        } else if (!record.isKnown(TagField::BatteryThreshold)) {
            setLevelWidgets(kind, value, StatusFormat::levelText(value), "",
                            StatusFormat::kLabelUnknownStyle);
        } else {
            showLevel(kind, value);
        }
    }
}

bool MainWindow::showLevel(int kind, quint16 value)
{
    if (kind != 1 && kind != 2) {
        return false;
    }
    const bool low = StatusFormat::isLevelLow(value, mKelvoDevice->record().mBatteryThreshold);
    setLevelWidgets(kind, value, StatusFormat::levelText(value),
                    low ? StatusFormat::kBarLowStyle : StatusFormat::kBarGoodStyle,
                    low ? StatusFormat::kLabelLowStyle : StatusFormat::kLabelGoodStyle);
    return true;
}

void MainWindow::setLevelWidgets(int kind, int value, const QString& text, const char* barStyle,
                                 const char* labelStyle)
{
    QProgressBar* const bars[] = {kind == 1 ? mUi->Pgb_Battery1 : mUi->Pgb_Battery2,
                                  kind == 1 ? mUi->Pgb_Battery1_Adv : mUi->Pgb_Battery2_Adv};
    QLabel* const labels[] = {kind == 1 ? mUi->Pgb_Battery1_label : mUi->Pgb_Battery2_label,
                              kind == 1 ? mUi->Pgb_Battery1_Adv_label
                                        : mUi->Pgb_Battery2_Adv_label};
    for (int tab = 0; tab < 2; ++tab) {
        bars[tab]->setStyleSheet(QLatin1String(barStyle));
        labels[tab]->setStyleSheet(QLatin1String(labelStyle));
        bars[tab]->setValue(value);
        labels[tab]->setText(text);
    }
}

bool MainWindow::refreshSimplified()
{
    const KelvoRecord& record = mKelvoDevice->record();
    QStringList presets;
    for (const quint8 depth : record.mPresetDepths) {
        presets << QString::number(depth);
    }
    fillAndSelect(mUi->Cmb_Depth, presets,
                  StatusFormat::fieldText(record, TagField::ActivationDepth));
    mUi->LnEd_BatMin->setText(StatusFormat::fieldText(record, TagField::BatteryThreshold));
    showLevels(record);
    mUi->LnEd_LastDepth->setText(StatusFormat::fieldText(record, TagField::MaxMeasuredDepth));
    mUi->LnEd_ActDepthM->setText(
        StatusFormat::fieldText(record, TagField::ActivationMeasuredDepth));
    fillAndSelect(mUi->Cmb_Filter,
                  {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                   QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                   QStringLiteral("10")},
                  StatusFormat::fieldText(record, TagField::Filter));
    mUi->LnEd_Streamer->setText(QString::number(record.mStreamer));
    mUi->LnEd_Device->setText(QString::number(record.mDevice));
    mUi->LnEd_SerialNumber->setText(StatusFormat::fieldText(record, TagField::SerialNumber));
    showStatus(mUi->LnEd_Error, record, TagField::ErrorFlags, record.mErrorFlags != 0);
    mUi->LnEd_SerialNumberKelvo->setText(
        StatusFormat::fieldText(record, TagField::KelvoSerialStart));
    showStatus(mUi->LnEd_FirmwareVersion, record, TagField::FirmwareVersion,
               isFirmwareAlarm(record));
    return true;
}

bool MainWindow::refreshAdvanced()
{
    const KelvoRecord& record = mKelvoDevice->record();
    mUi->LnEd_ActivationDepth_Adv->setText(
        StatusFormat::fieldText(record, TagField::ActivationDepth));
    mUi->LnEd_BatMin_Adv->setText(StatusFormat::fieldText(record, TagField::BatteryThreshold));
    showLevels(record);
    mUi->LnEd_LastDepth_Adv->setText(StatusFormat::fieldText(record, TagField::MaxMeasuredDepth));
    mUi->LnEd_ActDepthM_Adv->setText(
        StatusFormat::fieldText(record, TagField::ActivationMeasuredDepth));
    mUi->LnEd_Filter_Adv->setText(StatusFormat::fieldText(record, TagField::Filter));
    mUi->LnEd_Streamer_Adv->setText(QString::number(record.mStreamer));
    mUi->LnEd_Device_Adv->setText(QString::number(record.mDevice));
    mUi->LnEd_SerialNumber_Adv->setText(StatusFormat::fieldText(record, TagField::SerialNumber));
    mUi->LnEd_SerialNumberKelvo_Adv->setText(
        StatusFormat::fieldText(record, TagField::KelvoSerialStart));
    showStatus(mUi->LnEd_Error_Adv, record, TagField::ErrorFlags, record.mErrorFlags != 0);
    showStatus(mUi->LnEd_FirmwareVersion_Adv, record, TagField::FirmwareVersion,
               isFirmwareAlarm(record));
    return true;
}
