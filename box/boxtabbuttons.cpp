#include "app/mainwindow.h"

#include "app/toolsetup.h"
#include "box/boxconfiguration.h"
#include "box/boxlogdownload.h"
#include "box/boxlogviews.h"
#include "dialogs/bargraph.h"
#include "drivers/kelvodevice.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

// The progress dialog shows once the box was found, and stays behind the result.
void MainWindow::endBoxProgress()
{
    if (mBarGraph->isVisible()) {
        mBarGraph->setValue(100);
        mBarGraph->hide();
    }
}

FlowResult MainWindow::configureBox()
{
    BoxConfiguration configuration(*mKelvoDevice);
    const FlowResult result = configuration.configure(takeBoxConfig());
    // The fields show what the box answered to the read-back, or nothing where it did not.
    if (configuration.readerFound()) {
        showBoxConfig();
    }
    return result;
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
                                     .arg(logBoxPath) +
                                 QLatin1Char('\n') +
                                 tr("Before erasing, the box's whole log is read again and "
                                    "compared with that file: the erase takes about as long as "
                                    "the download did."),
                             QMessageBox::Yes | QMessageBox::No, this);
        question.setDefaultButton(QMessageBox::No);
        question.setEscapeButton(QMessageBox::No);
        return question.exec() == QMessageBox::Yes;
    };
    const std::optional<FlowResult> erased = mBoxLogDownload->erase(confirm, *this);
    if (!erased) {
        return;
    }
    const FlowResult& result = *erased;
    endBoxProgress();
    if (result.succeeded()) {
        mKelvoDevice->boxSettings().mLogBoxPath =
            ToolSetup::startNewLogBoxFile(mSetupStore, QDateTime::currentDateTime());
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
