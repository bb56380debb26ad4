#ifndef QKEYPUSHBUTTON_H
#define QKEYPUSHBUTTON_H

#include <QPushButton>

class KeyBoardWidget;

// A key of an on-screen keyboard. A press (a tap on the touch panel) turns into a key event for
// its keyboard; the button never emits clicked() or pressed(). The CAPS key only toggles the
// CAPS state that all keys of the process share. Until its first press a key looks as its
// keyboard's style sheet says.
class QKeyPushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit QKeyPushButton(KeyBoardWidget* keyboard);

    static bool capsOn;

    // The CAPS key's look: lit while letters come out in capitals.
    void showCapsLook();

signals:
    void pressedKey(bool statusCaps);

public slots:
    void getKeyPress(bool statusCaps);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool isCapsKey() const;
    void showLook(const char* piece);

    KeyBoardWidget* mKeyboard;
};

#endif
