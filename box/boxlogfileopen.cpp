#include "app/mainwindow.h"

#include "box/boxlogviews.h"
#include "box/kelvooverview.h"
#include "box/logboxfilelist.h"
#include "dialogs/logboxfiledialog.h"
#include "drivers/kelvodevice.h"
#include "ui_mainwindow.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QTableWidget>

namespace {
// The line numbers named in the message about lines left out; the rest are counted only.
constexpr std::size_t kBadLinesNamed = 5;
} // namespace

// A LogBox file saved earlier, chosen from those next to the operations log, shown in both views
// with no box attached. What shows is a file, not the box's memory: there is nothing to erase and
// no count of the box's entries.
void MainWindow::openLogBoxFile()
{
    const std::vector<LogBoxFileInfo> files =
        LogBoxFileList::nextTo(mKelvoDevice->record().mLogPath);
    if (files.empty()) {
        QMessageBox::information(this, tr("Varrow"),
                                 tr("No LogBox file next to the operations log %1")
                                     .arg(mKelvoDevice->record().mLogPath));
        return;
    }
    QStringList items;
    for (const LogBoxFileInfo& file : files) {
        items << tr("%1   %2 entries").arg(QFileInfo(file.mPath).fileName()).arg(file.mEntries);
    }
    LogBoxFileDialog dialog(items, this);
    dialog.exec();
    if (dialog.chosen() < 0) {
        return;
    }
    const QString path = files.at(std::size_t(dialog.chosen())).mPath;
    KelvoOverview overview;
    QString errorText;
    if (!overview.addFile(path, errorText)) {
        QMessageBox::information(this, tr("Varrow"),
                                 tr("The LogBox file %1 cannot be read: %2").arg(path, errorText));
        return;
    }

    const std::vector<KelvoRecord>& entries = overview.entries();
    // The table as a download fills it, without the box's count and without Erase Memory.
    tableStarted(int(entries.size()));
    for (std::size_t row = 0; row < entries.size(); ++row) {
        entryRead(int(row), entries.at(row));
    }
    mBoxTable->resizeColumnsToContents();
    mBoxLogViews->show(overview);

    const std::vector<BadLogBoxLine>& badLines = overview.badLines();
    if (!badLines.empty()) {
        QStringList numbers;
        for (std::size_t bad = 0; bad < std::min(badLines.size(), kBadLinesNamed); ++bad) {
            numbers << QString::number(badLines.at(bad).mLineNumber);
        }
        QMessageBox::information(
            this, tr("Varrow"),
            tr("Lines left out of %1, which are not LogBox lines: %2%3 (%4 in all).")
                .arg(path, numbers.join(QStringLiteral(", ")),
                     badLines.size() > kBadLinesNamed ? QStringLiteral(", ...") : QString())
                .arg(badLines.size()));
    }
}
