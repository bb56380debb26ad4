// The reference of tools/measure-startup: an empty main window, shown the way kelvoconf's main()
// shows its own, so that the ratio of the two start-ups is the cost of the tool's window alone.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.show();
    window.showMaximized();
    return application.exec();
}
