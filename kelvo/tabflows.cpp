#include "app/mainwindow.h"

#include "drivers/kelvodevice.h"
#include "kelvo/tagsession.h"
#include "ui_mainwindow.h"

bool MainWindow::readSimplified()
{
    const FlowResult result = TagSession(*mKelvoDevice, *this).read(TagTab::Simplified);
    syncBoxTab();
    showOutcome(mUi->Btn_Read, result);
    return result.succeeded();
}

bool MainWindow::readAdvanced()
{
    const FlowResult result = TagSession(*mKelvoDevice, *this).read(TagTab::Advanced);
    syncBoxTab();
    showOutcome(mUi->Btn_Read, result);
    return result.succeeded();
}

void MainWindow::writeSimplified()
{
    runTagWrite(TagTab::Simplified, simplifiedEntries());
}

void MainWindow::writeAdvanced()
{
    runTagWrite(TagTab::Advanced, advancedEntries());
}

void MainWindow::runTagWrite(TagTab tab, const TabEntries& entries)
{
    const FlowResult result = TagSession(*mKelvoDevice, *this).write(tab, entries);
    syncBoxTab();
    showOutcome(mUi->Btn_Write, result);
}

TabEntries MainWindow::simplifiedEntries() const
{
    return {mUi->Cmb_Depth->currentText(),       mUi->Cmb_Filter->currentText(),
            mUi->LnEd_Streamer->text(),          mUi->LnEd_Device->text(),
            mUi->LnEd_SerialNumberKelvo->text(), mUi->LnEd_BatMin->text(),
            mUi->LnEd_SerialNumber->text()};
}

TabEntries MainWindow::advancedEntries() const
{
    return {mUi->LnEd_ActivationDepth_Adv->text(),   mUi->LnEd_Filter_Adv->text(),
            mUi->LnEd_Streamer_Adv->text(),          mUi->LnEd_Device_Adv->text(),
            mUi->LnEd_SerialNumberKelvo_Adv->text(), mUi->LnEd_BatMin_Adv->text(),
            mUi->LnEd_SerialNumber_Adv->text()};
}

void MainWindow::recordChanged(TagTab tab)
{
    if (tab == TagTab::Simplified) {
        refreshSimplified();
    } else {
        refreshAdvanced();
    }
}

void MainWindow::entryRejected(TabField field, const QString& restoredText)
{
    QLineEdit* const fields[] = {mUi->LnEd_ActivationDepth_Adv, mUi->LnEd_Filter_Adv,
                                 mUi->LnEd_SerialNumber_Adv};
    restoreRejectedField(fields[static_cast<int>(field)], restoredText);
}

// An accepted serial number stays in the field in upper case, as it is written.
void MainWindow::serialNumberAccepted(const QString& text)
{
    mUi->LnEd_SerialNumber_Adv->setText(text);
}

void MainWindow::restoreRejectedField(QLineEdit* field, const QString& text)
{
    field->setText(text);
    field->selectAll();
    field->setFocus(Qt::OtherFocusReason);
}
