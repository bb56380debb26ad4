#include "app/mainwindow.h"

#include "box/boxconfiguration.h"
#include "box/boxlogdownload.h"
#include "box/boxlogviews.h"
#include "dialogs/bargraph.h"
#include "drivers/kelvodevice.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

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
    // The fields show what the box answered to the read-back, or nothing where it did not.
    if (configuration.readerFound()) {
        showBoxConfig();
    }
    showOutcome(mUi->Btn_Write, result);
}

void MainWindow::on_Erase_SBox_clicked()
{
    QPushButton* button = mUi->Erase_SBox;
    const QString savedStyle = button->styleSheet();
    const auto confirm = [this](int count, const QString& logBoxPath) {
        QMessageBox question(QMessageBox::Question, tr("Varrow"),
                             tr("Erase the %1 log entries from the box?\nThey were saved in the "
                                "LogBox file %2.")
                                 .arg(count)
                                 .arg(logBoxPath),
                             QMessageBox::Yes | QMessageBox::No, this);
        question.setDefaultButton(QMessageBox::No);
        question.setEscapeButton(QMessageBox::No);
        return question.exec() == QMessageBox::Yes;
    };
    const std::optional<FlowResult> erased = mBoxLogDownload->erase(confirm);
    if (!erased) {
        return;
    }
    const FlowResult& result = *erased;
    if (result.succeeded()) {
        startNewLogBoxFile();
        mBoxTable->clear();
        mBoxTable->setRowCount(0);
        mBoxTable->setColumnCount(0);
        mBoxLogViews->clear();
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
    mBoxLogViews->startDownload();
}

void MainWindow::entryRead(int index, const KelvoRecord& entry)
{
    fillBoxLogRow(entry, index);
    mBoxLogViews->addDownloadedEntry(entry);
}

void MainWindow::tableFinished(int count, bool savedWhole)
{
    mBoxTable->resizeColumnsToContents();
    mBoxLogViews->finishDownload();
    mUi->Erase_SBox->setVisible(savedWhole);
    mUi->Nb_Log_Label->show();
    mUi->Nb_Log_Value->setText(QString::number(count) + QLatin1String(kBoxLogCapacity));
    mUi->Nb_Log_Value->show();
}
