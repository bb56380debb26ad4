#include "app/mainwindow.h"

#include "drivers/kelvodevice.h"
#include "ui_mainwindow.h"

bool MainWindow::ensureReader()
{
    if (!mKelvoDevice->isConnected()) {
        mKelvoDevice->connectReader();
    }
    if (!mKelvoDevice->isConnected()) {
        return false;
    }
    if (mKelvoDevice->isStandaloneBox()) {
        mUi->TabW_menu->setTabEnabled(3, true);
    }
    return true;
}

void MainWindow::on_TabW_menu_currentChanged(int)
{
}

void MainWindow::on_Btn_Read_clicked()
{
}

void MainWindow::on_Btn_Write_clicked()
{
}

void MainWindow::onFileLog_clicked()
{
}
