#include "app/mainwindow.h"

#include "drivers/kelvodevice.h"
#include "keyboard/taphook.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// As long as any file name a file system takes.
constexpr int kFileNameMaxLength = 255;

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
    // The chosen path only applies once WRITE SETUP stores the Admin fields. The dialog is Qt's
    // own, not the platform's, so that it is sized for the touch panel and its name is typed on
    // the keyboard, as every other field's.
    QFileDialog dialog(this, tr("Open Log file"), proposedLogFile(mKelvoDevice->record().mLogPath),
                       tr("Log files (*.txt);;All Files (*.*)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // As large as the window, as the keyboards are, so that the touch-sized lists have room.
    dialog.resize(geometry().size());
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const TapHook nameKeyboard(
        name, [this, name] { enterText(name, tr("File name : "), kFileNameMaxLength); });
    if (dialog.exec() == QDialog::Accepted) {
        mUi->LnEd_LogDestination->setText(dialog.selectedFiles().value(0));
    }
}
