#include "app/mainwindow.h"

#include "dialogs/errordisplay.h"
#include "drivers/kelvodevice.h"
#include "kelvo/entryrules.h"
#include "keyboard/alphakeyboard.h"
#include "keyboard/numkeyboard.h"
#include "ui_mainwindow.h"

// A tap on an entry field opens its keyboard over the whole window. The fields only change here;
// the values reach the Kelvo, the box or the settings when the user presses Read or Write. Once
// the window has closed, its keyboards are gone and a tap opens nothing.

bool MainWindow::enterNumber(QLineEdit* field, const QString& caption,
                             const EntryRules::NumberRange& range)
{
    if (mNumKeyBoard == nullptr) {
        return false;
    }
    mNumKeyBoard->setRange(range.minimum, range.maximum, range.maxLength);
    mNumKeyBoard->setLabel(caption, field->text().toInt());
    if (mNumKeyBoard->show(geometry().size(), pos()) != 1) {
        return false;
    }
    field->setText(QString::number(mNumKeyBoard->value()));
    return true;
}

void MainWindow::enterText(QLineEdit* field, const QString& caption, int maxLength)
{
    if (mAlphaKeyBoard == nullptr) {
        return;
    }
    mAlphaKeyBoard->setMaxLength(maxLength);
    mAlphaKeyBoard->setLabel(caption, field->text());
    if (mAlphaKeyBoard->show(geometry().size(), pos()) != 1) {
        return;
    }
    field->setText(mAlphaKeyBoard->text());
}

void MainWindow::onLnEd_Streamer_clicked()
{
    enterNumber(mUi->LnEd_Streamer, tr("Streamer : "), EntryRules::kPosition);
}

void MainWindow::onLnEd_Device_clicked()
{
    enterNumber(mUi->LnEd_Device, tr("Device : "), EntryRules::kPosition);
}

void MainWindow::onLnEd_Streamer_Adv_clicked()
{
    enterNumber(mUi->LnEd_Streamer_Adv, tr("Streamer : "), EntryRules::kPosition);
}

void MainWindow::onLnEd_Device_Adv_clicked()
{
    enterNumber(mUi->LnEd_Device_Adv, tr("Device : "), EntryRules::kPosition);
}

void MainWindow::onLnEd_ActivationDepth1_clicked()
{
    enterNumber(mUi->LnEd_ActivationDepth1, tr("Predefined Activation Depth : "),
                EntryRules::kActivationDepth);
}

void MainWindow::onLnEd_ActivationDepth2_clicked()
{
    enterNumber(mUi->LnEd_ActivationDepth2, tr("Predefined Activation Depth : "),
                EntryRules::kActivationDepth);
}

void MainWindow::onLnEd_ActivationDepth3_clicked()
{
    enterNumber(mUi->LnEd_ActivationDepth3, tr("Predefined Activation Depth : "),
                EntryRules::kActivationDepth);
}

void MainWindow::onLnEd_ActivationDepth_Adv_clicked()
{
    // The Advanced tab puts this depth back into its field when a write rejects the field.
    if (enterNumber(mUi->LnEd_ActivationDepth_Adv, tr("Activation Depth : "),
                    EntryRules::kActivationDepth)) {
        mKelvoDevice->record().mAdvancedActivationDepth =
            static_cast<quint8>(mUi->LnEd_ActivationDepth_Adv->text().toInt());
    }
}

void MainWindow::onLnEd_Filter_Adv_clicked()
{
    enterNumber(mUi->LnEd_Filter_Adv, tr("Filter : "), EntryRules::kFilter);
}

void MainWindow::onLnEd_DeviceID_clicked()
{
    enterText(mUi->LnEd_DeviceID, tr("Device ID : "), 1);
}

void MainWindow::onLnEd_StreamerID_clicked()
{
    enterText(mUi->LnEd_StreamerID, tr("Streamer ID : "), 1);
}

void MainWindow::onLnEd_SerialNumberKelvo_clicked()
{
    enterText(mUi->LnEd_SerialNumberKelvo, tr("Kelvo Serial Number : "), 8);
}

void MainWindow::onLnEd_SerialNumberKelvo_Adv_clicked()
{
    enterText(mUi->LnEd_SerialNumberKelvo_Adv, tr("Kelvo Serial Number : "), 8);
}

void MainWindow::onLnEd_Error_clicked()
{
    // Flags that were not read light nothing, not even "No Error".
    ErrorDisplay explanation(this);
    if (mKelvoDevice->record().isKnown(TagField::ErrorFlags))
        explanation.setErrorFlags(mKelvoDevice->record().mErrorFlags);
    explanation.exec();
}

void MainWindow::onLnEd_ActivationDepth_SBox_clicked()
{
    // The box's depth is the box's own setting: it does not touch the Advanced tab's record.
    // CONFIGURE BOX accepts exactly the keypads' ranges.
    enterNumber(mUi->LnEd_ActivationDepth_SBox, tr("Activation Depth : "),
                EntryRules::kActivationDepth);
}

void MainWindow::onLnEd_Filter_SBox_clicked()
{
    enterNumber(mUi->LnEd_Filter_SBox, tr("Filter : "), EntryRules::kFilter);
}

void MainWindow::onLnEd_BatMin_clicked()
{
    enterNumber(mUi->LnEd_BatMin, tr("Battery Minimum Threshold : "),
                EntryRules::kBatteryThreshold);
}

void MainWindow::onLnEd_BatMin_Adv_clicked()
{
    enterNumber(mUi->LnEd_BatMin_Adv, tr("Battery Minimum Threshold : "),
                EntryRules::kBatteryThreshold);
}

void MainWindow::onLnEd_SerialNumber_clicked()
{
    enterText(mUi->LnEd_SerialNumber, tr("Board Serial Number : "), 10);
}

void MainWindow::onLnEd_SerialNumber_Adv_clicked()
{
    enterText(mUi->LnEd_SerialNumber_Adv, tr("Board Serial Number : "), 10);
}
