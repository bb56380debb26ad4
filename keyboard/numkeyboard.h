#ifndef NUMKEYBOARD_H
#define NUMKEYBOARD_H

#include "keyboard/keyboardwidget.h"

class QSlider;

// The on-screen keypad of the whole-number fields. The value shows green inside the caller's
// range and red outside it, and OK accepts only a value inside the range.
class NumKeyBoard : public KeyBoardWidget
{
    Q_OBJECT

public:
    explicit NumKeyBoard(QWidget* parent = nullptr);

    void setRange(int min, int max, int maxLength);
    void setLabel(QString caption, int value);
    int value() const { return mValue; }

    QKeyPushButton* createKey(QString text) override;

private slots:
    void onOk();
    void onCancel();
    void onInc();
    void onDec();
    void onClear();
    void onSliderValueChanged(int val);
    void onTextChanged(QString text);

private:
    void addKeyRows(QVBoxLayout* rows) override;
    void refresh();
    int editedValue() const;

    QSlider* mSlider;
    int mValue = 0;
    int mMinimum = 0;
    int mMaximum = 10000;
};

#endif
