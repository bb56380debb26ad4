#include "tests/support/kelvotestmain.h"
#include "ui_mainwindow.h"

#include <QMainWindow>
#include <QtTest>

#include <iterator>

namespace {

const char* const kRedValueStyle = "color: rgb(255, 0, 0);\nfont: bold 24pt \"Arial\";";
const int kNoLimit = 32767;
const int kAnySize = 16777215;

struct Cell
{
    int row;
    int column;
    int rowSpan;
    int columnSpan;
    const char* name;
    const char* className;
};

// Finds the item called name in grid and checks its cell, spans and class.
void checkCell(QGridLayout* grid, const Cell& cell)
{
    for (int index = 0; index < grid->count(); ++index) {
        QLayoutItem* item = grid->itemAt(index);
        QObject* object = item->widget();
        if (!object) {
            object = item->layout();
        }
        if (!object || object->objectName() != QLatin1String(cell.name)) {
            continue;
        }
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        QVERIFY2(row == cell.row && column == cell.column && rowSpan == cell.rowSpan &&
                     columnSpan == cell.columnSpan,
                 cell.name);
        QCOMPARE(object->metaObject()->className(), cell.className);
        return;
    }
    QFAIL(qPrintable(QStringLiteral("%1 is not in %2").arg(cell.name, grid->objectName())));
}

// The object names of the items of layout, first to last.
QStringList itemNames(QLayout* layout)
{
    QStringList names;
    for (int index = 0; index < layout->count(); ++index) {
        QLayoutItem* item = layout->itemAt(index);
        names << (item->widget() ? item->widget()->objectName() : item->layout()->objectName());
    }
    return names;
}

} // namespace

class TestMainWindowForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowProperties();
    void gridCells();
    void nestedLayouts();
    void maximumLengths();
    void disabledDisplays();
    void progressBarsAndValueLabels();
    void textStep();
    void tabsCombosAndButtons();
    void fontsPalettesAndPolicies();

private:
    QMainWindow* mWindow = nullptr;
    Ui::MainWindow* mUi = nullptr;
};

void TestMainWindowForm::init()
{
    mWindow = new QMainWindow;
    mUi = new Ui::MainWindow;
    mUi->setupUi(mWindow);
}

void TestMainWindowForm::cleanup()
{
    delete mUi;
    delete mWindow;
}

void TestMainWindowForm::windowProperties()
{
    QCOMPARE(mWindow->objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(mWindow->size(), QSize(1000, 740));
    QCOMPARE(mWindow->minimumSize(), QSize(1000, 740));
    QCOMPARE(mWindow->windowTitle(), QStringLiteral("Configuration Kelvo"));
    QCOMPARE(mWindow->font().family(), QStringLiteral("Arial"));
    QVERIFY(!mWindow->windowIcon().isNull());
    QVERIFY(!QIcon(":/Images/Varrowico.ico").pixmap(32, 32).isNull());
    QCOMPARE(mWindow->centralWidget(), mUi->centralWidget);
    QCOMPARE(mWindow->statusBar(), mUi->statusBar);
    QCOMPARE(mWindow->palette().color(QPalette::Active, QPalette::Mid), QColor(0, 146, 207));
    QCOMPARE(mWindow->palette().color(QPalette::Disabled, QPalette::Base), QColor(242, 242, 242));

    QMainWindow named;
    named.setObjectName("KelvoWindow");
    Ui::MainWindow form;
    form.setupUi(&named);
    QCOMPARE(named.objectName(), QStringLiteral("KelvoWindow"));
}

void TestMainWindowForm::gridCells()
{
    // The Advanced tab repeats the Simplified grid cell for cell.
    struct TwinCell
    {
        Cell simplified;
        const char* advancedName;
        const char* advancedClass;
    };
    const TwinCell statusCells[] = {
        {{0, 0, 1, 1, "ActivationDepth_Label", "QLabel"}, "ActivationDepth_Label_Adv", "QLabel"},
        {{0, 1, 1, 1, "Cmb_Depth", "QComboBox"}, "LnEd_ActivationDepth_Adv", "QLineEdit"},
        {{0, 2, 1, 1, "m_Label", "QLabel"}, "m_Label4", "QLabel"},
        {{0, 3, 1, 1, "line_2", "QFrame"}, "line", "QFrame"},
        {{0, 4, 1, 1, "Filter_Label", "QLabel"}, "Filter_Label_Adv", "QLabel"},
        {{0, 5, 1, 2, "Cmb_Filter", "QComboBox"}, "LnEd_Filter_Adv", "QLineEdit"},
        {{1, 0, 1, 1, "Position_Label", "QLabel"}, "Position_Label_Adv", "QLabel"},
        {{1, 1, 1, 6, "verticalLayout_3", "QVBoxLayout"}, "verticalLayout_6", "QVBoxLayout"},
        {{2, 0, 1, 1, "SNKelvo_Label", "QLabel"}, "SNKelvo_Label_Adv", "QLabel"},
        {{2, 1, 1, 2, "LnEd_SerialNumberKelvo", "QLineEdit"},
         "LnEd_SerialNumberKelvo_Adv",
         "QLineEdit"},
        {{2, 3, 1, 1, "line_8", "QFrame"}, "line_9", "QFrame"},
        {{2, 4, 1, 1, "BatteryMin_Label", "QLabel"}, "label_3", "QLabel"},
        {{2, 5, 1, 2, "horizontalLayout_4", "QHBoxLayout"}, "horizontalLayout_7", "QHBoxLayout"},
        {{3, 0, 1, 7, "line_3", "QFrame"}, "line_5", "QFrame"},
        {{4, 0, 1, 1, "Battery_Label", "QLabel"}, "Battery_Label_Adv", "QLabel"},
        {{4, 1, 1, 5, "Pgb_Battery1", "QProgressBar"}, "Pgb_Battery1_Adv", "QProgressBar"},
        {{4, 6, 1, 1, "Pgb_Battery1_label", "QLabel"}, "Pgb_Battery1_Adv_label", "QLabel"},
        {{5, 0, 1, 1, "SuperCapa_Label", "QLabel"}, "SuperCapa_Label_Adv", "QLabel"},
        {{5, 1, 1, 5, "Pgb_Battery2", "QProgressBar"}, "Pgb_Battery2_Adv", "QProgressBar"},
        {{5, 6, 1, 1, "Pgb_Battery2_label", "QLabel"}, "Pgb_Battery2_Adv_label", "QLabel"},
        {{6, 0, 1, 1, "Error_Label", "QLabel"}, "Error_Label_Adv", "QLabel"},
        {{6, 1, 1, 6, "LnEd_Error", "QLineEdit"}, "LnEd_Error_Adv", "QLineEdit"},
        {{7, 0, 1, 1, "MeasuredDepth_Label", "QLabel"}, "MeasuredDepth_Label_Adv", "QLabel"},
        {{7, 1, 1, 1, "LnEd_LastDepth", "QLineEdit"}, "LnEd_LastDepth_Adv", "QLineEdit"},
        {{7, 2, 1, 1, "m_Label2", "QLabel"}, "m_Label5", "QLabel"},
        {{7, 3, 2, 1, "line_4", "QFrame"}, "line_6", "QFrame"},
        {{7, 4, 1, 1, "SN_Label", "QLabel"}, "SN_Label_Adv", "QLabel"},
        {{7, 5, 1, 2, "LnEd_SerialNumber", "QLineEdit"}, "LnEd_SerialNumber_Adv", "QLineEdit"},
        {{8, 0, 1, 1, "ActMeasuredDepth_Label", "QLabel"}, "ActMeasuredDepth_Label_Adv", "QLabel"},
        {{8, 1, 1, 1, "LnEd_ActDepthM", "QLineEdit"}, "LnEd_ActDepthM_Adv", "QLineEdit"},
        {{8, 2, 1, 1, "m_Label3", "QLabel"}, "m_Label6", "QLabel"},
        {{8, 4, 1, 1, "Version_Label", "QLabel"}, "Version_Label_Adv", "QLabel"},
        {{8, 5, 1, 2, "LnEd_FirmwareVersion", "QLineEdit"},
         "LnEd_FirmwareVersion_Adv",
         "QLineEdit"},
    };
    for (const TwinCell& twin : statusCells) {
        checkCell(mUi->gridLayout, twin.simplified);
        Cell advanced = twin.simplified;
        advanced.name = twin.advancedName;
        advanced.className = twin.advancedClass;
        checkCell(mUi->gridLayout_2, advanced);
    }
    QCOMPARE(mUi->gridLayout->count(), int(std::size(statusCells)));
    QCOMPARE(mUi->gridLayout_2->count(), int(std::size(statusCells)));

    const Cell adminCells[] = {
        {0, 0, 1, 1, "PredefinedActivationDepth_Label", "QLabel"},
        {0, 1, 1, 1, "LnEd_ActivationDepth1", "QLineEdit"},
        {0, 2, 1, 1, "m_Label7", "QLabel"},
        {1, 0, 1, 1, "label", "QLabel"},
        {1, 1, 1, 1, "LnEd_ActivationDepth2", "QLineEdit"},
        {1, 2, 1, 1, "m_Label8", "QLabel"},
        {2, 0, 1, 1, "label_2", "QLabel"},
        {2, 1, 1, 1, "LnEd_ActivationDepth3", "QLineEdit"},
        {2, 2, 1, 1, "m_Label9", "QLabel"},
        {3, 0, 1, 1, "StreamerIdentifier_Label", "QLabel"},
        {3, 1, 1, 1, "LnEd_StreamerID", "QLineEdit"},
        {4, 0, 1, 1, "DeviceIdentifier_Label", "QLabel"},
        {4, 1, 1, 1, "LnEd_DeviceID", "QLineEdit"},
        {5, 0, 1, 1, "LogFile_Label", "QLabel"},
        {5, 1, 1, 1, "LnEd_LogDestination", "QLineEdit"},
    };
    for (const Cell& cell : adminCells) {
        checkCell(mUi->gridLayout_Admin, cell);
    }

    const Cell boxCells[] = {
        {0, 0, 1, 1, "ActivationDepth_Label_SBox", "QLabel"},
        {0, 1, 1, 1, "LnEd_ActivationDepth_SBox", "QLineEdit"},
        {0, 2, 1, 1, "m_LabelSBox", "QLabel"},
        {0, 3, 1, 1, "line_7", "QFrame"},
        {0, 4, 1, 1, "Filter_Label_SBox", "QLabel"},
        {0, 5, 1, 1, "LnEd_Filter_SBox", "QLineEdit"},
        {1, 0, 1, 1, "Battery_Label_SBox", "QLabel"},
        {1, 1, 1, 5, "Pgb_Battery_SBox", "QProgressBar"},
        {1, 6, 1, 1, "Pgb_Battery_SBox_Label", "QLabel"},
        {2, 0, 1, 1, "Erase_SBox", "QPushButton"},
        {2, 4, 1, 1, "Nb_Log_Label", "QLabel"},
        {2, 5, 1, 2, "Nb_Log_Value", "QLabel"},
    };
    for (const Cell& cell : boxCells) {
        checkCell(mUi->gridLayout_StandaloneBox, cell);
    }
    QCOMPARE(mUi->line_2->frameShape(), QFrame::VLine);
    QCOMPARE(mUi->line_3->frameShape(), QFrame::HLine);
    QCOMPARE(mUi->line_4->frameShadow(), QFrame::Sunken);
}

void TestMainWindowForm::nestedLayouts()
{
    QCOMPARE(itemNames(mUi->verticalLayout), QStringList({"TabW_menu", "horizontalLayout"}));
    QCOMPARE(itemNames(mUi->horizontalLayout), QStringList({"Btn_Read", "Btn_Write"}));
    QCOMPARE(itemNames(mUi->verticalLayout_3),
             QStringList({"horizontalLayout_2", "horizontalLayout_3"}));
    QCOMPARE(itemNames(mUi->horizontalLayout_2), QStringList({"Lbl_Streamer", "Lbl_Device"}));
    QCOMPARE(itemNames(mUi->horizontalLayout_3), QStringList({"LnEd_Streamer", "LnEd_Device"}));
    QCOMPARE(itemNames(mUi->horizontalLayout_4), QStringList({"horizontalLayout_8"}));
    QCOMPARE(itemNames(mUi->horizontalLayout_8),
             QStringList({"LnEd_BatMin", "unitBatThresh_Label"}));
    QCOMPARE(itemNames(mUi->verticalLayout_6),
             QStringList({"horizontalLayout_28", "horizontalLayout_29"}));
    QCOMPARE(itemNames(mUi->horizontalLayout_29),
             QStringList({"LnEd_Streamer_Adv", "LnEd_Device_Adv"}));
    QCOMPARE(itemNames(mUi->horizontalLayout_7),
             QStringList({"LnEd_BatMin_Adv", "unitBatThresh_Adv_Label"}));
    QCOMPARE(itemNames(mUi->verticalLayout_2), QStringList({"gridLayout"}));
    QCOMPARE(itemNames(mUi->horizontalLayout_5), QStringList({"gridLayout_2"}));
    QCOMPARE(itemNames(mUi->horizontalLayout_6), QStringList({"gridLayout_Admin"}));
    QCOMPARE(itemNames(mUi->verticalLayout_4),
             QStringList({"gridLayout_StandaloneBox", "horizontalLayout_BoxViews"}));
    // The entries table shares its place with the Kelvos view, behind the switch between them.
    QCOMPARE(itemNames(mUi->horizontalLayout_BoxViews),
             QStringList({"verticalLayout_BoxViewSwitch", "Stk_BoxViews_SBox"}));
    QCOMPARE(mUi->Stk_BoxViews_SBox->currentWidget(), mUi->SBoxData->parentWidget());

    QCOMPARE(mUi->verticalLayout->contentsMargins(), QMargins(3, 0, 3, 0));
    QCOMPARE(mUi->horizontalLayout->spacing(), 30);
    QCOMPARE(mUi->verticalLayout_4->contentsMargins(), QMargins(11, 11, 11, 11));
    QCOMPARE(mUi->gridLayout_Admin->horizontalSpacing(), 6);
    QCOMPARE(mUi->gridLayout_Admin->verticalSpacing(), 7);
    QCOMPARE(mUi->gridLayout_Admin->contentsMargins().left(), 5);
    QCOMPARE(mUi->gridLayout_Admin->contentsMargins().right(), 5);
}

void TestMainWindowForm::maximumLengths()
{
    const QPair<QLineEdit*, int> limits[] = {
        {mUi->LnEd_Streamer, 2},
        {mUi->LnEd_Device, 2},
        {mUi->LnEd_ActivationDepth_Adv, 3},
        {mUi->LnEd_ActivationDepth1, 3},
        {mUi->LnEd_ActivationDepth2, 3},
        {mUi->LnEd_ActivationDepth3, 3},
        {mUi->LnEd_ActivationDepth_SBox, 3},
        {mUi->LnEd_Filter_Adv, 4},
        {mUi->LnEd_Filter_SBox, 4},
        {mUi->LnEd_FirmwareVersion_Adv, 4},
        {mUi->LnEd_StreamerID, 1},
        {mUi->LnEd_DeviceID, 1},
        {mUi->LnEd_LastDepth, 5},
        {mUi->LnEd_SerialNumber_Adv, 10},
        {mUi->LnEd_Streamer_Adv, kNoLimit},
        {mUi->LnEd_Device_Adv, kNoLimit},
        {mUi->LnEd_SerialNumberKelvo, kNoLimit},
        {mUi->LnEd_SerialNumberKelvo_Adv, kNoLimit},
        {mUi->LnEd_LogDestination, kNoLimit},
        {mUi->LnEd_LastDepth_Adv, kNoLimit},
    };
    for (const auto& limit : limits) {
        QVERIFY2(limit.first->maxLength() == limit.second, qPrintable(limit.first->objectName()));
    }
    mUi->LnEd_Streamer->setText("ABC");
    QCOMPARE(mUi->LnEd_Streamer->text(), QStringLiteral("AB"));
}

void TestMainWindowForm::disabledDisplays()
{
    const QLineEdit* displays[] = {
        mUi->LnEd_BatMin,           mUi->LnEd_BatMin_Adv,      mUi->LnEd_SerialNumber,
        mUi->LnEd_SerialNumber_Adv, mUi->LnEd_Error,           mUi->LnEd_Error_Adv,
        mUi->LnEd_LastDepth,        mUi->LnEd_LastDepth_Adv,   mUi->LnEd_ActDepthM,
        mUi->LnEd_ActDepthM_Adv,    mUi->LnEd_FirmwareVersion, mUi->LnEd_FirmwareVersion_Adv,
    };
    for (const QLineEdit* display : displays) {
        QVERIFY2(!display->isEnabled() && display->isReadOnly(), qPrintable(display->objectName()));
    }
    const QLineEdit* entries[] = {
        mUi->LnEd_Streamer,          mUi->LnEd_Device_Adv, mUi->LnEd_ActivationDepth_Adv,
        mUi->LnEd_SerialNumberKelvo, mUi->LnEd_StreamerID, mUi->LnEd_LogDestination,
        mUi->LnEd_Filter_SBox,
    };
    for (const QLineEdit* entry : entries) {
        QVERIFY2(entry->isEnabled() && !entry->isReadOnly(), qPrintable(entry->objectName()));
    }
}

void TestMainWindowForm::progressBarsAndValueLabels()
{
    const QProgressBar* voltageBars[] = {mUi->Pgb_Battery1, mUi->Pgb_Battery2,
                                         mUi->Pgb_Battery1_Adv, mUi->Pgb_Battery2_Adv};
    for (const QProgressBar* bar : voltageBars) {
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 4002);
        QCOMPARE(bar->value(), 0);
        QVERIFY(!bar->isTextVisible());
        QCOMPARE(bar->format(), QStringLiteral("%vmV"));
    }
    QCOMPARE(mUi->Pgb_Battery_SBox->minimum(), 0);
    QCOMPARE(mUi->Pgb_Battery_SBox->maximum(), 100);
    QCOMPARE(mUi->Pgb_Battery_SBox->value(), 0);
    QVERIFY(!mUi->Pgb_Battery_SBox->isTextVisible());
    QCOMPARE(mUi->Pgb_Battery_SBox->format(), QStringLiteral("%v%"));

    const QLabel* voltageLabels[] = {mUi->Pgb_Battery1_label, mUi->Pgb_Battery2_label,
                                     mUi->Pgb_Battery1_Adv_label, mUi->Pgb_Battery2_Adv_label};
    for (const QLabel* label : voltageLabels) {
        QCOMPARE(label->text(), QStringLiteral("0 mV"));
        QCOMPARE(label->styleSheet(), QString::fromLatin1(kRedValueStyle));
        QCOMPARE(label->alignment(), Qt::AlignRight | Qt::AlignTrailing | Qt::AlignVCenter);
    }
    QCOMPARE(mUi->Pgb_Battery_SBox_Label->text(), QStringLiteral("0 %"));
    QCOMPARE(mUi->Pgb_Battery_SBox_Label->styleSheet(), QString::fromLatin1(kRedValueStyle));
}

void TestMainWindowForm::textStep()
{
    mUi->LnEd_SerialNumber->setText("1234");
    mUi->LnEd_BatMin->setText("3000");
    mUi->Nb_Log_Value->setText("12");
    mUi->Btn_Read->setText("READ SETUP");
    mUi->retranslateUi(mWindow);
    QVERIFY(mUi->LnEd_SerialNumber->text().isEmpty());
    QVERIFY(mUi->LnEd_BatMin->text().isEmpty());
    QVERIFY(mUi->Nb_Log_Value->text().isEmpty());
    QCOMPARE(mUi->Btn_Read->text(), QStringLiteral("READ"));

    QCOMPARE(mUi->ActMeasuredDepth_Label->text(), QStringLiteral("Measured Activation Depth "));
    QCOMPARE(mUi->Nb_Log_Label->text(), QStringLiteral("Nombre de Log : "));
    QCOMPARE(mUi->unitBatThresh_Label->text(), QStringLiteral("mV"));
    QCOMPARE(mUi->PredefinedActivationDepth_Label->text(),
             QStringLiteral("Predefined activation depth 1"));
}

void TestMainWindowForm::tabsCombosAndButtons()
{
    QCOMPARE(mUi->TabW_menu->count(), 4);
    QCOMPARE(mUi->TabW_menu->currentIndex(), 0);
    const QPair<QWidget*, QString> pages[] = {
        {mUi->Tab_Simplified, "Simplified"},
        {mUi->Tab_Advanced, "Advanced"},
        {mUi->Tab_Admin, "Admin"},
        {mUi->Tab_StandaloneBox, "Standalone Box"},
    };
    for (int index = 0; index < 4; ++index) {
        QCOMPARE(mUi->TabW_menu->widget(index), pages[index].first);
        QCOMPARE(mUi->TabW_menu->tabText(index), pages[index].second);
        QVERIFY(mUi->TabW_menu->isTabEnabled(index));
    }
    QCOMPARE(mUi->TabW_menu->tabPosition(), QTabWidget::North);
    QVERIFY(!mUi->TabW_menu->tabsClosable());

    for (const QComboBox* combo : {mUi->Cmb_Depth, mUi->Cmb_Filter}) {
        QCOMPARE(combo->count(), 0);
        QCOMPARE(combo->currentIndex(), -1);
    }
    QVERIFY(!mUi->Cmb_Depth->duplicatesEnabled());
    QCOMPARE(mUi->SBoxData->columnCount(), 0);
    QCOMPARE(mUi->SBoxData->rowCount(), 0);

    QCOMPARE(mUi->Btn_Read->text(), QStringLiteral("READ"));
    QCOMPARE(mUi->Btn_Write->text(), QStringLiteral("WRITE"));
    QCOMPARE(mUi->Erase_SBox->text(), QStringLiteral("Erase Memory"));
    QCOMPARE(mUi->Btn_Read->palette().color(QPalette::Button), QColor(200, 200, 200));
    QCOMPARE(mUi->Btn_Write->palette().color(QPalette::ButtonText), QColor(Qt::black));
}

void TestMainWindowForm::fontsPalettesAndPolicies()
{
    QCOMPARE(mUi->TabW_menu->font().pointSize(), 24);
    QVERIFY(mUi->TabW_menu->font().bold());
    // A point size of its own keeps the tab widget's bold weight.
    QCOMPARE(mUi->Filter_Label->font().pointSize(), 19);
    QVERIFY(mUi->Filter_Label->font().bold());
    QCOMPARE(mUi->LnEd_LogDestination->font().pointSize(), 12);
    QCOMPARE(mUi->Pgb_Battery2->font().pointSize(), 24);
    QVERIFY(mUi->Btn_Read->font().bold() && !mUi->Btn_Read->font().italic());
    QCOMPARE(mUi->Btn_Write->font().pointSize(), 28);

    const QPalette labelPalette = mUi->Battery_Label->palette();
    QCOMPARE(labelPalette.color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(labelPalette.color(QPalette::Disabled, QPalette::WindowText), QColor(106, 104, 100));
    QCOMPARE(mUi->Pgb_Battery_SBox->palette().color(QPalette::Active, QPalette::WindowText),
             QColor(Qt::black));
    QCOMPARE(mUi->TabW_menu->palette().color(QPalette::Active, QPalette::WindowText),
             QColor(0, 146, 207));
    QCOMPARE(mUi->TabW_menu->palette().color(QPalette::Disabled, QPalette::Base),
             QColor(230, 230, 230));

    QCOMPARE(mUi->Battery_Label->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(mUi->Cmb_Filter->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    QCOMPARE(mUi->Pgb_Battery2_label->sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(mUi->Btn_Write->sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
    QCOMPARE(mUi->Btn_Read->minimumSize(), QSize(50, 50));
    QCOMPARE(mUi->LnEd_Error->maximumSize(), QSize(kAnySize, 50));
    QCOMPARE(mUi->ActivationDepth_Label->minimumSize(), QSize(250, 50));
    QCOMPARE(mUi->LnEd_FirmwareVersion_Adv->minimumSize(), QSize(100, 25));
}

KELVO_TEST_MAIN(TestMainWindowForm)
#include "test_mainwindowform.moc"
