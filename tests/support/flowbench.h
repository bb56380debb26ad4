#ifndef FLOWBENCH_H
#define FLOWBENCH_H

#include "app/mainwindow.h"
#include "emulation/emulatedcr95hfboard.h"
#include "emulation/emulatedstandalonebox.h"
#include "tests/support/dialoganswerer.h"

#include <QComboBox>
#include <QLineEdit>
#include <QList>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

#include <memory>

// The main window on an emulated board with a configured Kelvo in its field, with its dialogs
// answered and the values of its progress dialog recorded. The window is given an emulated
// Standalone Box too, unplugged unless the box is chosen as the reader.
class FlowBench
{
public:
    FlowBench();

    // Builds the window; the board and the tag can be prepared before.
    void start();

    MainWindow& window() { return *mWindow; }
    EmulatedCr95hfBoard& board() { return mBoard; }
    EmulatedKelvoTag& tag() { return mBoard.tag(); }
    EmulatedStandaloneBox& box() { return mBox; }
    // Makes the box the only reader: the board is unplugged and the box plugged in.
    void useStandaloneBox();
    DialogAnswerer& answerer() { return mAnswerer; }
    QList<int>& progress() { return mProgress; }

    template <typename Widget> Widget* find(const char* name) const
    {
        return mWindow->findChild<Widget*>(QLatin1String(name));
    }
    QLineEdit* field(const char* name) const { return find<QLineEdit>(name); }
    QPushButton* readButton() const { return find<QPushButton>("Btn_Read"); }
    QPushButton* writeButton() const { return find<QPushButton>("Btn_Write"); }

    // Shows a tab, answering its warning picture.
    void showTab(int index);
    // Clicks a button with the dialogs of earlier steps forgotten and its colour watched.
    void click(QPushButton* button);

    // The lines of the operations log in the working directory, without their date and time.
    static QStringList logLines();

private:
    EmulatedCr95hfBoard mBoard;
    EmulatedStandaloneBox mBox;
    DialogAnswerer mAnswerer;
    std::unique_ptr<MainWindow> mWindow;
    QList<int> mProgress;
};

#endif
