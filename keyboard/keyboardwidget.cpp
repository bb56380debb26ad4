#include "keyboard/keyboardwidget.h"

#include "keyboard/qkeypushbutton.h"
#include "keyboard/refusalflash.h"

#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

KeyBoardWidget::KeyBoardWidget(QWidget* parent)
    : QDialog(parent), mCaption(new QLabel(tr("Label"), this)), mEdit(new QLineEdit(this)),
      mOk(commandButton(tr("Ok"), kOkStyle)), mCancel(commandButton(tr("Cancel"), kCancelStyle))
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

    QFont font;
    font.setFamily(QStringLiteral("Times"));
    font.setPointSize(20);
    font.setBold(true);
    font.setItalic(false);
    mCaption->setFont(font);
    // A physical key that the edit's maximum length cuts off flashes it, as a tapped one does.
    RefusalFlash::watchTyping(mEdit);
    mOk->setDefault(true);
}

void KeyBoardWidget::handleKeyEvent(QKeyEvent* event)
{
    const QString keyText = event->text();
    QString text = mEdit->text();
    const int cursor = mEdit->cursorPosition();
    if (keyText.size() == 1) {
        text.insert(cursor, keyText);
        if (text.size() > mEdit->maxLength()) {
            RefusalFlash::flash(mEdit);
        }
    } else if (keyText.contains(QLatin1String("BACKSPACE"), Qt::CaseInsensitive) && cursor > 0) {
        text.remove(cursor - 1, 1);
    }
    // Setting the text, even an unchanged one, moves the cursor to its end and clears the
    // selection.
    mEdit->setText(text);
}

QKeyPushButton* KeyBoardWidget::createKey(QString text)
{
    auto* key = new QKeyPushButton(this);
    key->setText(text);
    key->setObjectName(text);
    key->setMinimumSize(54, 40);
    key->setMaximumSize(1000, 500);
    return key;
}

void KeyBoardWidget::buildLayout()
{
    if (layout() != nullptr) {
        return;
    }
    auto* rows = new QVBoxLayout;
    auto* topRow = new QHBoxLayout;
    topRow->addWidget(mCaption);
    topRow->addWidget(mEdit);
    topRow->addWidget(mOk);
    topRow->addWidget(mCancel);
    rows->addLayout(topRow);
    addKeyRows(rows);
    rows->setContentsMargins(5, 5, 5, 5);
    setLayout(rows);
}

void KeyBoardWidget::addKeyRows(QVBoxLayout*) {}

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

QHBoxLayout* KeyBoardWidget::keyRow(const QString& characters)
{
    auto* row = new QHBoxLayout;
    for (const QChar character : characters) {
        row->addWidget(createKey(QString(character)));
    }
    return row;
}

QKeyPushButton* KeyBoardWidget::wideKey(const QString& caption, int factor, int extra)
{
    QKeyPushButton* key = createKey(caption);
    key->setMinimumWidth(key->minimumWidth() * factor + extra);
    key->setMaximumWidth(key->maximumWidth() * factor + extra);
    return key;
}

QPushButton* KeyBoardWidget::commandButton(const QString& caption, const char* style)
{
    auto* button = new QPushButton(caption, this);
    button->setMinimumSize(100, 50);
    button->setMaximumSize(1000, 500);
    button->setStyleSheet(QLatin1String(style));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}
