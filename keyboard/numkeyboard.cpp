#include "keyboard/numkeyboard.h"

#include "keyboard/qkeypushbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {
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

NumKeyBoard::NumKeyBoard(QWidget* parent) : KeyBoardWidget(parent), mSlider(new QSlider(this))
{
    mEdit->setMinimumSize(100, 80);
    mEdit->setStyleSheet(QStringLiteral("font-size: 40pt;"));
    connect(mOk, &QPushButton::pressed, this, &NumKeyBoard::onOk, Qt::DirectConnection);
    connect(mCancel, &QPushButton::pressed, this, &NumKeyBoard::onCancel, Qt::DirectConnection);
    connect(mEdit, &QLineEdit::textChanged, this, &NumKeyBoard::onTextChanged,
            Qt::DirectConnection);
    connect(mSlider, &QSlider::valueChanged, this, &NumKeyBoard::onSliderValueChanged,
            Qt::DirectConnection);
}

QKeyPushButton* NumKeyBoard::createKey(QString text)
{
    QKeyPushButton* key = KeyBoardWidget::createKey(text);
    key->setMinimumSize(100, 50);
    return key;
}

void NumKeyBoard::addKeyRows(QVBoxLayout* rows)
{
    auto* sliderRow = new QHBoxLayout;
    mSlider->setOrientation(Qt::Horizontal);
    mSlider->setInvertedControls(true);
    mSlider->setMinimumSize(600, 80);
    mSlider->setStyleSheet(QLatin1String(kSliderStyle));
    mSlider->setFocusPolicy(Qt::NoFocus);
    sliderRow->addWidget(mSlider);
    rows->addLayout(sliderRow);

    const struct
    {
        const char* digits;
        QPushButton* button;
        void (NumKeyBoard::*action)();
    } digitRows[] = {
        {"123", commandButton(tr("Increment +"), kStepStyle), &NumKeyBoard::onInc},
        {"456", commandButton(tr("Decrement -"), kStepStyle), &NumKeyBoard::onDec},
        {"789", commandButton(tr("Clear"), kClearStyle), &NumKeyBoard::onClear},
    };
    for (const auto& row : digitRows) {
        connect(row.button, &QPushButton::pressed, this, row.action, Qt::DirectConnection);
        QHBoxLayout* keys = keyRow(QLatin1String(row.digits));
        keys->addWidget(row.button);
        rows->addLayout(keys);
    }

    QHBoxLayout* lastRow = keyRow(QStringLiteral("0"));
    lastRow->addWidget(wideKey(QStringLiteral("BACKSPACE"), 3));
    rows->addLayout(lastRow);
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
    const bool inRange = mValue >= mMinimum && mValue <= mMaximum;
    mEdit->setStyleSheet(QLatin1String(inRange ? kInRangeStyle : kOutOfRangeStyle));
    mEdit->setText(QString::number(mValue));
    if (inRange) {
        mSlider->setValue(mValue);
    }
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
