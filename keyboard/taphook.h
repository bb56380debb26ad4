#ifndef TAPHOOK_H
#define TAPHOOK_H

#include <QObject>

#include <functional>

class QWidget;

// Runs an action when a widget is touched, as a tap on an entry field of the window opens its
// keyboard: for the fields of dialogs, which the window does not watch itself. It watches only
// while it lives; a missing widget is never touched.
class TapHook : public QObject
{
public:
    TapHook(QWidget* watched, std::function<void()> action);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> mAction;
};

#endif
