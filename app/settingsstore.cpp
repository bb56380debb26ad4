#include "app/mainwindow.h"

#include "app/toolsetup.h"
#include "drivers/kelvodevice.h"

#include <QDateTime>

void MainWindow::loadSettings()
{
    ToolSetup::load(mSetupStore, QDateTime::currentDateTime())
        .applyTo(mKelvoDevice->record(), mKelvoDevice->boxSettings());
}

void MainWindow::startNewLogBoxFile()
{
    mKelvoDevice->boxSettings().mLogBoxPath =
        ToolSetup::startNewLogBoxFile(mSetupStore, QDateTime::currentDateTime());
}
