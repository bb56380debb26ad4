#include "app/mainwindow.h"

#include "app/operationlogline.h"
#include "drivers/kelvodevice.h"
#include "ui_mainwindow.h"

#include <QDateTime>
#include <QFileDialog>

bool MainWindow::appendOperationLog(const QByteArray& action)
{
    const KelvoRecord& record = mKelvoDevice->record();
    return OperationLogLine::append(
        record.mLogPath,
        OperationLogLine::tagOperation(record, action, QDateTime::currentDateTime()));
}

bool MainWindow::appendSetupLog(const QByteArray& action)
{
    const KelvoRecord& record = mKelvoDevice->record();
    return OperationLogLine::append(
        record.mLogPath, OperationLogLine::setup(record, action, QDateTime::currentDateTime()));
}

void MainWindow::onFileLog_clicked()
{
    // The chosen path only applies once WRITE SETUP stores the Admin fields.
    const QString path = QFileDialog::getSaveFileName(this, tr("Open Log file"), tr("C:\\log.txt"),
                                                      tr("Log files (*.txt);;All Files (*.*)"));
    if (!path.isEmpty()) {
        mUi->LnEd_LogDestination->setText(path);
    }
}
