#ifndef ALPHAKEYBOARD_H
#define ALPHAKEYBOARD_H

#include "keyboard/keyboardwidget.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The on-screen keyboard of the text fields: digits, QWERTY letters with CAPS, punctuation and a
// space bar. It takes any text up to the maximum length the caller sets.
class AlphaKeyBoard : public KeyBoardWidget
{
    Q_OBJECT

public:
    explicit AlphaKeyBoard(QWidget* parent = nullptr);
    ~AlphaKeyBoard() override;

    // Lays out the keys; the window calls it once, right after construction.
    void buildLayout();

    void setMaxLength(int maxLength);
    void setLabel(QString caption, QString text);
    QString text() const { return mText; }

    void handleKeyEvent(QKeyEvent* event) override;

private slots:
    void onOk();
    void onCancel();
    void onClear();

private:
    void showText();

    QVBoxLayout* mMainLayout;
    QLabel* mCaption;
    QLineEdit* mEdit;
    QPushButton* mOk;
    QPushButton* mCancel;
    QPushButton* mClear;
    QString mText;
};

#endif
