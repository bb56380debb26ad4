#ifndef DIALOGANSWERER_H
#define DIALOGANSWERER_H

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// What a modal dialog looked like while it was open.
struct SeenDialog
{
    QString className;
    QMessageBox::Icon icon = QMessageBox::NoIcon; // message boxes only
    QString title;
    QString text; // message boxes only
    QString watchedButtonStyle;
    // The buttons that Enter and Escape press (message boxes only).
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::StandardButton escapeButton = QMessageBox::NoButton;
};

// Answers the modal dialogs of the code under test from a timer: it records each one (kind,
// title, text and the style sheet of a watched button at that moment), then clicks the chosen
// message-box button, or hands any other dialog to a handler (by default it hides it). The
// handler runs inside the dialog's own event loop, so it can press the dialog's buttons; the
// dialogs that those presses open in turn are answered too.
class DialogAnswerer : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(QWidget* dialog)>;

    explicit DialogAnswerer(QObject* parent = nullptr);

    // The button whose style sheet is recorded with every dialog, looked up by object name.
    void watchButton(const QString& objectName);
    // The message-box button to click; Ok unless set otherwise.
    void setMessageBoxAnswer(QMessageBox::StandardButton button);
    // Called for every modal dialog that is not a message box, after it was recorded. The handler
    // must close the dialog, or it is recorded again at the next tick after the handler returns.
    void setDialogHandler(Handler handler);

    const QList<SeenDialog>& seen() const { return mSeen; }
    QStringList texts() const;
    void clear() { mSeen.clear(); }

private:
    void answerActiveDialog();
    QString watchedButtonStyle() const;

    QTimer mTimer;
    QString mWatchedButton;
    QMessageBox::StandardButton mAnswer = QMessageBox::Ok;
    Handler mHandler;
    QList<QWidget*> mHandling;
    QList<SeenDialog> mSeen;
};

#endif
