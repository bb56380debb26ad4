#include "keyboard/alphakeyboard.h"

#include "keyboard/qkeypushbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char* const kClearStyle =
    "QPushButton {background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,stop: 0 #8C8F8C, "
    "stop: 1 #1C1F1C);font-size: 18pt;color:white;border: 1px solid #000000;border-radius:6px;}"
    "QPushButton:pressed {background:lightgray;color:darkred;font-size: 18pt;}";
} // namespace

AlphaKeyBoard::AlphaKeyBoard(QWidget* parent) : KeyBoardWidget(parent)
{
    mEdit->setMinimumSize(100, 50);
    mEdit->setStyleSheet(QStringLiteral("font-size: 20pt;"));
    connect(mOk, &QPushButton::pressed, this, &AlphaKeyBoard::onOk, Qt::DirectConnection);
    connect(mCancel, &QPushButton::pressed, this, &AlphaKeyBoard::onCancel, Qt::DirectConnection);
}

void AlphaKeyBoard::addKeyRows(QVBoxLayout* rows)
{
    QHBoxLayout* digitRow = keyRow(QStringLiteral("1234567890"));
    digitRow->addWidget(wideKey(QStringLiteral("BACKSPACE"), 2));
    rows->addLayout(digitRow);
    rows->addLayout(keyRow(QStringLiteral("QWERTYUIOP")));
    rows->addLayout(keyRow(QStringLiteral("ASDFGHJKL")));

    QHBoxLayout* capsRow = keyRow(QStringLiteral("ZXCVBNM"));
    QKeyPushButton* caps = wideKey(QStringLiteral("CAPS"), 2, 5);
    caps->showCapsLook();
    capsRow->insertWidget(0, caps);
    QPushButton* clear = commandButton(tr("CLEAR"), kClearStyle);
    connect(clear, &QPushButton::pressed, this, &AlphaKeyBoard::onClear, Qt::DirectConnection);
    capsRow->addWidget(clear);
    rows->addLayout(capsRow);

    rows->addLayout(keyRow(QStringLiteral(",;:.!?+*-_<>")));
    QHBoxLayout* spaceRow = keyRow(QStringLiteral("#="));
    spaceRow->addWidget(wideKey(QStringLiteral(" "), 8));
    spaceRow->addWidget(createKey(QStringLiteral("@")));
    spaceRow->addWidget(createKey(QStringLiteral("$")));
    rows->addLayout(spaceRow);
}

void AlphaKeyBoard::setMaxLength(int maxLength)
{
    mEdit->setMaxLength(maxLength);
}

void AlphaKeyBoard::setLabel(QString caption, QString text)
{
    mCaption->setText(caption);
    mEdit->setText(text);
}

QString AlphaKeyBoard::text() const
{
    return mEdit->text();
}

void AlphaKeyBoard::onOk()
{
    accept();
}

void AlphaKeyBoard::onCancel()
{
    reject();
}

void AlphaKeyBoard::onClear()
{
    mEdit->clear();
}
