#ifndef PAUSE_H
#define PAUSE_H

#include <QThread>

#include <functional>

// Blocks the calling thread for the given number of milliseconds.
using Pause = std::function<void(unsigned long milliseconds)>;

// The pause of the tool on real readers: the thread sleeps.
inline void sleepingPause(unsigned long milliseconds)
{
    QThread::msleep(milliseconds);
}

#endif
