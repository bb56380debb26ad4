#include "demo/demoboxlog.h"
#include "tests/support/flowbench.h"
#include "tests/support/isolatedenvironment.h"

#include <QApplication>
#include <QPixmap>
#include <QScrollBar>
#include <QTableView>

#include <iostream>

// Saves a picture of the box tab's Kelvos view after READ DATA FROM BOX of the demo box's 300
// entries, through the real window, and one of its last columns (tools/screenshot-demo --kelvos).
// Not a test.
int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "Usage: screenshot_kelvosview output.png (an absolute path)\n";
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    isolateTestEnvironment();
    QApplication application(argc, argv);
    FlowBench bench;
    bench.useStandaloneBox();
    fillDemoBoxLog(bench.box(), 300);
    bench.start();
    bench.showTab(3);
    bench.click(bench.readButton());
    bench.find<QPushButton>("Btn_Kelvos_SBox")->click();
    bench.window().resize(1280, 800);
    // The second picture shows the view's last columns: the attention and the battery trend.
    auto* view = bench.find<QTableView>("Tbl_Kelvos_SBox");
    const bool saved = bench.window().grab().save(output);
    view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
    return saved && bench.window().grab().save(QString(output).replace(".png", "-right.png")) ? 0
                                                                                              : 1;
}
