#ifndef KEYBOARDWIDGET_H
#define KEYBOARDWIDGET_H

#include <QDialog>
#include <QPoint>
#include <QSize>

class QHBoxLayout;
class QKeyEvent;
class QKeyPushButton;
class QLabel;
class QLineEdit;
class QPushButton;

// Modal on-screen keyboard that covers the main window while a value is typed. Its key buttons
// hand their key events to handleKeyEvent; the concrete keyboards decide what a key does.
class KeyBoardWidget : public QDialog
{
    Q_OBJECT

public:
    explicit KeyBoardWidget(QWidget* parent = nullptr);

    virtual void handleKeyEvent(QKeyEvent* event);
    virtual QKeyPushButton* createKey(QString text);

public slots:
    // Places the keyboard at pos with the given size, runs it modally and returns 1 when the user
    // confirmed, 0 otherwise.
    int show(QSize size, QPoint pos);
    void hide();

protected:
    // A row of new keys with these captions, left to right.
    QHBoxLayout* keyRow(const QStringList& captions);
    // The row both keyboards start with: caption, edit, OK and Cancel. A physical key that the
    // edit's maximum length cuts off flashes it, as a tapped one does.
    static QHBoxLayout* topRow(QLabel* caption, QLineEdit* edit, QPushButton* ok,
                               QPushButton* cancel);
    // Widens a key to a multiple of the width it was created with.
    static void widenKey(QPushButton* key, int factor, int extra = 0);
    // The edit of a key shared by both keyboards: a one-character text is inserted at the
    // cursor and selected, BACKSPACE removes the character before the cursor. A character that
    // makes the text longer than the edit's maximum length flashes the edit, since the text is
    // cut back and the key would otherwise seem ignored.
    static void typeInto(QLineEdit* edit, const QString& keyText);
    // The looks of the OK and Cancel buttons, once the layout holds them. OK is the default
    // button, so that Enter on a physical keyboard confirms.
    static void styleConfirmButtons(QPushButton* ok, QPushButton* cancel);
};

#endif
