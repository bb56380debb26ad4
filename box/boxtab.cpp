#include "app/mainwindow.h"

// The box's log cannot be erased before the box protocol exists; the button stays hidden until
// then, so nothing calls this yet.
void MainWindow::on_Erase_SBox_clicked() {}
