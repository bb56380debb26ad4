#include "app/mainwindow.h"

#include "box/boxlogentry.h"
#include "box/logboxwriter.h"
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
    QPushButton* button = mUi->Btn_Read;
    if (!ensureReader()) {
        showOutcome(button, false, QMessageBox::Information,
                    tr("No Standalone Box detected, please plug one"));
        return;
    }
    mBarGraph->show();
    mBarGraph->setReadMode();
    mBarGraph->setValue(0);
    mKelvoDevice->readBoxConfig();
    showBoxConfig();
    const int count = mKelvoDevice->readBoxLogCount();
    if (count == -1) {
        showOutcome(button, false, QMessageBox::Information, tr("Read operation failed"));
    } else if (count <= 0) {
        QMessageBox box(QMessageBox::Information, tr("Varrow"),
                        tr("Read operation was successfull but memory is empty"), QMessageBox::Ok,
                        this);
        box.exec();
    } else {
        downloadBoxLog(count);
    }
    mBarGraph->setValue(100);
    mBarGraph->hide();
}

// Every entry gets its row and its LogBox line, read or not. The download counts as saved only
// when every entry was read and every line written: only then may the box's log be erased.
void MainWindow::downloadBoxLog(int count)
{
    setupBoxLogTable(count);
    LogBoxWriter logBox(mKelvoDevice->boxSettings().mLogBoxPath);
    int unreadEntries = 0;
    int lostLines = 0;
    for (int index = 0; index < count; ++index) {
        const KelvoRecord entry = mKelvoDevice->readBoxLogEntry(index);
        if (isUnreadBoxLogEntry(entry)) {
            ++unreadEntries;
        }
        fillBoxLogRow(entry, index);
        if (!appendLogBoxLine(logBox, entry)) {
            ++lostLines;
        }
        mBarGraph->setValue(int(index / float(count) * 100));
    }
    mBoxTable->resizeColumnsToContents();

    const bool saved = unreadEntries == 0 && lostLines == 0;
    mSavedBoxLogCount = saved ? count : -1;
    mUi->Erase_SBox->setVisible(saved);
    mUi->Nb_Log_Label->show();
    mUi->Nb_Log_Value->setText(QString::number(count) + QLatin1String(kBoxLogCapacity));
    mUi->Nb_Log_Value->show();
    if (saved) {
        showOutcome(mUi->Btn_Read, true, QMessageBox::Information,
                    tr("Read operation was successfull"));
        return;
    }
    QString text = tr("Read operation failed");
    if (unreadEntries > 0) {
        text += QLatin1Char('\n') +
                tr("%1 of the %2 log entries could not be read.").arg(unreadEntries).arg(count);
    }
    if (lostLines > 0) {
        text += QLatin1Char('\n') + tr("The LogBox file %1 could not be written.")
                                        .arg(mKelvoDevice->boxSettings().mLogBoxPath);
    }
    showOutcome(mUi->Btn_Read, false, QMessageBox::Information, text);
}

void MainWindow::configureBox()
{
    QPushButton* button = mUi->Btn_Write;
    if (!ensureReader()) {
        showOutcome(button, false, QMessageBox::Critical,
                    tr("No Standalone Box detected, please plug one"));
        return;
    }
    takeBoxConfig();
    reportWrite(button, mKelvoDevice->writeBoxConfig());
    // Whatever the outcome, the fields show what the box now holds.
    mKelvoDevice->readBoxConfig();
    showBoxConfig();
}

void MainWindow::on_Erase_SBox_clicked()
{
    QPushButton* button = mUi->Erase_SBox;
    const QString savedStyle = button->styleSheet();
    const QString refusal = boxEraseRefusal();
    if (refusal.isEmpty() && mKelvoDevice->eraseBoxLog()) {
        startNewLogBoxFile();
        mBoxTable->clear();
        mBoxTable->setRowCount(0);
        mBoxTable->setColumnCount(0);
        button->hide();
        mUi->Nb_Log_Label->hide();
        mUi->Nb_Log_Value->hide();
        mSavedBoxLogCount = -1;
        showOutcome(button, true, QMessageBox::Information, tr("Erase operation was successfull"));
    } else {
        QString text = tr("Erase operation failed");
        if (!refusal.isEmpty()) {
            text += QLatin1Char('\n') + refusal;
        }
        showOutcome(button, false, QMessageBox::Information, text);
    }
    button->setStyleSheet(savedStyle);
}

// Erasing destroys the box's only copy of entries that were not saved: the log must have been
// saved whole, and the box must still hold exactly the entries saved.
QString MainWindow::boxEraseRefusal()
{
    if (mSavedBoxLogCount < 0) {
        return tr("The box's log has not been saved whole: read it first.");
    }
    if (!mKelvoDevice->isStandaloneBox()) {
        return tr("No Standalone Box is connected.");
    }
    const int count = mKelvoDevice->readBoxLogCount();
    if (count == -1) {
        return tr("The number of entries in the box could not be read again.");
    }
    if (count != mSavedBoxLogCount) {
        return tr("The box now holds %1 log entries, not the %2 saved: read it again before "
                  "erasing.")
            .arg(count)
            .arg(mSavedBoxLogCount);
    }
    return QString();
}
