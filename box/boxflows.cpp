#include "app/mainwindow.h"

#include "box/boxconfiguration.h"
#include "box/boxlogdownload.h"
#include "dialogs/bargraph.h"
#include "drivers/kelvodevice.h"
#include "ui_mainwindow.h"

namespace {
// The box's log capacity, shown next to the count.
const char* const kBoxLogCapacity = " / 3640";
} // namespace

void MainWindow::readBoxLog()
{
    const FlowResult result = mBoxLogDownload->read(*this);
    syncBoxTab();
    showOutcome(mUi->Btn_Read, result);
    // The progress dialog shows once the box was found, and stays behind the result.
    if (mBarGraph->isVisible()) {
        mBarGraph->setValue(100);
        mBarGraph->hide();
    }
}

void MainWindow::configureBox()
{
    BoxConfiguration configuration(*mKelvoDevice);
    const FlowResult result = configuration.configure(takeBoxConfig());
    syncBoxTab();
    showOutcome(mUi->Btn_Write, result);
    if (!configuration.readerFound()) {
        return;
    }
    // Whatever the outcome, the fields show what the box now holds.
    configuration.readBack();
    showBoxConfig();
}

void MainWindow::on_Erase_SBox_clicked()
{
    QPushButton* button = mUi->Erase_SBox;
    const QString savedStyle = button->styleSheet();
    const FlowResult result = mBoxLogDownload->erase();
    if (result.succeeded()) {
        startNewLogBoxFile();
        mBoxTable->clear();
        mBoxTable->setRowCount(0);
        mBoxTable->setColumnCount(0);
        button->hide();
        mUi->Nb_Log_Label->hide();
        mUi->Nb_Log_Value->hide();
    }
    showOutcome(button, result);
    button->setStyleSheet(savedStyle);
}

void MainWindow::boxConfigRead()
{
    showBoxConfig();
}

void MainWindow::tableStarted(int count)
{
    setupBoxLogTable(count);
}

void MainWindow::entryRead(int index, const KelvoRecord& entry)
{
    fillBoxLogRow(entry, index);
}

void MainWindow::tableFinished(int count, bool savedWhole)
{
    mBoxTable->resizeColumnsToContents();
    mUi->Erase_SBox->setVisible(savedWhole);
    mUi->Nb_Log_Label->show();
    mUi->Nb_Log_Value->setText(QString::number(count) + QLatin1String(kBoxLogCapacity));
    mUi->Nb_Log_Value->show();
}
