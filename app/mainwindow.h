#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "app/adminsetup.h"
#include "app/toolsetup.h"
#include "kelvo/entryrules.h"
#include "kelvo/flowlistener.h"
#include "platform/cr95hflibrary.h"
#include "platform/d2xxlibrary.h"

#include <QMainWindow>

#include <memory>
#include <vector>

class AlphaKeyBoard;
class BarGraph;
class BoxLogDownload;
class BoxLogViews;
class KelvoDevice;
class NumKeyBoard;
class QLineEdit;
class QPushButton;
class QSettings;
class QTableWidget;
class WarningDialog;
struct BoxEntries;
struct FlowResult;
struct KelvoRecord;
struct TabEntries;

namespace Ui {
class MainWindow;
}

// The one window of the tool. It owns the device object and the form, routes taps on the entry
// fields to their hooks, and runs the Read and Write flows of the four tabs: it captures the
// fields, runs the flow and shows what the flow reports, as it reports it.
class MainWindow : public QMainWindow, private FlowListener
{
    Q_OBJECT

public:
    // The readers are reached through the two libraries, and the setup is kept in the settings
    // store under the application name setupStore.
    explicit MainWindow(Cr95hfLibrary& boardLibrary = defaultCr95hfLibrary(),
                        D2xxLibrary& boxLibrary = defaultD2xxLibrary(),
                        const QString& setupStore = QLatin1String(kCrewSetupStore));
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

    // Connects a reader when none is; enables the Standalone Box tab when the reader is the box.
    bool ensureReader();
    void showBusyWhileSearching();
    void syncBoxTab();
    // Brings the box tab up to date with the reader the flow found, and colours the button while
    // the result's message box is open.
    void showOutcome(QPushButton* button, const FlowResult& result);

    // The tab's entries as the fields hold them.
    TabEntries tabEntries(TagTab tab) const;

    bool showLevel(int kind, quint16 value);
    void showLevels(const KelvoRecord& record);
    // Both tabs' bar and label of a level: 1 battery, 2 supercapacitor.
    void setLevelWidgets(int kind, int value, const QString& text, const char* barStyle,
                         const char* labelStyle);
    bool refreshSimplified();
    bool refreshAdvanced();

    // Open a keyboard over the window for a field and put the accepted entry into it; false when
    // the user cancelled.
    bool enterNumber(QLineEdit* field, const QString& caption,
                     const EntryRules::NumberRange& range);
    void enterText(QLineEdit* field, const QString& caption, int maxLength);

    void loadSettings();
    void readSetup();
    bool writeSetup();
    void showAdminSetup();
    SetupEntries adminEntries() const;

    void showBoxConfig();
    void markHeldBoxValues();
    BoxEntries takeBoxConfig() const;
    // CONFIGURE BOX, with the fields showing what the box answered to the read-back.
    FlowResult configureBox();
    void endBoxProgress();
    // Open File: a LogBox file saved earlier, into both views of the box tab.
    void openLogBoxFile();

    // What the flows show while they run.
    void showProgress(ProgressMode mode) override;
    void progress(int value) override;
    void hideProgress() override;
    void warning(const QString& title, const QString& text) override;
    void recordChanged(TagTab tab) override;
    void restoreField(Field field, const QString& text, bool refused) override;
    void boxConfigRead() override;
    void tableStarted(int count) override;
    void entryRead(int index, const KelvoRecord& entry) override;
    void tableFinished(int count, bool savedWhole) override;

    const QString mSetupStore;
    KelvoDevice* mKelvoDevice;
    Ui::MainWindow* mUi;
    BarGraph* mBarGraph;
    AlphaKeyBoard* mAlphaKeyBoard;
    NumKeyBoard* mNumKeyBoard;
    WarningDialog* mWarningDialog;
    bool mSkipSimplifiedWarning;
    QTableWidget* mBoxTable;
    // Keeps, across clicks, whether the log shown was saved whole and may be erased.
    std::unique_ptr<BoxLogDownload> mBoxLogDownload;
    // The entries table and the Kelvos view, of a download or of a LogBox file opened.
    BoxLogViews* mBoxLogViews;
};

#endif
