#include "demo/demoboxlog.h"
#include "tests/app/flowbench.h"
#include "tests/support/isolatedenvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QTableWidget>

#include <cstdio>
#include <ctime>

// Times READ DATA FROM BOX through the real window on the emulated box holding a full log:
// unpaced, which is the tool's own cost, and paced at the box's 115200 baud, against the time the
// bytes need on the line. Not a test: it prints its figures.

namespace {

constexpr int kEntries = 3640;
constexpr int kBaudRate = 115200;
constexpr double kBitsPerByte = 11.0;
// An entry's request (0x52 0x03 0x6C and the index) and answer (0x52, the length, the echo and
// the 72 bytes of the entry).
constexpr int kRequestBytes = 5;
constexpr int kAnswerBytes = 75;

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

Figures timeRead(int baudRate)
{
    QFile::remove(QSettings(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo"))
                      .value(QStringLiteral("SBox Path Log"))
                      .toString());
    FlowBench bench;
    bench.useStandaloneBox();
    fillDemoBoxLog(bench.box(), kEntries);
    bench.box().paceAt(baudRate);
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
    figures.complete = bench.answerer().texts().size() == 1 &&
                       bench.answerer().texts().at(0).startsWith(
                           QStringLiteral("Read operation was successfull\n")) &&
                       bench.find<QTableWidget>("SBoxData")->rowCount() == kEntries;
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    isolateTestEnvironment();
    QApplication application(argc, argv);
    const double wireFloor = kEntries * (kRequestBytes + kAnswerBytes) * kBitsPerByte / kBaudRate;

    std::printf("READ DATA FROM BOX, %d entries, through the window on the emulated box\n",
                kEntries);
    std::printf("%-10s %10s %14s %12s %12s %10s %9s\n", "run", "total s", "per entry us",
                "cpu/entry us", "floor s", "ratio", "repaints");
    std::fflush(stdout);
    const Figures unpaced = timeRead(0);
    std::printf("%-10s %10.3f %14.1f %12.1f %12s %10s %9d%s\n", "unpaced", unpaced.seconds,
                unpaced.seconds * 1e6 / kEntries, unpaced.cpuSeconds * 1e6 / kEntries, "-", "-",
                unpaced.repaints, unpaced.complete ? "" : "  (download incomplete)");
    std::fflush(stdout);
    const Figures paced = timeRead(kBaudRate);
    std::printf("%-10s %10.3f %14.1f %12.1f %12.3f %10.3f %9d%s\n", "115200 Bd", paced.seconds,
                paced.seconds * 1e6 / kEntries, paced.cpuSeconds * 1e6 / kEntries, wireFloor,
                paced.seconds / wireFloor, paced.repaints,
                paced.complete ? "" : "  (download incomplete)");
    std::printf("The floor counts %d request and %d answer bytes an entry at %.0f bits a byte.\n",
                kRequestBytes, kAnswerBytes, kBitsPerByte);
    return unpaced.complete && paced.complete ? 0 : 1;
}
