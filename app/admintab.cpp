#include "app/mainwindow.h"

#include "app/toolsetup.h"
#include "drivers/kelvodevice.h"
#include "ui_mainwindow.h"

#include <QDateTime>
#include <QMessageBox>

// Stored values the tool could not use are replaced by defaults, and the crew is told once, at
// start-up: the presets they rely on have changed.
void MainWindow::loadSettings()
{
    const ToolSetup setup = ToolSetup::load(mSetupStore, QDateTime::currentDateTime());
    setup.applyTo(mKelvoDevice->record(), mKelvoDevice->boxSettings());
    if (!setup.replacedValues.isEmpty()) {
        QMessageBox::information(this, tr("Varrow"), setup.replacedValues.join(QLatin1Char('\n')));
    }
}

void MainWindow::readSetup()
{
    AdminSetup(mKelvoDevice->record(), mKelvoDevice->boxSettings(), mSetupStore, *this).read();
    showAdminSetup();
}

bool MainWindow::writeSetup()
{
    return AdminSetup(mKelvoDevice->record(), mKelvoDevice->boxSettings(), mSetupStore, *this)
        .write(adminEntries());
}

void MainWindow::showAdminSetup()
{
    const KelvoRecord& record = mKelvoDevice->record();
    mUi->LnEd_ActivationDepth1->setText(QString::number(record.mPresetDepths[0]));
    mUi->LnEd_ActivationDepth2->setText(QString::number(record.mPresetDepths[1]));
    mUi->LnEd_ActivationDepth3->setText(QString::number(record.mPresetDepths[2]));
    mUi->LnEd_StreamerID->setText(QString(QChar::fromLatin1(record.mPositionLetters[0])));
    mUi->LnEd_DeviceID->setText(QString(QChar::fromLatin1(record.mPositionLetters[1])));
    mUi->LnEd_LogDestination->setText(record.mLogPath);
}

SetupEntries MainWindow::adminEntries() const
{
    return {{mUi->LnEd_ActivationDepth1->text(), mUi->LnEd_ActivationDepth2->text(),
             mUi->LnEd_ActivationDepth3->text()},
            {mUi->LnEd_StreamerID->text(), mUi->LnEd_DeviceID->text()},
            mUi->LnEd_LogDestination->text()};
}
