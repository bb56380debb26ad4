#include "keyboard/numkeyboard.h"

#include "keyboard/qkeypushbutton.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <iterator>

namespace {
const QSize kKeyMinimumSize(100, 50);
const QSize kKeyMaximumSize(1000, 500);

const char* const kStepStyle =
    "QPushButton {background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,stop: 0 #0000FF, "
    "stop: 1 #000022);font-size: 20pt;color:white;border: 1px solid #000000;border-radius:6px;}"
    "QPushButton:pressed {background:lightgray;color:darkred;font-size: 20pt;}";
const char* const kClearStyle =
    "QPushButton {background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,stop: 0 #8C8F8C, "
    "stop: 1 #1C1F1C);font-size: 20pt;color:white;border: 1px solid #000000;border-radius:6px;}"
    "QPushButton:pressed {background:lightgray;color:darkred;font-size: 20pt;}";
const char* const kSliderStyle =
    "QSlider::groove:horizontal {border: 1px solid #999999;height: 10px;background: "
    "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #B1B1B1, stop:1 white);margin: 2px 0;}"
    "QSlider::handle:horizontal {background: qlineargradient(x1:0, y1:0, x2:1, y2:1, stop:0 "
    "#0000FF, stop:1 white);border: 1px solid #5c5c5c;width: 60px;margin: -30px 0;border-radius: "
    "30px;}";
const char* const kInRangeStyle = "color:#00FF00; font-size: 20pt;font-size: 40pt;";
const char* const kOutOfRangeStyle = "color:#FF0000; font-size: 20pt;font-size: 40pt;";
} // namespace

NumKeyBoard::NumKeyBoard(QWidget* parent)
    : KeyBoardWidget(parent), mMainLayout(new QVBoxLayout), mCaption(new QLabel(this)),
      mEdit(new QLineEdit(this)), mOk(new QPushButton(tr("Ok"), this)),
      mCancel(new QPushButton(tr("Cancel"), this)),
      mIncrement(new QPushButton(tr("Increment +"), this)),
      mDecrement(new QPushButton(tr("Decrement -"), this)),
      mClear(new QPushButton(tr("Clear"), this)), mSlider(new QSlider(this))
{
    connect(mOk, &QPushButton::pressed, this, &NumKeyBoard::onOk, Qt::DirectConnection);
    connect(mCancel, &QPushButton::pressed, this, &NumKeyBoard::onCancel, Qt::DirectConnection);
    connect(mEdit, &QLineEdit::textChanged, this, &NumKeyBoard::onTextChanged,
            Qt::DirectConnection);
    connect(mIncrement, &QPushButton::pressed, this, &NumKeyBoard::onInc, Qt::DirectConnection);
    connect(mDecrement, &QPushButton::pressed, this, &NumKeyBoard::onDec, Qt::DirectConnection);
    connect(mClear, &QPushButton::pressed, this, &NumKeyBoard::onClear, Qt::DirectConnection);
    connect(mSlider, &QSlider::valueChanged, this, &NumKeyBoard::onSliderValueChanged,
            Qt::DirectConnection);
}

NumKeyBoard::~NumKeyBoard()
{
    delete mMainLayout;
}

QKeyPushButton* NumKeyBoard::createKey(QString text)
{
    QKeyPushButton* key = KeyBoardWidget::createKey(text);
    key->setMinimumSize(kKeyMinimumSize);
    key->setMaximumSize(kKeyMaximumSize);
    return key;
}

void NumKeyBoard::buildLayout()
{
    if (layout() != nullptr) {
        return;
    }
    mEdit->setMinimumSize(100, 80);
    mEdit->setStyleSheet(QStringLiteral("font-size: 40pt;"));
    mMainLayout->addLayout(topRow(mCaption, mEdit, mOk, mCancel));

    auto* sliderRow = new QHBoxLayout;
    mSlider->setOrientation(Qt::Horizontal);
    mSlider->setInvertedControls(true);
    mSlider->setMinimumSize(600, 80);
    mSlider->setMinimumHeight(80);
    mSlider->setStyleSheet(QLatin1String(kSliderStyle));
    mSlider->setFocusPolicy(Qt::NoFocus);
    sliderRow->addWidget(mSlider);
    mMainLayout->addLayout(sliderRow);

    const struct
    {
        QPushButton* button;
        const char* style;
    } sideButtons[] = {{mIncrement, kStepStyle}, {mDecrement, kStepStyle}, {mClear, kClearStyle}};
    for (const auto& side : sideButtons) {
        side.button->setMinimumSize(kKeyMinimumSize);
        side.button->setMaximumSize(kKeyMaximumSize);
        side.button->setStyleSheet(QLatin1String(side.style));
        // Tapped, they leave the focus in the value edit for a physical keyboard.
        side.button->setFocusPolicy(Qt::NoFocus);
    }
    const QStringList digitRows[] = {
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")},
        {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")},
        {QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9")}};
    for (std::size_t row = 0; row < std::size(sideButtons); ++row) {
        QHBoxLayout* keys = keyRow(digitRows[row]);
        keys->addWidget(sideButtons[row].button);
        mMainLayout->addLayout(keys);
    }

    QHBoxLayout* lastRow = keyRow({QStringLiteral("0")});
    QKeyPushButton* backspace = createKey(QStringLiteral("BACKSPACE"));
    widenKey(backspace, 3);
    lastRow->addWidget(backspace);
    mMainLayout->addLayout(lastRow);

    mMainLayout->setContentsMargins(5, 5, 5, 5);
    setLayout(mMainLayout);
    styleConfirmButtons(mOk, mCancel);
}

void NumKeyBoard::setRange(int min, int max, int maxLength)
{
    mEdit->setMaxLength(maxLength);
    mMaximum = max;
    mMinimum = min;
    mSlider->setRange(min, max);
}

void NumKeyBoard::setLabel(QString caption, int value)
{
    mValue = value;
    mCaption->setText(caption);
    refresh();
}

int NumKeyBoard::editedValue() const
{
    // Text that is not a number counts as 0.
    return mEdit->text().toInt();
}

void NumKeyBoard::refresh()
{
    const QSignalBlocker blocker(this);
    const bool inRange = mValue >= mMinimum && mValue <= mMaximum;
    mEdit->setStyleSheet(QLatin1String(inRange ? kInRangeStyle : kOutOfRangeStyle));
    mEdit->setText(QString::number(mValue));
    if (inRange) {
        mSlider->setValue(mValue);
    }
}

void NumKeyBoard::handleKeyEvent(QKeyEvent* event)
{
    typeInto(mEdit, event->text());
    mValue = editedValue();
    refresh();
}

void NumKeyBoard::onOk()
{
    mValue = editedValue();
    if (mValue >= mMinimum && mValue <= mMaximum) {
        accept();
        return;
    }
    // A second line names the range, which the keypad shows nowhere else in figures.
    QMessageBox::warning(this, tr("KeyBoard"),
                         tr("The value you put is not in the specified range") + QLatin1Char('\n') +
                             tr("Allowed: %1 to %2").arg(mMinimum).arg(mMaximum));
    // The release of the tap went to the warning, so OK would stay drawn pressed.
    mOk->setDown(false);
}

void NumKeyBoard::onCancel()
{
    reject();
}

void NumKeyBoard::onInc()
{
    if (mValue < mMaximum) {
        ++mValue;
    }
    refresh();
}

void NumKeyBoard::onDec()
{
    if (mValue > mMinimum) {
        --mValue;
    }
    refresh();
}

void NumKeyBoard::onClear()
{
    mValue = 0;
    refresh();
}

void NumKeyBoard::onSliderValueChanged(int val)
{
    if (val >= mMinimum && val <= mMaximum) {
        mValue = val;
        refresh();
    }
}

void NumKeyBoard::onTextChanged(QString)
{
    mValue = editedValue();
    refresh();
}
