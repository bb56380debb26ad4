#include "app/mainwindow.h"

#include "drivers/kelvodevice.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// The file that the save dialog proposes for the operations log in use.
QString proposedLogFile(const QString& logPath)
{
#ifdef Q_OS_WIN
    Q_UNUSED(logPath)
    return MainWindow::tr("C:\\log.txt");
#else
    // A Windows path means nothing here: Save would name a file "C:\log.txt" in the folder shown.
    return QFileInfo(logPath).absoluteDir().filePath(QStringLiteral("log.txt"));
#endif
}

} // namespace

void MainWindow::onFileLog_clicked()
{
    // The chosen path only applies once WRITE SETUP stores the Admin fields.
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Open Log file"), proposedLogFile(mKelvoDevice->record().mLogPath),
        tr("Log files (*.txt);;All Files (*.*)"));
    if (!path.isEmpty()) {
        mUi->LnEd_LogDestination->setText(path);
    }
}
