#ifndef REFUSALFLASH_H
#define REFUSALFLASH_H

#include <QGraphicsEffect>

class QLineEdit;

// The sign that a keyboard's edit line cut off a key: the line is tinted amber for a moment, over
// its own look, which its style sheet keeps.
class RefusalFlash : public QGraphicsEffect
{
    Q_OBJECT

public:
    // Tints the edit; a second flash while one shows starts it afresh.
    static void flash(QLineEdit* edit);
    // From now on, flashes the edit for every key of a physical keyboard that its maximum length
    // cuts off, as for the keyboard's own keys.
    static void watchTyping(QLineEdit* edit);

protected:
    void draw(QPainter* painter) override;

private:
    RefusalFlash() = default;
};

#endif
