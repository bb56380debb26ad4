#include "app/mainwindow.h"

#include "ui_mainwindow.h"

#include <QFileDialog>

void MainWindow::onFileLog_clicked()
{
    // The chosen path only applies once WRITE SETUP stores the Admin fields.
    const QString path = QFileDialog::getSaveFileName(this, tr("Open Log file"), tr("C:\\log.txt"),
                                                      tr("Log files (*.txt);;All Files (*.*)"));
    if (!path.isEmpty()) {
        mUi->LnEd_LogDestination->setText(path);
    }
}
