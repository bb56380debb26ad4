#include "app/mainwindow.h"
#include "platform/emulatedcr95hfboard.h"

#include <QApplication>

namespace {

// A configured Kelvo whose battery is just above and whose supercapacitor is just below the
// battery threshold (3298 mV), with its supercapacitor error flag set, so that every colour of
// the display shows up.
void prepareDemoTag(EmulatedKelvoTag& tag)
{
    tag.fillWithPlausibleValues();
    const quint32 batteryCode = 141;    // 3304 mV
    const quint32 supercapCode = 139;   // 3292 mV
    const quint32 supercapError = 0x20; // " Supercap "
    tag.setBlock(8, (batteryCode << 24) | (supercapCode << 16) | (tag.block(8) & 0xFFFFu));
    tag.setBlock(0, (tag.block(0) & 0xFFFFFF00u) | supercapError);
}

} // namespace

// The operator build on an emulated CR95HF board with a Kelvo in its field. What is written goes
// to the emulated tag and stays there until the program ends.
int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    EmulatedCr95hfBoard board;
    prepareDemoTag(board.tag());
    installCr95hfLibrary(board);
    int exitCode = 0;
    {
        MainWindow window;
        window.show();
        window.showMaximized();
        exitCode = application.exec();
    }
    restoreDefaultCr95hfLibrary();
    return exitCode;
}
