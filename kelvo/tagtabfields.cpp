#include "app/mainwindow.h"

#include "kelvo/tabentries.h"
#include "ui_mainwindow.h"

TabEntries MainWindow::tabEntries(TagTab tab) const
{
    if (tab == TagTab::Simplified) {
        return {mUi->Cmb_Depth->currentText(),       mUi->Cmb_Filter->currentText(),
                mUi->LnEd_Streamer->text(),          mUi->LnEd_Device->text(),
                mUi->LnEd_SerialNumberKelvo->text(), mUi->LnEd_BatMin->text(),
                mUi->LnEd_SerialNumber->text()};
    }
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
