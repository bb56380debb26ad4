#include "dialogs/warningdialog.h"

#include "ui_warningdialog.h"

#include <QTimer>

#include <iterator>

namespace {

const char* const kPageStyleSheets[] = {
    "background-image: url(./Images/imageSimplified.png);background-repeat: false; "
    "background-position: center;background-color: rgba(255, 255, 255, 255);",
    "background-image: url(./Images/imageAdvanced.png);background-repeat: false; "
    "background-position: center;background-color: rgba(255, 255, 255, 255);",
    "background-image: url(./Images/imageAdmin.png);background-repeat: false; "
    "background-position: center;background-color: rgba(255, 255, 255, 255);",
};

const int kShowMilliseconds = 2000;

} // namespace

WarningDialog::WarningDialog(QWidget* parent) : QDialog(parent), mUi(new Ui::WarningDialog)
{
    mUi->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
}

WarningDialog::~WarningDialog()
{
    delete mUi;
}

void WarningDialog::show(int indexPage)
{
    // Pages without a picture of their own keep the one shown last.
    if (indexPage >= 0 && indexPage < int(std::size(kPageStyleSheets))) {
        setStyleSheet(QString::fromLatin1(kPageStyleSheets[indexPage]));
    }
    QTimer::singleShot(kShowMilliseconds, this, &QWidget::hide);
    exec();
}
