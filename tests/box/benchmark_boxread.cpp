#include "demo/demoboxlog.h"
#include "tests/support/flowbench.h"
#include "tests/support/isolatedenvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QTableWidget>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>

// Times the box flows through the real window on the emulated box. READ DATA FROM BOX of a full
// log unpaced gives the tool's own cost in wall time. Paced at the box's 115200 baud on the box's
// own clock, which counts the line and the converter's packets exactly and waits for neither, the
// download and a Simplified tab READ through the box compare with the time their bytes need on
// the line: with the converter's latency timer left at its 16 ms, and set to 2 ms as the link
// does. Not a test: it prints its figures.

namespace {

constexpr int kEntries = 3640;
constexpr int kBaudRate = 115200;
constexpr double kBitsPerByte = 11.0;

// The processor time of the process so far, which the machine's other load does not inflate.
double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

// Stops the clock when the outcome's message box shows, and counts the progress bar's repaints.
class Watch : public QObject
{
public:
    explicit Watch(QWidget* bar) : mBar(bar) {}

    void start()
    {
        mCpuStart = processCpuSeconds();
        mTimer.start();
    }
    double seconds() const { return mSeconds; }
    double cpuSeconds() const { return mCpu; }
    int repaints() const { return mRepaints; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == mBar && event->type() == QEvent::Paint) {
            ++mRepaints;
        }
        if (event->type() == QEvent::Show && mSeconds < 0.0 &&
            qobject_cast<QMessageBox*>(watched) != nullptr) {
            mSeconds = mTimer.nsecsElapsed() / 1e9;
            mCpu = processCpuSeconds() - mCpuStart;
        }
        return false;
    }

private:
    QWidget* mBar;
    QElapsedTimer mTimer;
    double mSeconds = -1.0;
    double mCpuStart = 0.0;
    double mCpu = 0.0;
    int mRepaints = 0;
};

struct Figures
{
    double seconds = 0.0;
    double cpuSeconds = 0.0;
    int repaints = 0;
    bool complete = false;
};

void removeSavedBoxLog()
{
    QFile::remove(QSettings(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo"))
                      .value(QStringLiteral("SBox Path Log"))
                      .toString());
}

bool downloadComplete(FlowBench& bench)
{
    return bench.answerer().texts().size() == 1 &&
           bench.answerer().texts().at(0).startsWith(
               QStringLiteral("Read operation was successfull\n")) &&
           bench.find<QTableWidget>("SBoxData")->rowCount() == kEntries;
}

Figures timeUnpacedDownload()
{
    removeSavedBoxLog();
    FlowBench bench;
    bench.useStandaloneBox();
    fillDemoBoxLog(bench.box(), kEntries);
    bench.start();
    bench.showTab(3);
    Watch watch(bench.find<QWidget>("progressBar"));
    qApp->installEventFilter(&watch);
    watch.start();
    bench.click(bench.readButton());
    qApp->removeEventFilter(&watch);
    Figures figures;
    figures.seconds = watch.seconds();
    figures.cpuSeconds = watch.cpuSeconds();
    figures.repaints = watch.repaints();
    figures.complete = downloadComplete(bench);
    return figures;
}

enum class BoxFlow
{
    Download,
    SimplifiedRead
};

struct LineFigures
{
    double milliseconds = 0.0;
    double wireMilliseconds = 0.0;
    int exchanges = 0;
    bool complete = false;
};

// How the converter takes the link's request for a short latency timer.
enum class Timer
{
    // Refused: it keeps its 16 ms.
    NotSet,
    // The D2XX library's 2 ms, as on Windows.
    D2xx,
    // A serial port in low-latency mode: 1 ms, as with Linux's ftdi_sio.
    LowLatencyPort
};

const char* timerName(Timer timer)
{
    return timer == Timer::NotSet ? "not set, 16 ms"
           : timer == Timer::D2xx ? "D2XX, 2 ms"
                                  : "low latency, 1 ms";
}

// One flow through the box on its clock.
LineFigures timeOnTheLine(BoxFlow flow, Timer timer)
{
    removeSavedBoxLog();
    FlowBench bench;
    bench.useStandaloneBox();
    EmulatedStandaloneBox& box = bench.box();
    if (flow == BoxFlow::Download)
        fillDemoBoxLog(box, kEntries);
    box.paceAt(kBaudRate, EmulatedStandaloneBox::Pacing::EmulatedTime);
    box.setLatencyTimerSupported(timer != Timer::NotSet);
    box.setLowLatencyPort(timer == Timer::LowLatencyPort);
    bench.start();
    bench.showTab(flow == BoxFlow::Download ? 3 : 0);
    const std::chrono::nanoseconds start = box.emulatedTime();
    const qint64 bytes = box.lineBytes();
    const int exchanges = box.exchanges();
    bench.click(bench.readButton());
    LineFigures figures;
    figures.milliseconds =
        std::chrono::duration<double, std::milli>(box.emulatedTime() - start).count();
    figures.wireMilliseconds = (box.lineBytes() - bytes) * kBitsPerByte * 1000.0 / kBaudRate;
    figures.exchanges = box.exchanges() - exchanges;
    figures.complete = flow == BoxFlow::Download
                           ? downloadComplete(bench)
                           : bench.answerer().texts() ==
                                 QStringList{QStringLiteral("Read operation was successfull")};
    return figures;
}

bool printLineRun(const char* flow, const char* timer, const LineFigures& figures)
{
    std::printf("%-22s %-16s %9d %12.1f %12.1f %7.3f%s\n", flow, timer, figures.exchanges,
                figures.milliseconds, figures.wireMilliseconds,
                figures.milliseconds / figures.wireMilliseconds,
                figures.complete ? "" : "  (flow failed)");
    std::fflush(stdout);
    return figures.complete;
}

} // namespace

int main(int argc, char* argv[])
{
    isolateTestEnvironment();
    QApplication application(argc, argv);
    // The tool's console messages would break up the tables.
    std::cout.setstate(std::ios::badbit);

    std::printf(
        "Through the box at %d baud, on the box's clock: the converter's latency timer left "
        "at 16 ms, set to 2 ms through D2XX (Windows), and 1 ms on a low-latency port (Linux)\n",
        kBaudRate);
    std::printf("%-22s %-16s %9s %12s %12s %7s\n", "flow", "latency timer", "exchanges", "time ms",
                "wire ms", "ratio");
    bool complete = true;
    const QByteArray download = QByteArray::number(kEntries) + " log entries";
    const Timer timers[] = {Timer::NotSet, Timer::D2xx, Timer::LowLatencyPort};
    for (const Timer timer : timers)
        complete &= printLineRun(download.constData(), timerName(timer),
                                 timeOnTheLine(BoxFlow::Download, timer));
    for (const Timer timer : timers)
        complete &= printLineRun("Simplified tab READ", timerName(timer),
                                 timeOnTheLine(BoxFlow::SimplifiedRead, timer));
    std::printf("The wire time counts every byte both ways at %.0f bits a byte.\n\n", kBitsPerByte);

    std::printf("READ DATA FROM BOX, %d entries, unpaced, in wall time: the tool's own cost\n",
                kEntries);
    std::printf("%10s %14s %12s %9s\n", "total s", "per entry us", "cpu/entry us", "repaints");
    std::fflush(stdout);
    const Figures unpaced = timeUnpacedDownload();
    std::printf("%10.3f %14.1f %12.1f %9d%s\n", unpaced.seconds, unpaced.seconds * 1e6 / kEntries,
                unpaced.cpuSeconds * 1e6 / kEntries, unpaced.repaints,
                unpaced.complete ? "" : "  (download incomplete)");
    return complete && unpaced.complete ? 0 : 1;
}
