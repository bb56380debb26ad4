#include "app/mainwindow.h"

#include "dialogs/bargraph.h"
#include "dialogs/warningdialog.h"
#include "drivers/kelvodevice.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

namespace {
const char* const kSuccessStyle = "background-color: #8CC63F;";
const char* const kFailureStyle = "background-color: #FF0000;";

enum Tab
{
    kSimplifiedTab = 0,
    kAdvancedTab = 1,
    kAdminTab = 2,
    kStandaloneBoxTab = 3
};
} // namespace

bool MainWindow::ensureReader()
{
    if (!mKelvoDevice->isConnected()) {
        mKelvoDevice->connectReader();
    }
    if (!mKelvoDevice->isConnected()) {
        return false;
    }
    if (mKelvoDevice->isStandaloneBox()) {
        mUi->TabW_menu->setTabEnabled(kStandaloneBoxTab, true);
    }
    return true;
}

void MainWindow::showOutcome(QPushButton* button, bool success, QMessageBox::Icon kind,
                             const QString& text)
{
    button->setStyleSheet(QLatin1String(success ? kSuccessStyle : kFailureStyle));
    QMessageBox box(kind, tr("Varrow"), text, QMessageBox::Ok, this);
    box.exec();
}

bool MainWindow::claimTag(QPushButton* button)
{
    if (!ensureReader()) {
        showOutcome(button, false, QMessageBox::Critical,
                    tr("No Antenna detected, please plug one"));
        return false;
    }
    if (!mKelvoDevice->tagPresent()) {
        showOutcome(button, false, QMessageBox::Critical,
                    tr("Impossible to read the tag, check your antenna"));
        return false;
    }
    if (!mKelvoDevice->setRfAccess(true)) {
        showOutcome(button, false, QMessageBox::Critical,
                    tr("RFid memory seems to be locked by the microcontroller"));
        return false;
    }
    return true;
}

void MainWindow::on_TabW_menu_currentChanged(int index)
{
    switch (index) {
    case kSimplifiedTab:
        mUi->Btn_Read->setText(tr("READ"));
        mUi->Btn_Write->setText(tr("WRITE"));
        refreshSimplified();
        if (!mSkipSimplifiedWarning) {
            mWarningDialog->show(0);
        }
        mSkipSimplifiedWarning = false;
        break;
    case kAdvancedTab:
        mUi->Btn_Read->setText(tr("READ"));
        mUi->Btn_Write->setText(tr("WRITE"));
        refreshAdvanced();
        mWarningDialog->show(1);
        break;
    case kAdminTab:
        mUi->Btn_Read->setText(tr("READ SETUP"));
        mUi->Btn_Write->setText(tr("WRITE SETUP"));
        showAdminSetup();
        mWarningDialog->show(2);
        break;
    case kStandaloneBoxTab:
        mUi->Btn_Read->setText(tr("READ DATA FROM BOX"));
        mUi->Btn_Write->setText(tr("CONFIGURE BOX"));
        showBoxConfig();
        // There are only three pictures; the box tab shares the Admin one.
        mWarningDialog->show(2);
        // With another reader this makes no exchange and the fields keep their values.
        mKelvoDevice->readBoxConfig();
        showBoxConfig();
        break;
    default:
        break;
    }
}

void MainWindow::on_Btn_Read_clicked()
{
    QPushButton* button = mUi->Btn_Read;
    const QString savedStyle = button->styleSheet();
    switch (mUi->TabW_menu->currentIndex()) {
    case kAdminTab:
        readSetup();
        showOutcome(button, true, QMessageBox::Information, tr("Read operation was successfull"));
        break;
    case kStandaloneBoxTab:
        readBoxLog();
        break;
    default:
        if (claimTag(button)) {
            mBarGraph->show();
            mBarGraph->setReadMode();
            mBarGraph->setValue(10);
            const int tab = mUi->TabW_menu->currentIndex();
            const bool success = tab == kSimplifiedTab ? readSimplified()
                                 : tab == kAdvancedTab ? readAdvanced()
                                                       : false;
            mKelvoDevice->setRfAccess(false);
            mBarGraph->setValue(100);
            mBarGraph->hide();
            if (success) {
                showOutcome(button, true, QMessageBox::Information,
                            tr("Read operation was successfull"));
            } else {
                showOutcome(button, false, QMessageBox::Critical, tr("Read Error"));
            }
        }
        break;
    }
    button->setStyleSheet(savedStyle);
}

void MainWindow::on_Btn_Write_clicked()
{
    QPushButton* button = mUi->Btn_Write;
    const QString savedStyle = button->styleSheet();
    mBarGraph->show();
    mBarGraph->setWriteMode();
    mBarGraph->setValue(10);
    const int tab = mUi->TabW_menu->currentIndex();
    switch (tab) {
    case kSimplifiedTab:
    case kAdvancedTab:
        if (claimTag(button)) {
            const bool success = tab == kSimplifiedTab ? writeSimplified() : writeAdvanced();
            mKelvoDevice->setRfAccess(false);
            reportWrite(button, success);
        }
        break;
    case kAdminTab:
        reportWrite(button, writeSetup());
        break;
    case kStandaloneBoxTab:
        configureBox();
        break;
    default:
        break;
    }
    mBarGraph->setValue(100);
    mBarGraph->hide();
    button->setStyleSheet(savedStyle);
}

void MainWindow::reportWrite(QPushButton* button, bool success)
{
    if (success) {
        showOutcome(button, true, QMessageBox::Information, tr("Write operation was successfull"));
    } else {
        showOutcome(button, false, QMessageBox::Information,
                    tr("Write operation failed, try again"));
    }
}
