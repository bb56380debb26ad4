#include "keyboard/alphakeyboard.h"

#include "keyboard/qkeypushbutton.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
const char* const kClearStyle =
    "QPushButton {background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,stop: 0 #8C8F8C, "
    "stop: 1 #1C1F1C);font-size: 18pt;color:white;border: 1px solid #000000;border-radius:6px;}"
    "QPushButton:pressed {background:lightgray;color:darkred;font-size: 18pt;}";
const char* const kCapsLitStyle = "color:white;border: 1px solid #000000;border-radius:6px;"
                                  "background:lightgray;color:darkred;font-size: 18pt;";
const char* const kCapsOffStyle =
    "color:white;border: 1px solid #000000;border-radius:6px;background-color: "
    "qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,stop: 0 #8C8F8C, stop: 1 #1C1F1C);font-size: "
    "18pt;";
} // namespace

AlphaKeyBoard::AlphaKeyBoard(QWidget* parent)
    : KeyBoardWidget(parent), mMainLayout(new QVBoxLayout), mCaption(new QLabel(this)),
      mEdit(new QLineEdit(this)), mOk(new QPushButton(tr("Ok"), this)),
      mCancel(new QPushButton(tr("Cancel"), this)), mClear(new QPushButton(tr("CLEAR"), this))
{
    connect(mOk, &QPushButton::pressed, this, &AlphaKeyBoard::onOk, Qt::DirectConnection);
    connect(mCancel, &QPushButton::pressed, this, &AlphaKeyBoard::onCancel, Qt::DirectConnection);
    connect(mClear, &QPushButton::pressed, this, &AlphaKeyBoard::onClear, Qt::DirectConnection);
}

AlphaKeyBoard::~AlphaKeyBoard()
{
    delete mMainLayout;
}

void AlphaKeyBoard::buildLayout()
{
    if (layout() != nullptr) {
        return;
    }
    mEdit->setMinimumSize(100, 50);
    mEdit->setStyleSheet(QStringLiteral("font-size: 20pt;"));
    mMainLayout->addLayout(topRow(mCaption, mEdit, mOk, mCancel));

    QStringList digits;
    for (char digit = '1'; digit <= '9'; ++digit) {
        digits << QString(QChar::fromLatin1(digit));
    }
    digits << tr("0");
    QHBoxLayout* digitRow = keyRow(digits);
    QKeyPushButton* backspace = createKey(tr("BACKSPACE"));
    widenKey(backspace, 2);
    digitRow->addWidget(backspace);
    mMainLayout->addLayout(digitRow);

    mMainLayout->addLayout(keyRow({tr("Q"), tr("W"), tr("E"), tr("R"), tr("T"), tr("Y"), tr("U"),
                                   tr("I"), tr("O"), tr("P")}));
    mMainLayout->addLayout(
        keyRow({tr("A"), tr("S"), tr("D"), tr("F"), tr("G"), tr("H"), tr("J"), tr("K"), tr("L")}));

    QKeyPushButton* caps = createKey(tr("CAPS"));
    widenKey(caps, 2, 5);
    // The lit look tells that letters come out in capitals.
    caps->setStyleSheet(QLatin1String(QKeyPushButton::capsOn ? kCapsLitStyle : kCapsOffStyle));
    QHBoxLayout* capsRow = keyRow({tr("Z"), tr("X"), tr("C"), tr("V"), tr("B"), tr("N"), tr("M")});
    capsRow->insertWidget(0, caps);
    mClear->setMinimumSize(100, 50);
    mClear->setMaximumSize(1000, 500);
    mClear->setStyleSheet(QLatin1String(kClearStyle));
    mClear->setFocusPolicy(Qt::NoFocus);
    capsRow->addWidget(mClear);
    mMainLayout->addLayout(capsRow);

    mMainLayout->addLayout(keyRow({tr(","), tr(";"), tr(":"), tr("."), tr("!"), tr("?"), tr("+"),
                                   tr("*"), tr("-"), tr("_"), tr("<"), tr(">")}));

    QHBoxLayout* spaceRow = keyRow({tr("#"), tr("=")});
    QKeyPushButton* space = createKey(QStringLiteral(" "));
    widenKey(space, 8);
    spaceRow->addWidget(space);
    spaceRow->addWidget(createKey(tr("@")));
    spaceRow->addWidget(createKey(tr("$")));
    mMainLayout->addLayout(spaceRow);

    mMainLayout->setContentsMargins(5, 5, 5, 5);
    setLayout(mMainLayout);
    styleConfirmButtons(mOk, mCancel);
}

void AlphaKeyBoard::setMaxLength(int maxLength)
{
    mEdit->setMaxLength(maxLength);
}

void AlphaKeyBoard::setLabel(QString caption, QString text)
{
    mText = text;
    mCaption->setText(caption);
    showText();
}

void AlphaKeyBoard::handleKeyEvent(QKeyEvent* event)
{
    typeInto(mEdit, event->text());
    mText = mEdit->text();
    // Shown again, the text ends with the cursor after it and nothing selected.
    showText();
}

void AlphaKeyBoard::showText()
{
    const QSignalBlocker blocker(this);
    mEdit->setText(mText);
}

void AlphaKeyBoard::onOk()
{
    mText = mEdit->text();
    accept();
}

void AlphaKeyBoard::onCancel()
{
    reject();
}

void AlphaKeyBoard::onClear()
{
    mText.clear();
    const QSignalBlocker blocker(this);
    mEdit->clear();
}
