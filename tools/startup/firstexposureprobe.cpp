// Preloaded into a Qt Widgets program by tools/measure-startup. Once the program's main window has
// been exposed (mapped and visible on the display) and has drawn itself there for the first time,
// it writes the time to the file named by KELVOCONF_STARTUP_REPORT and ends the program at once,
// so that shutting down costs nothing. A message box shown before that is answered as soon as it
// is on screen, as a user would, since the tool shows its main window only once its start-up
// questions are answered.
//
// It hooks in through the application's constructor and watches the application's events, so the
// programs measured carry no measuring code of their own.
#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Writes the wall-clock time in seconds and the processor time the program has used so far, user
// and system, in milliseconds.
void reportAndQuit()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const long long micro = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double processorMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                               (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    if (const char* path = std::getenv("KELVOCONF_STARTUP_REPORT")) {
        if (std::FILE* report = std::fopen(path, "w")) {
            std::fprintf(report, "%lld.%06lld %.1f\n", micro / 1000000, micro % 1000000,
                         processorMs);
            std::fclose(report);
        }
    }
    _exit(0);
}

QWidget* widgetOf(const QWindow* window)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == window) {
            return widget;
        }
    }
    return nullptr;
}

class FirstExposure : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || !watched->isWindowType() ||
            !static_cast<QWindow*>(watched)->isExposed()) {
            return false;
        }
        // A window draws itself while it handles its exposure; a zero timer runs once it has.
        QWidget* widget = widgetOf(static_cast<QWindow*>(watched));
        if (qobject_cast<QMainWindow*>(widget) != nullptr) {
            QTimer::singleShot(0, &reportAndQuit);
        } else if (auto* box = qobject_cast<QMessageBox*>(widget)) {
            QTimer::singleShot(0, box, &QMessageBox::reject);
        }
        return false;
    }
};

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(
        new FirstExposure(QCoreApplication::instance()));
}

[[maybe_unused]] const bool installed = (qAddPreRoutine(&installProbe), true);

} // namespace
