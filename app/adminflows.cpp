#include "app/mainwindow.h"

#include "dialogs/bargraph.h"
#include "drivers/kelvodevice.h"
#include "kelvo/entryrules.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

void MainWindow::readSetup()
{
    loadSettings();
    if (!appendSetupLog("READ SETUP")) {
        QMessageBox::warning(this, tr("Admin"), tr("Log file entry failed"));
    }
    showAdminSetup();
}

bool MainWindow::writeSetup()
{
    if (!checkPresetDepths()) {
        return false;
    }
    mBarGraph->setValue(40);
    takeAdminSetup();
    mBarGraph->setValue(60);
    saveSettings();
    if (!appendSetupLog("WRITE SETUP")) {
        QMessageBox::warning(this, tr("Admin"), tr("Log file entry failed"));
    }
    return true;
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

void MainWindow::takeAdminSetup()
{
    KelvoRecord& record = mKelvoDevice->record();
    record.mPresetDepths[0] = EntryRules::entryByte(mUi->LnEd_ActivationDepth1->text());
    record.mPresetDepths[1] = EntryRules::entryByte(mUi->LnEd_ActivationDepth2->text());
    record.mPresetDepths[2] = EntryRules::entryByte(mUi->LnEd_ActivationDepth3->text());
    // An empty letter field keeps the letter already held, rather than storing code 0.
    const QLineEdit* letterFields[2] = {mUi->LnEd_StreamerID, mUi->LnEd_DeviceID};
    for (int index = 0; index < 2; ++index) {
        const QString letter = letterFields[index]->text();
        if (!letter.isEmpty()) {
            record.mPositionLetters[index] = letter.at(0).toLatin1();
        }
    }
    record.mLogPath = mUi->LnEd_LogDestination->text();
}

bool MainWindow::checkPresetDepths()
{
    const KelvoRecord& record = mKelvoDevice->record();
    QLineEdit* fields[3] = {mUi->LnEd_ActivationDepth1, mUi->LnEd_ActivationDepth2,
                            mUi->LnEd_ActivationDepth3};
    const QString bounds = QStringLiteral("(%1 to %2)")
                               .arg(EntryRules::kMinActivationDepth)
                               .arg(EntryRules::kMaxActivationDepth);
    for (int index = 0; index < 3; ++index) {
        if (EntryRules::isValidActivationDepth(fields[index]->text())) {
            continue;
        }
        const QString message =
            index < 2 ? tr("the depth of activation is a positive number between ")
                      : tr("The activation depth of activation should be a positive number "
                           "between ");
        QMessageBox::warning(this, tr("Admin"), message + bounds);
        restoreRejectedField(fields[index], QString::number(record.mPresetDepths[index]));
        return false;
    }
    return true;
}
