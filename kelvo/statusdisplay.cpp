#include "app/mainwindow.h"

#include "drivers/kelvodevice.h"
#include "kelvo/serialtext.h"
#include "kelvo/statusformat.h"
#include "ui_mainwindow.h"

namespace {

// Fills a list with the given items, then selects the value, appending it when it is missing.
void fillAndSelect(QComboBox* list, const QStringList& items, const QString& value)
{
    list->clear();
    list->addItems(items);
    int index = list->findText(value);
    if (index < 0) {
        list->addItem(value);
        index = list->count() - 1;
    }
    list->setCurrentIndex(index);
}

void showErrorFlags(QLineEdit* field, quint8 flags)
{
    field->setText(StatusFormat::errorFlagsText(flags));
    field->setStyleSheet(QLatin1String(flags != 0 ? StatusFormat::kFieldAlarmStyle
                                                  : StatusFormat::kFieldNormalStyle));
}

void colourFirmwareVersion(QLineEdit* field, float version)
{
    field->setStyleSheet(QLatin1String(StatusFormat::isFirmwareVersionSound(version)
                                           ? StatusFormat::kFieldNormalStyle
                                           : StatusFormat::kFieldAlarmStyle));
}

// Characters that were not read from the tag are left out, never shown from an earlier Kelvo.
QString kelvoSerialNumberText(const KelvoRecord& record)
{
    return SerialText::text(record.mKelvoSerialNumber, record.knownKelvoSerialCharacters());
}

} // namespace

bool MainWindow::showLevel(int kind, quint16 value)
{
    QProgressBar* bars[2];
    QLabel* labels[2];
    if (kind == 1) {
        bars[0] = mUi->Pgb_Battery1;
        bars[1] = mUi->Pgb_Battery1_Adv;
        labels[0] = mUi->Pgb_Battery1_label;
        labels[1] = mUi->Pgb_Battery1_Adv_label;
    } else if (kind == 2) {
        bars[0] = mUi->Pgb_Battery2;
        bars[1] = mUi->Pgb_Battery2_Adv;
        labels[0] = mUi->Pgb_Battery2_label;
        labels[1] = mUi->Pgb_Battery2_Adv_label;
    } else {
        return false;
    }
    const bool low = StatusFormat::isLevelLow(value, mKelvoDevice->record().mBatteryThreshold);
    for (int tab = 0; tab < 2; ++tab) {
        bars[tab]->setStyleSheet(
            QLatin1String(low ? StatusFormat::kBarLowStyle : StatusFormat::kBarGoodStyle));
        labels[tab]->setStyleSheet(
            QLatin1String(low ? StatusFormat::kLabelLowStyle : StatusFormat::kLabelGoodStyle));
        bars[tab]->setValue(value);
        labels[tab]->setText(StatusFormat::levelText(value));
    }
    return true;
}

bool MainWindow::refreshSimplified()
{
    const KelvoRecord& record = mKelvoDevice->record();
    QStringList presets;
    for (const quint8 depth : record.mPresetDepths) {
        presets << QString::number(depth);
    }
    fillAndSelect(mUi->Cmb_Depth, presets, QString::number(record.mActivationDepth));
    mUi->LnEd_BatMin->setText(QString::number(record.mBatteryThreshold));
    showLevel(1, record.mBatteryLevel);
    showLevel(2, record.mSupercapLevel);
    mUi->LnEd_FirmwareVersion->setText(StatusFormat::firmwareVersionText(record.mFirmwareVersion));
    mUi->LnEd_LastDepth->setText(StatusFormat::depthText(record.mMaxMeasuredDepth));
    mUi->LnEd_ActDepthM->setText(StatusFormat::depthText(record.mActivationMeasuredDepth));
    fillAndSelect(mUi->Cmb_Filter,
                  {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                   QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9"),
                   QStringLiteral("10")},
                  QString::number(record.mFilter));
    mUi->LnEd_Streamer->setText(QString::number(record.mStreamer));
    mUi->LnEd_Device->setText(QString::number(record.mDevice));
    mUi->LnEd_SerialNumber->setText(SerialText::text(record.mSerialNumber));
    showErrorFlags(mUi->LnEd_Error, record.mErrorFlags);
    mUi->LnEd_SerialNumberKelvo->setText(kelvoSerialNumberText(record));
    colourFirmwareVersion(mUi->LnEd_FirmwareVersion, record.mFirmwareVersion);
    return true;
}

bool MainWindow::refreshAdvanced()
{
    const KelvoRecord& record = mKelvoDevice->record();
    mUi->LnEd_ActivationDepth_Adv->setText(QString::number(record.mActivationDepth));
    mUi->LnEd_BatMin_Adv->setText(QString::number(record.mBatteryThreshold));
    showLevel(1, record.mBatteryLevel);
    showLevel(2, record.mSupercapLevel);
    mUi->LnEd_FirmwareVersion_Adv->setText(
        StatusFormat::firmwareVersionText(record.mFirmwareVersion));
    mUi->LnEd_LastDepth_Adv->setText(StatusFormat::depthText(record.mMaxMeasuredDepth));
    mUi->LnEd_ActDepthM_Adv->setText(StatusFormat::depthText(record.mActivationMeasuredDepth));
    mUi->LnEd_Filter_Adv->setText(QString::number(record.mFilter));
    mUi->LnEd_Streamer_Adv->setText(QString::number(record.mStreamer));
    mUi->LnEd_Device_Adv->setText(QString::number(record.mDevice));
    mUi->LnEd_SerialNumber_Adv->setText(SerialText::text(record.mSerialNumber));
    mUi->LnEd_SerialNumberKelvo_Adv->setText(kelvoSerialNumberText(record));
    showErrorFlags(mUi->LnEd_Error_Adv, record.mErrorFlags);
    colourFirmwareVersion(mUi->LnEd_FirmwareVersion_Adv, record.mFirmwareVersion);
    return true;
}
