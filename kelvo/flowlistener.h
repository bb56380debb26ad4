#ifndef FLOWLISTENER_H
#define FLOWLISTENER_H

#include <QString>

// What a flow shows while it runs: the progress dialog and its warnings, each at the moment the
// flow reaches it. The window shows them; the tests record them.
class FlowListener
{
public:
    enum class ProgressMode
    {
        Read,
        Write
    };

    virtual ~FlowListener() = default;

    virtual void showProgress(ProgressMode mode) = 0;
    virtual void progress(int value) = 0;
    virtual void hideProgress() = 0;
    // A modal warning with its own title, shown before the flow goes on.
    virtual void warning(const QString& title, const QString& text) = 0;
};

#endif
