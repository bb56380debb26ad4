#ifndef ALPHAKEYBOARD_H
#define ALPHAKEYBOARD_H

#include "keyboard/keyboardwidget.h"

#include <QString>

// The on-screen keyboard of the text fields: digits, QWERTY letters with CAPS, punctuation and a
// space bar. It takes any text up to the maximum length the caller sets.
class AlphaKeyBoard : public KeyBoardWidget
{
    Q_OBJECT

public:
    explicit AlphaKeyBoard(QWidget* parent = nullptr);

    void setMaxLength(int maxLength);
    void setLabel(QString caption, QString text);
    // What the edit holds: the entry once the user confirmed.
    QString text() const;

private slots:
    void onOk();
    void onCancel();
    void onClear();

private:
    void addKeyRows(QVBoxLayout* rows) override;
};

#endif
