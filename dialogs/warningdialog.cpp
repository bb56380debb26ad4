#include "dialogs/warningdialog.h"

#include "ui_warningdialog.h"

#include <QTimer>

#include <iterator>

namespace {

// The picture of each tab that has one, by page index.
const char* const kPagePictures[] = {"imageSimplified.png", "imageAdvanced.png", "imageAdmin.png"};

const int kShowMilliseconds = 2000;

} // namespace

WarningDialog::WarningDialog(QWidget* parent)
    : QDialog(parent), mUi(std::make_unique<Ui::WarningDialog>())
{
    mUi->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
}

WarningDialog::~WarningDialog() = default;

void WarningDialog::show(int indexPage)
{
    // Pages without a picture of their own keep the one shown last.
    if (indexPage >= 0 && indexPage < int(std::size(kPagePictures))) {
        setStyleSheet(QStringLiteral("background-image: url(./Images/%1);background-repeat: "
                                     "false; background-position: center;background-color: "
                                     "rgba(255, 255, 255, 255);")
                          .arg(QLatin1String(kPagePictures[indexPage])));
    }
    QTimer::singleShot(kShowMilliseconds, this, &QWidget::hide);
    exec();
}
