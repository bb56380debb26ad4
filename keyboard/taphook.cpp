#include "keyboard/taphook.h"

#include <QEvent>
#include <QWidget>

TapHook::TapHook(QWidget* watched, std::function<void()> action) : mAction(std::move(action))
{
    if (watched != nullptr) {
        watched->installEventFilter(this);
    }
}

bool TapHook::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        mAction();
    }
    return false;
}
