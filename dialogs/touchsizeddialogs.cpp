#include "dialogs/touchsizeddialogs.h"

#include "dialogs/errordisplay.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace {

const QSize kButtonMinimum(120, 60);
const QSize kToolButtonMinimum(60, 60);
const QSize kToolIconSize(40, 40);
constexpr int kRowMinimumHeight = 60;
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

void enlargeRow(QWidget* widget)
{
    widget->setMinimumHeight(std::max(widget->minimumHeight(), kRowMinimumHeight));
}

// Applies change to every widget of type Child inside parent.
template <typename Child, typename Change> void forEachChild(QWidget* parent, Change change)
{
    const QList<Child*> children = parent->findChildren<Child*>();
    for (Child* child : children) {
        change(child);
    }
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
        } else if (auto* files = qobject_cast<QFileDialog*>(watched)) {
            enlargeFileDialog(files);
        }
    }
    return false;
}

void TouchSizedDialogs::enlargeMessageBox(QWidget* box)
{
    forEachChild<QLabel>(box, enlargeText);
    forEachChild<QPushButton>(box, [](QPushButton* button) {
        enlargeText(button);
        enlargeButton(button);
    });
}

void TouchSizedDialogs::enlargeButtonBoxes(QWidget* dialog)
{
    forEachChild<QDialogButtonBox>(dialog, [](QDialogButtonBox* buttonBox) {
        forEachChild<QPushButton>(buttonBox, enlargeButton);
    });
}

// Every text of the chooser as large as the field labels; every row, button, list and field a
// finger's height. The views' rows only grow, so the lists keep their own look otherwise.
void TouchSizedDialogs::enlargeFileDialog(QWidget* dialog)
{
    // The views' text size goes in their style sheet too: a style sheet sets the fonts of a view
    // and of its own widgets, such as its header, afresh whenever it is applied.
    forEachChild<QAbstractItemView>(dialog, [](QAbstractItemView* view) {
        view->setStyleSheet(QStringLiteral("QAbstractItemView { font-size: %1pt; }"
                                           "QAbstractItemView::item { min-height: %2px; }")
                                .arg(kTextPointSize)
                                .arg(kRowMinimumHeight));
    });
    enlargeText(dialog);
    forEachChild<QWidget>(dialog, enlargeText);
    forEachChild<QPushButton>(dialog, enlargeButton);
    forEachChild<QToolButton>(dialog, [](QToolButton* button) {
        button->setMinimumSize(button->minimumSize().expandedTo(kToolButtonMinimum));
        button->setMaximumSize(button->maximumSize().expandedTo(kToolButtonMinimum));
        button->setIconSize(kToolIconSize);
    });
    // The names take the room the other columns leave, and the side bar shows its places whole.
    forEachChild<QHeaderView>(dialog, [](QHeaderView* header) {
        if (header->count() > 0) {
            header->setSectionResizeMode(QHeaderView::ResizeToContents);
            header->setSectionResizeMode(0, QHeaderView::Stretch);
        }
    });
    if (auto* sidebar = dialog->findChild<QAbstractItemView*>(QStringLiteral("sidebar"))) {
        sidebar->setMinimumWidth(sidebar->sizeHintForColumn(0) + kRowMinimumHeight);
    }
    forEachChild<QComboBox>(dialog, enlargeRow);
    forEachChild<QLineEdit>(dialog, enlargeRow);
}
