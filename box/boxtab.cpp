#include "app/mainwindow.h"

#include "box/boxconfiguration.h"
#include "box/boxlogformat.h"
#include "drivers/kelvodevice.h"
#include "kelvo/statusformat.h"
#include "ui_mainwindow.h"

namespace {
constexpr int kLowBoxBatteryLevel = 10;
constexpr int kFullBoxBatteryLevel = 100;
} // namespace

void MainWindow::showBoxConfig()
{
    const BoxSettings& box = mKelvoDevice->boxSettings();
    mUi->LnEd_ActivationDepth_SBox->setText(QString::number(box.mBoxActivationDepth));
    mUi->LnEd_Filter_SBox->setText(QString::number(box.mBoxFilter));
    // A level the bar cannot hold would leave it at its previous value; the label tells the number.
    mUi->Pgb_Battery_SBox->setValue(qMin(int(box.mBoxBatteryLevel), kFullBoxBatteryLevel));
    mUi->Pgb_Battery_SBox_Label->setText(QString::number(box.mBoxBatteryLevel) + QLatin1Char('%'));
    const bool low = box.mBoxBatteryLevel <= kLowBoxBatteryLevel;
    mUi->Pgb_Battery_SBox->setStyleSheet(
        QLatin1String(low ? StatusFormat::kBarLowStyle : StatusFormat::kBarGoodStyle));
    mUi->Pgb_Battery_SBox_Label->setStyleSheet(
        QLatin1String(low ? StatusFormat::kLabelLowStyle : StatusFormat::kLabelGoodStyle));
}

BoxEntries MainWindow::takeBoxConfig() const
{
    return {mUi->LnEd_ActivationDepth_SBox->text(), mUi->LnEd_Filter_SBox->text()};
}

void MainWindow::setupBoxLogTable(int count)
{
    mBoxTable->clear();
    mBoxTable->setColumnCount(BoxLogFormat::kColumnCount);
    mBoxTable->setRowCount(count);
    mBoxTable->setHorizontalHeaderLabels(BoxLogFormat::tableHeaders());
    mBoxTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void MainWindow::fillBoxLogRow(const KelvoRecord& entry, int row)
{
    const QStringList cells = BoxLogFormat::tableCells(entry);
    for (int column = 0; column < cells.size(); ++column) {
        mBoxTable->setItem(row, column, new QTableWidgetItem(cells.at(column)));
    }
}
