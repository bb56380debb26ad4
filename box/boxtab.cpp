#include "app/mainwindow.h"

#include "box/boxconfiguration.h"
#include "box/boxlogformat.h"
#include "box/boxlogviews.h"
#include "drivers/kelvodevice.h"
#include "kelvo/entryrules.h"
#include "kelvo/statusformat.h"
#include "ui_mainwindow.h"

namespace {
constexpr int kLowBoxBatteryLevel = 10;
constexpr int kFullBoxBatteryLevel = 100;
// The box's log capacity, shown next to the count.
const char* const kBoxLogCapacity = " / 3640";
// A value the box holds that its keypad would not offer.
const char* const kHeldValueWarningStyle = "color: #FF0000; font-weight: bold;";
} // namespace

// A value the box did not give at its last read is shown as unknown: empty fields, "–" and an
// empty bar, never a number that could pass for the box's.
void MainWindow::showBoxConfig()
{
    const BoxSettings& box = mKelvoDevice->boxSettings();
    mUi->LnEd_ActivationDepth_SBox->setText(
        box.mBoxConfigRead ? QString::number(box.mBoxActivationDepth) : QString());
    mUi->LnEd_Filter_SBox->setText(box.mBoxConfigRead ? QString::number(box.mBoxFilter)
                                                      : QString());
    markHeldBoxValues();
    if (!box.mBoxBatteryLevelRead) {
        mUi->Pgb_Battery_SBox->setValue(0);
        mUi->Pgb_Battery_SBox_Label->setText(StatusFormat::unknownLevelText());
        mUi->Pgb_Battery_SBox->setStyleSheet(QLatin1String(StatusFormat::kBarGoodStyle));
        mUi->Pgb_Battery_SBox_Label->setStyleSheet(QLatin1String(StatusFormat::kLabelUnknownStyle));
        return;
    }
    // A level the bar cannot hold would leave it at its previous value; the label tells the number.
    mUi->Pgb_Battery_SBox->setValue(qMin(int(box.mBoxBatteryLevel), kFullBoxBatteryLevel));
    mUi->Pgb_Battery_SBox_Label->setText(QString::number(box.mBoxBatteryLevel) + QLatin1Char('%'));
    const bool low = box.mBoxBatteryLevel <= kLowBoxBatteryLevel;
    mUi->Pgb_Battery_SBox->setStyleSheet(
        QLatin1String(low ? StatusFormat::kBarLowStyle : StatusFormat::kBarGoodStyle));
    mUi->Pgb_Battery_SBox_Label->setStyleSheet(
        QLatin1String(low ? StatusFormat::kLabelLowStyle : StatusFormat::kLabelGoodStyle));
}

// A value the box holds outside its keypad's range shows in the warning colour, with the line
// that says so as the field's tool tip.
void MainWindow::markHeldBoxValues()
{
    const BoxSettings& box = mKelvoDevice->boxSettings();
    const QString note = BoxConfiguration::heldValueNote(box);
    const auto mark = [&note](QLineEdit* field, bool inRange) {
        const bool warn = !note.isEmpty() && !inRange;
        field->setStyleSheet(warn ? QLatin1String(kHeldValueWarningStyle) : QString());
        field->setToolTip(warn ? note : QString());
    };
    mark(mUi->LnEd_ActivationDepth_SBox,
         EntryRules::kActivationDepth.contains(box.mBoxActivationDepth));
    mark(mUi->LnEd_Filter_SBox, EntryRules::kFilter.contains(box.mBoxFilter));
}

BoxEntries MainWindow::takeBoxConfig() const
{
    return {mUi->LnEd_ActivationDepth_SBox->text(), mUi->LnEd_Filter_SBox->text()};
}

void MainWindow::boxConfigRead()
{
    showBoxConfig();
}

void MainWindow::tableStarted(int count)
{
    mBoxTable->clear();
    mBoxTable->setColumnCount(BoxLogFormat::kColumnCount);
    mBoxTable->setRowCount(count);
    mBoxTable->setHorizontalHeaderLabels(BoxLogFormat::tableHeaders());
    mBoxTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Nothing of the previous download stays on the tab.
    mUi->Erase_SBox->hide();
    mUi->Nb_Log_Label->hide();
    mUi->Nb_Log_Value->hide();
    mBoxLogViews->startDownload();
}

void MainWindow::entryRead(int index, const KelvoRecord& entry)
{
    const QStringList cells = BoxLogFormat::tableCells(entry);
    for (int column = 0; column < cells.size(); ++column) {
        mBoxTable->setItem(index, column, new QTableWidgetItem(cells.at(column)));
    }
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
