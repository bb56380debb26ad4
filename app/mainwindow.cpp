#include "app/mainwindow.h"

#include "app/buildvariant.h"
#include "box/boxlogdownload.h"
#include "box/boxlogviews.h"
#include "dialogs/bargraph.h"
#include "dialogs/warningdialog.h"
#include "drivers/kelvodevice.h"
#include "keyboard/alphakeyboard.h"
#include "keyboard/numkeyboard.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QMessageBox>

#include <cstdlib>
#include <iostream>
#include <new>

// A tap on one of these fields opens its entry hook. The fields that hold factory-set values are
// watched only by the factory build.
struct MainWindow::FieldRoute
{
    QLineEdit* Ui::MainWindow::*field;
    void (MainWindow::*hook)();
    bool factoryOnly = false;
};

const std::vector<MainWindow::FieldRoute>& MainWindow::fieldRoutes()
{
    static const std::vector<FieldRoute> routes = {
        {&Ui::MainWindow::LnEd_Device, &MainWindow::onLnEd_Device_clicked},
        {&Ui::MainWindow::LnEd_Streamer, &MainWindow::onLnEd_Streamer_clicked},
        {&Ui::MainWindow::LnEd_ActivationDepth1, &MainWindow::onLnEd_ActivationDepth1_clicked},
        {&Ui::MainWindow::LnEd_ActivationDepth2, &MainWindow::onLnEd_ActivationDepth2_clicked},
        {&Ui::MainWindow::LnEd_ActivationDepth3, &MainWindow::onLnEd_ActivationDepth3_clicked},
        {&Ui::MainWindow::LnEd_ActivationDepth_Adv,
         &MainWindow::onLnEd_ActivationDepth_Adv_clicked},
        {&Ui::MainWindow::LnEd_Device_Adv, &MainWindow::onLnEd_Device_Adv_clicked},
        {&Ui::MainWindow::LnEd_Streamer_Adv, &MainWindow::onLnEd_Streamer_Adv_clicked},
        {&Ui::MainWindow::LnEd_Filter_Adv, &MainWindow::onLnEd_Filter_Adv_clicked},
        {&Ui::MainWindow::LnEd_DeviceID, &MainWindow::onLnEd_DeviceID_clicked},
        {&Ui::MainWindow::LnEd_StreamerID, &MainWindow::onLnEd_StreamerID_clicked},
        {&Ui::MainWindow::LnEd_LogDestination, &MainWindow::onFileLog_clicked},
        {&Ui::MainWindow::LnEd_SerialNumberKelvo, &MainWindow::onLnEd_SerialNumberKelvo_clicked},
        {&Ui::MainWindow::LnEd_SerialNumberKelvo_Adv,
         &MainWindow::onLnEd_SerialNumberKelvo_Adv_clicked},
        {&Ui::MainWindow::LnEd_Error, &MainWindow::onLnEd_Error_clicked},
        {&Ui::MainWindow::LnEd_Error_Adv, &MainWindow::onLnEd_Error_clicked},
        {&Ui::MainWindow::LnEd_ActivationDepth_SBox,
         &MainWindow::onLnEd_ActivationDepth_SBox_clicked},
        {&Ui::MainWindow::LnEd_Filter_SBox, &MainWindow::onLnEd_Filter_SBox_clicked},
        {&Ui::MainWindow::LnEd_BatMin, &MainWindow::onLnEd_BatMin_clicked, true},
        {&Ui::MainWindow::LnEd_BatMin_Adv, &MainWindow::onLnEd_BatMin_Adv_clicked, true},
        {&Ui::MainWindow::LnEd_SerialNumber, &MainWindow::onLnEd_SerialNumber_clicked, true},
        {&Ui::MainWindow::LnEd_SerialNumber_Adv, &MainWindow::onLnEd_SerialNumber_Adv_clicked,
         true},
    };
    return routes;
}

MainWindow::MainWindow(Cr95hfLibrary& boardLibrary, D2xxLibrary& boxLibrary,
                       const QString& setupStore)
    : mSetupStore(setupStore), mKelvoDevice(nullptr), mUi(new Ui::MainWindow), mBarGraph(nullptr),
      mAlphaKeyBoard(nullptr), mNumKeyBoard(nullptr), mWarningDialog(nullptr),
      mSkipSimplifiedWarning(true), mBoxTable(nullptr), mBoxLogViews(nullptr)
{
    mUi->setupUi(this);
    setWindowTitle(tr("Configuration Kelvo V1.00"));

    mAlphaKeyBoard = new AlphaKeyBoard(this);
    mAlphaKeyBoard->buildLayout();
    mNumKeyBoard = new NumKeyBoard(this);
    mNumKeyBoard->buildLayout();

    for (const FieldRoute& route : fieldRoutes()) {
        if (!route.factoryOnly) {
            (mUi->*route.field)->installEventFilter(this);
        }
    }

    mWarningDialog = new WarningDialog(this);
    mBoxTable = mUi->SBoxData;
    mBoxLogViews =
        new BoxLogViews(mUi->Stk_BoxViews_SBox, mUi->Btn_Kelvos_SBox, mUi->Tbl_Kelvos_SBox, this);
    connect(mUi->Btn_OpenLogBox_SBox, &QPushButton::clicked, this, &MainWindow::openLogBoxFile);

    mUi->Erase_SBox->hide();
    mUi->Nb_Log_Label->hide();
    mUi->Nb_Log_Value->hide();

    mKelvoDevice = new (std::nothrow) KelvoDevice(boardLibrary, boxLibrary);
    if (mKelvoDevice == nullptr) {
        QMessageBox::critical(this, tr("Varrow"), tr("Creation error object"));
        // Without the device object the tool can do nothing; the caller must see a failure.
        std::exit(EXIT_FAILURE);
    }
    mKelvoDevice->setFactoryWrites(isFactoryBuild());
    mBoxLogDownload = std::make_unique<BoxLogDownload>(*mKelvoDevice);

    mUi->TabW_menu->setCurrentIndex(0);

    loadSettings();
    KelvoRecord& record = mKelvoDevice->record();
    record.mActivationDepth = record.mPresetDepths[0];
    refreshSimplified();

    mBarGraph = new BarGraph(this);

    mUi->TabW_menu->setTabEnabled(3, false);
    showBusyWhileSearching();
    if (!ensureReader()) {
        QMessageBox::critical(this, tr("Varrow"), tr("No Antenna detected, please plug one"));
    }

#ifdef FACTORY_VERSION
    applyFactoryBuild();
#endif

    // A message box on screen makes Qt count its hidden parents as mapped; left so after the boxes
    // above, this window would draw itself once at its first size before it is even shown, and
    // again maximised.
    setAttribute(Qt::WA_Mapped, false);
}

MainWindow::~MainWindow()
{
    std::cout << "destruction" << std::endl;
    delete mBarGraph;
    mBarGraph = nullptr;
    mBoxLogDownload.reset();
    delete mKelvoDevice;
    mKelvoDevice = nullptr;
    delete mUi;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress) {
        return false;
    }
    for (const FieldRoute& route : fieldRoutes()) {
        if (watched == mUi->*route.field) {
            (this->*route.hook)();
            break;
        }
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A second close finds the keyboards gone already.
    if (mAlphaKeyBoard != nullptr) {
        mAlphaKeyBoard->hide();
        mNumKeyBoard->hide();
        delete mAlphaKeyBoard;
        mAlphaKeyBoard = nullptr;
        delete mNumKeyBoard;
        mNumKeyBoard = nullptr;
    }
    QMainWindow::closeEvent(event);
}

#ifdef FACTORY_VERSION
void MainWindow::applyFactoryBuild()
{
    for (const FieldRoute& route : fieldRoutes()) {
        if (route.factoryOnly) {
            QLineEdit* field = mUi->*route.field;
            field->setEnabled(true);
            field->setReadOnly(false);
            field->installEventFilter(this);
        }
    }
    QMessageBox::warning(this, tr("Varrow"),
                         tr("FACTORY VERSION : not to be used by operators onboard vessels"));
    setWindowTitle(windowTitle() +
                   tr(" ----  FACTORY VERSION : not to be used by operators onboard vessels"));
}
#endif
