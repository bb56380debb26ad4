#include "app/mainwindow.h"
#include "demo/demoboxlog.h"
#include "demo/demoworkspace.h"
#include "dialogs/touchsizeddialogs.h"
#include "emulation/emulatedcr95hfboard.h"
#include "emulation/emulatedstandalonebox.h"
#include "kelvo/tagmemorymap.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

constexpr int kDemoBoxLogEntries = 300;
constexpr int kDemoBoxBatteryLevel = 64;

// A configured Kelvo whose battery is just above and whose supercapacitor is just below the
// battery threshold (3298 mV), with its supercapacitor error flag set, so that every colour of
// the display shows up.
void prepareDemoTag(EmulatedKelvoTag& tag)
{
    tag.fillWithPlausibleValues();
    KelvoRecord record;
    record.mBatteryLevel = 3304;
    record.mSupercapLevel = 3292;
    record.mErrorFlags = 0x20; // " Supercap "
    const TagImage image = tagImageOf(record);
    tag.setBlock(8, image[8] | (tag.block(8) & 0xFFFFu));
    tag.setBlock(0, (tag.block(0) & 0xFFFFFF00u) | (image[0] & 0xFFu));
}

} // namespace

// The operator build on an emulated reader with a Kelvo in its field: the CR95HF board, or with
// the argument --box the Standalone Box, whose log holds a few hundred entries and which answers
// at the pace of its 115200 baud line. What is written stays in the emulation until the program
// ends. The setup and the logs stay in the demo's own folder.
int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString workspace =
        enterDemoWorkspace(QCoreApplication::applicationDirPath() + QStringLiteral("/Images"));
    if (workspace.isEmpty()) {
        std::fprintf(stderr, "kelvoconf-demo: cannot make its folder in the user's data folder\n");
        return 1;
    }
    std::printf("kelvoconf-demo works in %s: its settings, operations log and LogBox files stay "
                "there.\n",
                qPrintable(QDir::toNativeSeparators(workspace)));
    std::fflush(stdout);
    TouchSizedDialogs::install(application);
    const bool useBox = application.arguments().contains(QStringLiteral("--box"));
    EmulatedCr95hfBoard board;
    EmulatedStandaloneBox box;
    prepareDemoTag(board.tag());
    prepareDemoTag(box.tag());
    board.setPlugged(!useBox);
    box.setPlugged(useBox);
    box.setBatteryLevel(kDemoBoxBatteryLevel);
    fillDemoBoxLog(box, kDemoBoxLogEntries);
    box.paceAt(115200);
    MainWindow window(board, box, QLatin1String(kDemoSetupStore));
    window.show();
    window.showMaximized();
    return application.exec();
}
