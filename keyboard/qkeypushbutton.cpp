#include "keyboard/qkeypushbutton.h"

#include "keyboard/keyboardwidget.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {
const char* const kFramePiece = "color:white;border: 1px solid #000000;border-radius:6px;";
const char* const kNormalPiece =
    "background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,stop: 0 #8C8F8C, stop: 1 "
    "#1C1F1C);font-size: 18pt;";
const char* const kPressedPiece = "background:lightgray;color:darkred;font-size: 18pt;";
} // namespace

bool QKeyPushButton::capsOn = true;

QKeyPushButton::QKeyPushButton(KeyBoardWidget* keyboard)
    : QPushButton(keyboard), mKeyboard(keyboard)
{
    // Typing on a physical keyboard must keep going to the keyboard's edit line, so a tapped key
    // never takes the focus.
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QKeyPushButton::pressedKey, this, &QKeyPushButton::getKeyPress,
            Qt::DirectConnection);
}

bool QKeyPushButton::isCapsKey() const
{
    return text().contains(QLatin1String("CAPS"), Qt::CaseInsensitive);
}

void QKeyPushButton::showLook(const char* piece)
{
    setStyleSheet(QLatin1String(kFramePiece) + QLatin1String(piece));
}

void QKeyPushButton::showCapsLook()
{
    showLook(capsOn ? kPressedPiece : kNormalPiece);
}

void QKeyPushButton::mousePressEvent(QMouseEvent*)
{
    if (isCapsKey()) {
        capsOn = !capsOn;
        showCapsLook();
        repaint();
        QCoreApplication::processEvents();
        return;
    }
    showLook(kPressedPiece);
    repaint();
    QCoreApplication::processEvents();
    emit pressedKey(capsOn);
}

void QKeyPushButton::mouseReleaseEvent(QMouseEvent*)
{
    if (!isCapsKey()) {
        showLook(kNormalPiece);
    }
}

void QKeyPushButton::getKeyPress(bool statusCaps)
{
    const QString caption = text();
    const bool special =
        caption.size() != 1 && (caption.contains(QLatin1String("BACKSPACE"), Qt::CaseInsensitive) ||
                                caption.contains(QLatin1String("RETURN"), Qt::CaseInsensitive));
    int code = 0;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString keyText = caption;
    if (!special) {
        code = caption.isEmpty() ? 0 : static_cast<unsigned char>(caption.at(0).toLatin1());
        if (statusCaps) {
            modifiers = Qt::ShiftModifier;
        } else if (code >= 'A' && code <= 'Z') {
            code += 32;
            keyText = QString(QChar(code));
        }
    }
    QKeyEvent event(QEvent::KeyPress, code, modifiers, keyText, false, 1);
    mKeyboard->handleKeyEvent(&event);
    QCoreApplication::processEvents();
}
