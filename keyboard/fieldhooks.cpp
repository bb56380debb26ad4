#include "app/mainwindow.h"

// The on-screen keyboards that these hooks open are not part of the tool yet; until they are, a
// tap on a field only places the cursor in it.

void MainWindow::onLnEd_Streamer_clicked() {}
void MainWindow::onLnEd_Device_clicked() {}
void MainWindow::onLnEd_Streamer_Adv_clicked() {}
void MainWindow::onLnEd_Device_Adv_clicked() {}
void MainWindow::onLnEd_ActivationDepth1_clicked() {}
void MainWindow::onLnEd_ActivationDepth2_clicked() {}
void MainWindow::onLnEd_ActivationDepth3_clicked() {}
void MainWindow::onLnEd_ActivationDepth_Adv_clicked() {}
void MainWindow::onLnEd_Filter_Adv_clicked() {}
void MainWindow::onLnEd_DeviceID_clicked() {}
void MainWindow::onLnEd_StreamerID_clicked() {}
void MainWindow::onLnEd_SerialNumberKelvo_clicked() {}
void MainWindow::onLnEd_SerialNumberKelvo_Adv_clicked() {}
void MainWindow::onLnEd_Error_clicked() {}
void MainWindow::onLnEd_ActivationDepth_SBox_clicked() {}
void MainWindow::onLnEd_Filter_SBox_clicked() {}
void MainWindow::onLnEd_BatMin_clicked() {}
void MainWindow::onLnEd_BatMin_Adv_clicked() {}
void MainWindow::onLnEd_SerialNumber_clicked() {}
void MainWindow::onLnEd_SerialNumber_Adv_clicked() {}
