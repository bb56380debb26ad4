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
class QVBoxLayout;

// Modal on-screen keyboard that covers the main window while a value is typed: a caption, the
// edit that holds the value, OK and Cancel on top, the concrete keyboard's keys below. Its key
// buttons hand their key events to handleKeyEvent.
class KeyBoardWidget : public QDialog
{
    Q_OBJECT

public:
    explicit KeyBoardWidget(QWidget* parent = nullptr);

    // Types the key into the edit: a one-character text goes in at the cursor, BACKSPACE removes
    // the character before the cursor. The edit then shows its text with the cursor at the end
    // and nothing selected. A character that makes the text longer than the edit's maximum
    // length flashes the edit, since the text is cut back and the key would otherwise seem
    // ignored.
    virtual void handleKeyEvent(QKeyEvent* event);
    virtual QKeyPushButton* createKey(QString text);

    // Lays out the keyboard; the window calls it once, right after construction.
    void buildLayout();

public slots:
    // Places the keyboard at pos with the given size, runs it modally and returns 1 when the user
    // confirmed, 0 otherwise.
    int show(QSize size, QPoint pos);
    void hide();

protected:
    // The rows of keys under the top row, top to bottom.
    virtual void addKeyRows(QVBoxLayout* rows);
    // A row of new keys, one per character, left to right.
    QHBoxLayout* keyRow(const QString& characters);
    // A new key a multiple of the width it would have been created with.
    QKeyPushButton* wideKey(const QString& caption, int factor, int extra = 0);
    // A button beside the keys, with this look. Tapped, it leaves the focus in the edit for a
    // physical keyboard.
    QPushButton* commandButton(const QString& caption, const char* style);

    QLabel* mCaption;
    QLineEdit* mEdit;
    // OK is the default button, so that Enter on a physical keyboard confirms.
    QPushButton* mOk;
    QPushButton* mCancel;
};

#endif
