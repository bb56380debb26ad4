#include "app/mainwindow.h"

#include "box/boxconfiguration.h"
#include "box/boxlogdownload.h"
#include "dialogs/bargraph.h"
#include "dialogs/warningdialog.h"
#include "drivers/kelvodevice.h"
#include "kelvo/flowresult.h"
#include "kelvo/tagsession.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QMessageBox>

namespace {
const char* const kSuccessStyle = "background-color: #8CC63F;";
const char* const kFailureStyle = "background-color: #FF0000;";

enum Tab
{
    kSimplifiedTab = 0,
    kAdvancedTab = 1,
    kAdminTab = 2,
    kStandaloneBoxTab = 3
};

TagTab tagTab(int tab)
{
    return tab == kSimplifiedTab ? TagTab::Simplified : TagTab::Advanced;
}
} // namespace

bool MainWindow::ensureReader()
{
    const bool connected = mKelvoDevice->ensureReader();
    syncBoxTab();
    return connected;
}

// A search that meets a silent reader waits for its time-out: the cursor says the tool is busy.
void MainWindow::showBusyWhileSearching()
{
    mKelvoDevice->setSearchObserver([](bool searching) {
        if (searching)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
}

// Once the box has been the reader, its tab stays enabled.
void MainWindow::syncBoxTab()
{
    if (mKelvoDevice->isStandaloneBox()) {
        mUi->TabW_menu->setTabEnabled(kStandaloneBoxTab, true);
    }
}

void MainWindow::showOutcome(QPushButton* button, const FlowResult& result)
{
    syncBoxTab();
    if (result.colour() != FlowResult::Colour::Unchanged) {
        button->setStyleSheet(QLatin1String(
            result.colour() == FlowResult::Colour::Success ? kSuccessStyle : kFailureStyle));
    }
    const QMessageBox::Icon icon =
        result.icon() == FlowResult::Icon::Critical  ? QMessageBox::Critical
        : result.icon() == FlowResult::Icon::Warning ? QMessageBox::Warning
                                                     : QMessageBox::Information;
    QMessageBox box(icon, tr("Varrow"), result.text, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::showProgress(ProgressMode mode)
{
    mBarGraph->show();
    if (mode == ProgressMode::Read) {
        mBarGraph->setReadMode();
    } else {
        mBarGraph->setWriteMode();
    }
}

void MainWindow::progress(int value)
{
    mBarGraph->setValue(value);
}

// The window is drawn again at once without the progress dialog: a result box opened straight
// after would otherwise stand over a strip of it until the window's next paint.
void MainWindow::hideProgress()
{
    mBarGraph->hide();
    repaint();
}

void MainWindow::warning(const QString& title, const QString& text)
{
    QMessageBox::warning(this, title, text);
}

void MainWindow::restoreField(Field field, const QString& text, bool refused)
{
    QLineEdit* const fields[] = {mUi->LnEd_ActivationDepth_Adv,  mUi->LnEd_Filter_Adv,
                                 mUi->LnEd_SerialNumber_Adv,     mUi->LnEd_ActivationDepth1,
                                 mUi->LnEd_ActivationDepth2,     mUi->LnEd_ActivationDepth3,
                                 mUi->LnEd_SerialNumberKelvo_Adv};
    QLineEdit* edit = fields[static_cast<int>(field)];
    edit->setText(text);
    if (refused) {
        edit->selectAll();
        edit->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::on_TabW_menu_currentChanged(int index)
{
    switch (index) {
    case kSimplifiedTab:
        mUi->Btn_Read->setText(tr("READ"));
        mUi->Btn_Write->setText(tr("WRITE"));
        refreshSimplified();
        if (!mSkipSimplifiedWarning) {
            mWarningDialog->show(0);
        }
        mSkipSimplifiedWarning = false;
        break;
    case kAdvancedTab:
        mUi->Btn_Read->setText(tr("READ"));
        mUi->Btn_Write->setText(tr("WRITE"));
        refreshAdvanced();
        mWarningDialog->show(1);
        break;
    case kAdminTab:
        mUi->Btn_Read->setText(tr("READ SETUP"));
        mUi->Btn_Write->setText(tr("WRITE SETUP"));
        showAdminSetup();
        mWarningDialog->show(2);
        break;
    case kStandaloneBoxTab:
        mUi->Btn_Read->setText(tr("READ DATA FROM BOX"));
        mUi->Btn_Write->setText(tr("CONFIGURE BOX"));
        showBoxConfig();
        // There are only three pictures; the box tab shares the Admin one.
        mWarningDialog->show(2);
        // The box is found again as a click would find it, so that a box whose line came back
        // shows its values. With another reader this makes no exchange: the box's values become
        // unknown and the fields are left empty.
        ensureReader();
        BoxConfiguration(*mKelvoDevice).readBack();
        showBoxConfig();
        break;
    default:
        break;
    }
}

void MainWindow::on_Btn_Read_clicked()
{
    QPushButton* button = mUi->Btn_Read;
    const QString savedStyle = button->styleSheet();
    const int tab = mUi->TabW_menu->currentIndex();
    std::optional<FlowResult> result;
    switch (tab) {
    case kSimplifiedTab:
    case kAdvancedTab:
        result = TagSession(*mKelvoDevice, *this).read(tagTab(tab));
        break;
    case kAdminTab:
        readSetup();
        result = FlowResult::success(tr("Read operation was successfull"));
        break;
    case kStandaloneBoxTab:
        result = mBoxLogDownload->read(*this);
        break;
    default:
        break;
    }
    if (result) {
        showOutcome(button, *result);
    }
    endBoxProgress();
    button->setStyleSheet(savedStyle);
}

void MainWindow::on_Btn_Write_clicked()
{
    QPushButton* button = mUi->Btn_Write;
    const QString savedStyle = button->styleSheet();
    showProgress(ProgressMode::Write);
    mBarGraph->setValue(10);
    const int tab = mUi->TabW_menu->currentIndex();
    std::optional<FlowResult> result;
    switch (tab) {
    case kSimplifiedTab:
    case kAdvancedTab:
        result = TagSession(*mKelvoDevice, *this).write(tagTab(tab), tabEntries(tagTab(tab)));
        break;
    case kAdminTab:
        result = writeSetup() ? FlowResult::success(tr("Write operation was successfull"))
                              : FlowResult::failure(Outcome::Done, FlowResult::Icon::Information,
                                                    tr("Write operation failed, try again"));
        break;
    case kStandaloneBoxTab:
        result = configureBox();
        break;
    default:
        break;
    }
    if (result) {
        showOutcome(button, *result);
    }
    mBarGraph->setValue(100);
    mBarGraph->hide();
    button->setStyleSheet(savedStyle);
}
