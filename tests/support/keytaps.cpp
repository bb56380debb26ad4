#include "tests/support/keytaps.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>

void tap(QWidget* widget)
{
    QTest::mousePress(widget, Qt::LeftButton);
    QTest::mouseRelease(widget, Qt::LeftButton);
}

QPushButton* buttonOf(QWidget* dialog, const QString& caption)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == caption) {
            return button;
        }
    }
    qFatal("no button %s", qPrintable(caption));
    return nullptr;
}

void tapKeys(QWidget* keyboard, const QString& text)
{
    for (const QChar character : text) {
        tap(buttonOf(keyboard, QString(character)));
    }
}

void actInside(QWidget* dialog, const std::function<void()>& steps)
{
    steps();
    auto* modal = qobject_cast<QDialog*>(dialog);
    if (QTest::currentTestFailed() && modal != nullptr && modal->isVisible()) {
        modal->reject();
    }
}
