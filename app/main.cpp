#include "app/mainwindow.h"
#include "dialogs/touchsizeddialogs.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    TouchSizedDialogs::install(application);
    MainWindow window;
    window.show();
    window.showMaximized();
    return application.exec();
}
