#include "app/mainwindow.h"

#include "dialogs/bargraph.h"
#include "drivers/kelvodevice.h"
#include "kelvo/entryrules.h"
#include "kelvo/serialtext.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

namespace {

// The operator's entries of one tab, as the write takes them.
struct TabEntries
{
    QString activationDepth;
    QString filter;
    QString streamer;
    QString device;
    QString kelvoSerialNumber;
    QString batteryThreshold;
    QString serialNumber;
};

void copyEntries(const TabEntries& entries, KelvoRecord& record)
{
    record.mActivationDepth = EntryRules::entryByte(entries.activationDepth);
    record.mFilter = EntryRules::entryByte(entries.filter);
    record.mStreamer = EntryRules::entryByte(entries.streamer);
    record.mDevice = EntryRules::entryByte(entries.device);
    SerialText::store(entries.kelvoSerialNumber, record.mKelvoSerialNumber);
    record.mBatteryThreshold = EntryRules::entryWord(entries.batteryThreshold);
    SerialText::store(entries.serialNumber, record.mSerialNumber);
}

} // namespace

bool MainWindow::readSimplified()
{
    mBarGraph->setValue(20);
    if (!mKelvoDevice->readRecord()) {
        QMessageBox::warning(this, tr("Simplified"), tr("Read error in the Kelvo"));
        return false;
    }
    mBarGraph->setValue(50);
    refreshSimplified();
    mBarGraph->setValue(60);
    if (!appendOperationLog("READ")) {
        QMessageBox::warning(this, tr("Simplified"), tr("Backup error in the Log file"));
        mBarGraph->setValue(70);
        return false;
    }
    mBarGraph->setValue(70);
    return true;
}

bool MainWindow::readAdvanced()
{
    if (!mKelvoDevice->readRecord()) {
        QMessageBox::warning(this, tr("Varrow"), tr("Read error in the Kelvo"));
        return false;
    }
    mBarGraph->setValue(20);
    refreshAdvanced();
    mBarGraph->setValue(50);
    if (!appendOperationLog("READ")) {
        QMessageBox::warning(this, tr("Varrow"), tr("Backup error in the Log file"));
        mBarGraph->setValue(80);
        return false;
    }
    mBarGraph->setValue(80);
    return true;
}

bool MainWindow::writeSimplified()
{
    const TabEntries entries{mUi->Cmb_Depth->currentText(),       mUi->Cmb_Filter->currentText(),
                             mUi->LnEd_Streamer->text(),          mUi->LnEd_Device->text(),
                             mUi->LnEd_SerialNumberKelvo->text(), mUi->LnEd_BatMin->text(),
                             mUi->LnEd_SerialNumber->text()};
    const QString title = tr("Simplified");
    if (!startWrite(title, &MainWindow::refreshSimplified)) {
        return false;
    }
    mBarGraph->setValue(20);
    copyEntries(entries, mKelvoDevice->record());
    if (!mKelvoDevice->writeRecordFull()) {
        QMessageBox::warning(this, title, tr("Backup error in the Kelvo"));
        return false;
    }
    finishWrite(title, &MainWindow::refreshSimplified);
    return true;
}

bool MainWindow::writeAdvanced()
{
    // The operator's entries are checked as typed, before anything is read or written, so that
    // what reaches the tag is what was validated.
    if (!validateAdvanced()) {
        return false;
    }
    const TabEntries entries{mUi->LnEd_ActivationDepth_Adv->text(),   mUi->LnEd_Filter_Adv->text(),
                             mUi->LnEd_Streamer_Adv->text(),          mUi->LnEd_Device_Adv->text(),
                             mUi->LnEd_SerialNumberKelvo_Adv->text(), mUi->LnEd_BatMin_Adv->text(),
                             mUi->LnEd_SerialNumber_Adv->text()};
    const QString title = tr("Advanced");
    if (!startWrite(title, &MainWindow::refreshAdvanced)) {
        return false;
    }
    mBarGraph->setValue(20);
    mBarGraph->setValue(40);
    KelvoRecord& record = mKelvoDevice->record();
    copyEntries(entries, record);
    record.mAdvancedActivationDepth = record.mActivationDepth;
    if (!mKelvoDevice->writeRecordKeep()) {
        QMessageBox::warning(this, title, tr("Backup error in the Kelvo"));
        return false;
    }
    finishWrite(title, &MainWindow::refreshAdvanced);
    return true;
}

bool MainWindow::startWrite(const QString& title, bool (MainWindow::*refresh)())
{
    // A failed first read ends the write without a warning of its own.
    if (!mKelvoDevice->readRecord()) {
        return false;
    }
    if (appendOperationLog("READ")) {
        (this->*refresh)();
    } else {
        QMessageBox::warning(this, title, tr("Backup error in the Log file"));
    }
    return true;
}

void MainWindow::finishWrite(const QString& title, bool (MainWindow::*refresh)())
{
    mBarGraph->setValue(60);
    if (!appendOperationLog("WRITE")) {
        QMessageBox::warning(this, title, tr("Backup error in the Log file"));
        mBarGraph->setValue(80);
        return;
    }
    (this->*refresh)();
    if (!mKelvoDevice->readRecord()) {
        mBarGraph->setValue(80);
        return;
    }
    if (!appendOperationLog("READ")) {
        QMessageBox::warning(this, title, tr("Backup error in the Log file"));
        mBarGraph->setValue(80);
        return;
    }
    (this->*refresh)();
    mBarGraph->setValue(80);
}

bool MainWindow::validateAdvanced()
{
    const KelvoRecord& record = mKelvoDevice->record();
    const QString bounds = QStringLiteral("(%1 to %2)");
    if (!EntryRules::isValidActivationDepth(mUi->LnEd_ActivationDepth_Adv->text())) {
        QMessageBox::warning(
            this, tr("Varrow"),
            tr("The activation depth should be a positive number between ") +
                bounds.arg(EntryRules::kMinActivationDepth).arg(EntryRules::kMaxActivationDepth));
        restoreRejectedField(mUi->LnEd_ActivationDepth_Adv,
                             QString::number(record.mAdvancedActivationDepth));
        return false;
    }
    if (!EntryRules::isValidFilter(mUi->LnEd_Filter_Adv->text())) {
        QMessageBox::warning(this, tr("Varrow"),
                             tr("The activation filter should be positive number between ") +
                                 bounds.arg(EntryRules::kMinFilter).arg(EntryRules::kMaxFilter));
        restoreRejectedField(mUi->LnEd_Filter_Adv, QString::number(record.mFilter));
        return false;
    }
    // Either way the field ends in upper case; the restored text is upper-cased before it is
    // selected, so that the selection survives.
    QLineEdit* serialNumber = mUi->LnEd_SerialNumber_Adv;
    if (!EntryRules::isValidSerialNumber(serialNumber->text())) {
        QMessageBox::warning(this, tr("Varrow"), tr("Error on the serial number"));
        restoreRejectedField(serialNumber, SerialText::text(record.mSerialNumber).toUpper());
        return false;
    }
    serialNumber->setText(serialNumber->text().toUpper());
    return true;
}

void MainWindow::restoreRejectedField(QLineEdit* field, const QString& text)
{
    field->setText(text);
    field->selectAll();
    field->setFocus(Qt::OtherFocusReason);
}
