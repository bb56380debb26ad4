#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QMessageBox>

#include <vector>

class AlphaKeyBoard;
class BarGraph;
class KelvoDevice;
class LogBoxWriter;
class NumKeyBoard;
class QLineEdit;
class QPushButton;
class QSettings;
class QTableWidget;
class WarningDialog;
struct KelvoRecord;

namespace Ui {
class MainWindow;
}

// The one window of the tool. It owns the device object and the form, routes taps on the entry
// fields to their hooks and drives the Read and Write flows of the four tabs.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void on_Btn_Read_clicked();
    void on_Btn_Write_clicked();
    void on_TabW_menu_currentChanged(int index);
    void on_Erase_SBox_clicked();
    void onFileLog_clicked();
    void onLnEd_Streamer_clicked();
    void onLnEd_Device_clicked();
    void onLnEd_Streamer_Adv_clicked();
    void onLnEd_Device_Adv_clicked();
    void onLnEd_ActivationDepth1_clicked();
    void onLnEd_ActivationDepth2_clicked();
    void onLnEd_ActivationDepth3_clicked();
    void onLnEd_ActivationDepth_Adv_clicked();
    void onLnEd_Filter_Adv_clicked();
    void onLnEd_DeviceID_clicked();
    void onLnEd_StreamerID_clicked();
    void onLnEd_SerialNumberKelvo_clicked();
    void onLnEd_SerialNumberKelvo_Adv_clicked();
    void onLnEd_Error_clicked();
    void onLnEd_ActivationDepth_SBox_clicked();
    void onLnEd_Filter_SBox_clicked();
    void onLnEd_BatMin_clicked();
    void onLnEd_BatMin_Adv_clicked();
    void onLnEd_SerialNumber_clicked();
    void onLnEd_SerialNumber_Adv_clicked();

private:
    struct FieldRoute;
    static const std::vector<FieldRoute>& fieldRoutes();

    // Only the factory build defines it; the operator program never carries its code.
    void applyFactoryBuild();

    // Reader, tag and memory claim, checked in this order before a tag flow; each failure is
    // reported on the clicked button.
    bool ensureReader();
    bool claimTag(QPushButton* button);
    void showOutcome(QPushButton* button, bool success, QMessageBox::Icon kind,
                     const QString& text);
    void reportWrite(QPushButton* button, bool success);

    bool readSimplified();
    bool readAdvanced();
    bool writeSimplified();
    bool writeAdvanced();
    // The read before and the read back after a tab's record write, each logged and shown.
    bool startWrite(const QString& title, bool (MainWindow::*refresh)());
    void finishWrite(const QString& title, bool (MainWindow::*refresh)());
    bool validateAdvanced();
    void restoreRejectedField(QLineEdit* field, const QString& text);

    bool showLevel(int kind, quint16 value);
    bool refreshSimplified();
    bool refreshAdvanced();

    // Open a keyboard over the window for a field and put the accepted entry into it; false when
    // the user cancelled.
    bool enterNumber(QLineEdit* field, const QString& caption, int minimum, int maximum,
                     int maxLength);
    void enterText(QLineEdit* field, const QString& caption, int maxLength);

    bool appendOperationLog(const QByteArray& action);
    bool appendSetupLog(const QByteArray& action);

    void loadSettings();
    void saveSettings();
    // Names a new LogBox file next to the stored operations log path, and stores the name.
    void startNewLogBoxFile();
    void startNewLogBoxFile(QSettings& settings);
    void readSetup();
    bool writeSetup();
    void showAdminSetup();
    void takeAdminSetup();
    bool checkPresetDepths();

    void showBoxConfig();
    void takeBoxConfig();
    void setupBoxLogTable(int count);
    void fillBoxLogRow(const KelvoRecord& entry, int row);
    bool appendLogBoxLine(LogBoxWriter& logBox, const KelvoRecord& entry);
    // READ DATA FROM BOX and CONFIGURE BOX; each reports its own outcome on its button.
    void readBoxLog();
    void downloadBoxLog(int count);
    void configureBox();
    // Why the box's log may not be erased now, or an empty text when it may.
    QString boxEraseRefusal();

    KelvoDevice* mKelvoDevice;
    Ui::MainWindow* mUi;
    BarGraph* mBarGraph;
    AlphaKeyBoard* mAlphaKeyBoard;
    NumKeyBoard* mNumKeyBoard;
    WarningDialog* mWarningDialog;
    bool mSkipSimplifiedWarning;
    QTableWidget* mBoxTable;
    // The number of entries of the last download that saved every entry, -1 when the log shown
    // was not saved whole. Only such a log may be erased.
    int mSavedBoxLogCount;
};

#endif
