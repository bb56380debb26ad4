#include "keyboard/keyboardwidget.h"

#include "keyboard/qkeypushbutton.h"
#include "keyboard/refusalflash.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const char* const kOkStyle =
    "QPushButton {background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,stop: 0 #00FF00, "
    "stop: 1 #002200);font-size: 20pt;color:white;border: 1px solid #000000;border-radius:6px;}"
    "QPushButton:pressed {background:lightgray;color:darkgreen;font-size: 20pt;}";
const char* const kCancelStyle =
    "QPushButton {background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,stop: 0 #FF5555, "
    "stop: 1 #220000);font-size: 20pt;color:white;border: 1px solid #000000;border-radius:6px;}"
    "QPushButton:pressed {background:lightgray;color:darkred;font-size: 20pt;}";
const char* const kKeyStyle =
    "QKeyPushButton {background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,stop: 0 #8C8F8C, "
    "stop: 1 #1C1F1C);font-size: 18pt;color:white;border: 1px solid #000000;border-radius:6px;}"
    "QKeyPushButton:pressed {background:lightgray;color:darkred;font-size: 18pt;}";
} // namespace

KeyBoardWidget::KeyBoardWidget(QWidget* parent) : QDialog(parent)
{
    // Minimised, a modal keyboard takes the window with it and leaves nothing to tap. Some window
    // managers give every title bar a minimise button whatever the window asks for, so the
    // keyboard has no title bar: it covers the window, and Cancel closes it.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setMinimumSize(800, 600);
    // The keys take their look from this one style sheet, read once for the whole keyboard: a
    // sheet of each key's own would be read and applied key by key at start-up. A look set on a
    // key itself, as CAPS's or a pressed key's, wins over it.
    setStyleSheet(QLatin1String(kKeyStyle));
}

void KeyBoardWidget::handleKeyEvent(QKeyEvent*) {}

QKeyPushButton* KeyBoardWidget::createKey(QString text)
{
    auto* key = new QKeyPushButton(this);
    key->setText(text);
    key->setObjectName(text);
    key->setMinimumSize(54, 40);
    key->setMaximumSize(1000, 500);
    return key;
}

int KeyBoardWidget::show(QSize size, QPoint pos)
{
    // A keyboard left minimised would run its modal loop out of sight and lock the window.
    if (windowState() == Qt::WindowMinimized) {
        setWindowState(Qt::WindowNoState);
    }
    // A dialog shown again hands the focus back to its edit as if tabbed into it, which selects
    // the whole text while the keys insert at the cursor. Forgotten, the focus goes to the edit
    // when the keyboard becomes active, as on the first opening: cursor at the end, nothing
    // selected.
    if (QWidget* focused = focusWidget()) {
        focused->clearFocus();
    }
    move(pos);
    resize(size);
    return exec();
}

void KeyBoardWidget::hide()
{
    setVisible(false);
}

void KeyBoardWidget::typeInto(QLineEdit* edit, const QString& keyText)
{
    QString text = edit->text();
    const int cursor = edit->cursorPosition();
    if (keyText.size() == 1) {
        text.insert(cursor, keyText);
        if (text.size() > edit->maxLength()) {
            RefusalFlash::flash(edit);
        }
        edit->setText(text);
        edit->setCursorPosition(cursor + 1);
        edit->setSelection(cursor, 1);
    } else if (keyText.contains(QLatin1String("BACKSPACE"), Qt::CaseInsensitive) &&
               cursor - 1 >= 0) {
        text.remove(cursor - 1, 1);
        edit->setText(text);
        edit->setCursorPosition(cursor - 1);
        if (cursor - 2 >= 0) {
            edit->setSelection(cursor - 2, 1);
        }
    }
}

QHBoxLayout* KeyBoardWidget::keyRow(const QStringList& captions)
{
    auto* row = new QHBoxLayout;
    for (const QString& caption : captions) {
        row->addWidget(createKey(caption));
    }
    return row;
}

QHBoxLayout* KeyBoardWidget::topRow(QLabel* caption, QLineEdit* edit, QPushButton* ok,
                                    QPushButton* cancel)
{
    QFont font;
    font.setFamily(QStringLiteral("Times"));
    font.setPointSize(20);
    font.setBold(true);
    font.setItalic(false);
    caption->setFont(font);
    caption->setText(tr("Label"));
    RefusalFlash::watchTyping(edit);
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(edit);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

void KeyBoardWidget::widenKey(QPushButton* key, int factor, int extra)
{
    key->setMinimumWidth(key->minimumWidth() * factor + extra);
    key->setMaximumWidth(key->maximumWidth() * factor + extra);
}

void KeyBoardWidget::styleConfirmButtons(QPushButton* ok, QPushButton* cancel)
{
    const struct
    {
        QPushButton* button;
        const char* style;
    } buttons[] = {{ok, kOkStyle}, {cancel, kCancelStyle}};
    for (const auto& entry : buttons) {
        entry.button->setMinimumSize(100, 50);
        entry.button->setMaximumSize(1000, 500);
        entry.button->setStyleSheet(QLatin1String(entry.style));
        entry.button->setFocusPolicy(Qt::NoFocus);
    }
    ok->setDefault(true);
}
