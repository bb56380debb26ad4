#include "dialogs/logboxfiledialog.h"

#include "ui_logboxfiledialog.h"

LogBoxFileDialog::LogBoxFileDialog(const QStringList& items, QWidget* parent)
    : QDialog(parent), mUi(std::make_unique<Ui::LogBoxFileDialog>())
{
    mUi->setupUi(this);
    mUi->List_LogBoxFiles->addItems(items);
    mUi->List_LogBoxFiles->setCurrentRow(0);
    mUi->Btn_Open_LogBoxFile->setEnabled(!items.isEmpty());
    connect(mUi->List_LogBoxFiles, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(mUi->Btn_Open_LogBoxFile, &QPushButton::clicked, this, &QDialog::accept);
    connect(mUi->Btn_Cancel_LogBoxFile, &QPushButton::clicked, this, &QDialog::reject);
}

LogBoxFileDialog::~LogBoxFileDialog() = default;

int LogBoxFileDialog::chosen() const
{
    return result() == QDialog::Accepted ? mUi->List_LogBoxFiles->currentRow() : -1;
}
