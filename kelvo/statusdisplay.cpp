#include "app/mainwindow.h"

#include "drivers/kelvodevice.h"
#include "kelvo/entryrules.h"
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

// Each field shows its value's text, empty when the value is not known.
void showTexts(const KelvoRecord& record,
               std::initializer_list<std::pair<QLineEdit*, TagField>> fields)
{
    for (const auto& [field, tagField] : fields)
        field->setText(StatusFormat::fieldText(record, tagField));
}

void showStatuses(const KelvoRecord& record, QLineEdit* errorField, QLineEdit* firmwareField)
{
    showStatus(errorField, record, TagField::ErrorFlags, record.mErrorFlags != 0);
    showStatus(firmwareField, record, TagField::FirmwareVersion,
               !StatusFormat::isFirmwareVersionSound(record.mFirmwareVersion));
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
    QStringList filters;
    for (int filter = EntryRules::kFilter.minimum; filter <= EntryRules::kFilter.maximum; ++filter)
        filters << QString::number(filter);
    fillAndSelect(mUi->Cmb_Filter, filters, StatusFormat::fieldText(record, TagField::Filter));
    showTexts(record, {{mUi->LnEd_BatMin, TagField::BatteryThreshold},
                       {mUi->LnEd_LastDepth, TagField::MaxMeasuredDepth},
                       {mUi->LnEd_ActDepthM, TagField::ActivationMeasuredDepth},
                       {mUi->LnEd_SerialNumber, TagField::SerialNumber},
                       {mUi->LnEd_SerialNumberKelvo, TagField::KelvoSerialStart}});
    showLevels(record);
    mUi->LnEd_Streamer->setText(QString::number(record.mStreamer));
    mUi->LnEd_Device->setText(QString::number(record.mDevice));
    showStatuses(record, mUi->LnEd_Error, mUi->LnEd_FirmwareVersion);
    return true;
}

bool MainWindow::refreshAdvanced()
{
    const KelvoRecord& record = mKelvoDevice->record();
    showTexts(record, {{mUi->LnEd_ActivationDepth_Adv, TagField::ActivationDepth},
                       {mUi->LnEd_BatMin_Adv, TagField::BatteryThreshold},
                       {mUi->LnEd_LastDepth_Adv, TagField::MaxMeasuredDepth},
                       {mUi->LnEd_ActDepthM_Adv, TagField::ActivationMeasuredDepth},
                       {mUi->LnEd_Filter_Adv, TagField::Filter},
                       {mUi->LnEd_SerialNumber_Adv, TagField::SerialNumber},
                       {mUi->LnEd_SerialNumberKelvo_Adv, TagField::KelvoSerialStart}});
    showLevels(record);
    mUi->LnEd_Streamer_Adv->setText(QString::number(record.mStreamer));
    mUi->LnEd_Device_Adv->setText(QString::number(record.mDevice));
    showStatuses(record, mUi->LnEd_Error_Adv, mUi->LnEd_FirmwareVersion_Adv);
    return true;
}
