#include "dialogs/touchsizeddialogs.h"

#include "dialogs/errordisplay.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QSize kButtonMinimum(120, 60);
// The size of the field labels on the tabs.
constexpr int kTextPointSize = 19;

void enlargeText(QWidget* widget)
{
    QFont font = widget->font();
    if (font.pointSize() < kTextPointSize) {
        font.setPointSize(kTextPointSize);
        widget->setFont(font);
    }
}

void enlargeButton(QPushButton* button)
{
    button->setMinimumSize(button->minimumSize().expandedTo(kButtonMinimum));
}

} // namespace

TouchSizedDialogs::TouchSizedDialogs(QObject* parent) : QObject(parent) {}

void TouchSizedDialogs::install(QApplication& application)
{
    application.installEventFilter(new TouchSizedDialogs(&application));
}

bool TouchSizedDialogs::eventFilter(QObject* watched, QEvent* event)
{
    // A dialog's buttons can be added until it is shown, so it is sized at every showing.
    if (event->type() == QEvent::Show) {
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            enlargeMessageBox(box);
        } else if (auto* explanation = qobject_cast<ErrorDisplay*>(watched)) {
            enlargeButtonBoxes(explanation);
        }
    }
    return false;
}

void TouchSizedDialogs::enlargeMessageBox(QWidget* box)
{
    for (QLabel* label : box->findChildren<QLabel*>()) {
        enlargeText(label);
    }
    for (QPushButton* button : box->findChildren<QPushButton*>()) {
        enlargeText(button);
        enlargeButton(button);
    }
}

void TouchSizedDialogs::enlargeButtonBoxes(QWidget* dialog)
{
    for (QDialogButtonBox* buttons : dialog->findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* button : buttons->buttons()) {
            if (auto* pushButton = qobject_cast<QPushButton*>(button)) {
                enlargeButton(pushButton);
            }
        }
    }
}
