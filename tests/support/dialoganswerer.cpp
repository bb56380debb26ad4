#include "tests/support/dialoganswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QWidget>

DialogAnswerer::DialogAnswerer(QObject* parent) : QObject(parent)
{
    mTimer.setInterval(5);
    connect(&mTimer, &QTimer::timeout, this, &DialogAnswerer::answerActiveDialog);
    mTimer.start();
}

void DialogAnswerer::watchButton(const QString& objectName)
{
    mWatchedButton = objectName;
}

void DialogAnswerer::setMessageBoxAnswer(QMessageBox::StandardButton button)
{
    mAnswer = button;
}

void DialogAnswerer::setDialogHandler(Handler handler)
{
    mHandler = std::move(handler);
}

QStringList DialogAnswerer::texts() const
{
    QStringList result;
    for (const SeenDialog& dialog : mSeen) {
        result << dialog.text;
    }
    return result;
}

QString DialogAnswerer::watchedButtonStyle() const
{
    if (mWatchedButton.isEmpty()) {
        return QString();
    }
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->objectName() == mWatchedButton) {
            return widget->styleSheet();
        }
    }
    return QString();
}

void DialogAnswerer::answerActiveDialog()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || mHandling.contains(modal)) {
        return;
    }
    SeenDialog seen;
    seen.className = QString::fromLatin1(modal->metaObject()->className());
    seen.title = modal->windowTitle();
    seen.watchedButtonStyle = watchedButtonStyle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen.icon = box->icon();
        seen.text = box->text();
        seen.defaultButton = box->standardButton(box->defaultButton());
        seen.escapeButton = box->standardButton(box->escapeButton());
        mSeen.append(seen);
        QAbstractButton* button = box->button(mAnswer);
        if (button == nullptr) {
            button = box->buttons().value(0);
        }
        if (button != nullptr) {
            button->click();
        }
        return;
    }
    mSeen.append(seen);
    if (!mHandler) {
        modal->hide();
        return;
    }
    // A timer does not fire again while its own tick runs, so another one answers the dialogs
    // that the handler's presses open meanwhile.
    mHandling.append(modal);
    QTimer nested;
    nested.setInterval(mTimer.interval());
    connect(&nested, &QTimer::timeout, this, &DialogAnswerer::answerActiveDialog);
    nested.start();
    const Handler handler = mHandler;
    handler(modal);
    mHandling.removeOne(modal);
}
