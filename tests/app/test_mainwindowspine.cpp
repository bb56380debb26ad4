#include "app/buildvariant.h"
#include "app/mainwindow.h"
#include "tests/support/dialoganswerer.h"
#include "tests/support/kelvotestmain.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

namespace {

const char* const kFactorySuffix =
    " ----  FACTORY VERSION : not to be used by operators onboard vessels";

template <typename Widget> Widget* child(QWidget* window, const char* name)
{
    auto* widget = window->findChild<Widget*>(QLatin1String(name));
    if (widget == nullptr) {
        qFatal("no widget %s", name);
    }
    return widget;
}

// Captures what the code under test prints on standard output.
class StandardOutputCapture
{
public:
    StandardOutputCapture() : mPrevious(std::cout.rdbuf(mBuffer.rdbuf())) {}
    ~StandardOutputCapture() { std::cout.rdbuf(mPrevious); }
    std::string text() const { return mBuffer.str(); }

private:
    std::ostringstream mBuffer;
    std::streambuf* mPrevious;
};

} // namespace

class MainWindowSpineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // No reader library can be found: the window starts without a reader.
        qputenv("KELVOCONF_CR95HF_LIBRARY", "/nonexistent/libcr95hf.so");
    }

    void declaresTheSlotsInTableOrder()
    {
        const QMetaObject& meta = MainWindow::staticMetaObject;
        QCOMPARE(QString::fromLatin1(meta.className()), QStringLiteral("MainWindow"));
        QStringList signatures;
        for (int index = meta.methodOffset(); index < meta.methodCount(); ++index) {
            const QMetaMethod method = meta.method(index);
            QCOMPARE(method.methodType(), QMetaMethod::Slot);
            signatures << QString::fromLatin1(method.methodSignature());
        }
        const QStringList expected = {
            "on_Btn_Read_clicked()",
            "on_Btn_Write_clicked()",
            "on_TabW_menu_currentChanged(int)",
            "on_Erase_SBox_clicked()",
            "onFileLog_clicked()",
            "onLnEd_Streamer_clicked()",
            "onLnEd_Device_clicked()",
            "onLnEd_Streamer_Adv_clicked()",
            "onLnEd_Device_Adv_clicked()",
            "onLnEd_ActivationDepth1_clicked()",
            "onLnEd_ActivationDepth2_clicked()",
            "onLnEd_ActivationDepth3_clicked()",
            "onLnEd_ActivationDepth_Adv_clicked()",
            "onLnEd_Filter_Adv_clicked()",
            "onLnEd_DeviceID_clicked()",
            "onLnEd_StreamerID_clicked()",
            "onLnEd_SerialNumberKelvo_clicked()",
            "onLnEd_SerialNumberKelvo_Adv_clicked()",
            "onLnEd_Error_clicked()",
            "onLnEd_ActivationDepth_SBox_clicked()",
            "onLnEd_Filter_SBox_clicked()",
            "onLnEd_BatMin_clicked()",
            "onLnEd_BatMin_Adv_clicked()",
            "onLnEd_SerialNumber_clicked()",
            "onLnEd_SerialNumber_Adv_clicked()",
        };
        QCOMPARE(signatures, expected);
    }

    void startsWithoutReader()
    {
        DialogAnswerer answerer;
        MainWindow window;

        QStringList expectedTexts = {"No Antenna detected, please plug one"};
        if (isFactoryBuild()) {
            expectedTexts << "FACTORY VERSION : not to be used by operators onboard vessels";
        }
        QCOMPARE(answerer.texts(), expectedTexts);
        QCOMPARE(answerer.seen().at(0).icon, QMessageBox::Critical);
        QCOMPARE(answerer.seen().at(0).title, QStringLiteral("Varrow"));
        if (isFactoryBuild()) {
            QCOMPARE(answerer.seen().at(1).icon, QMessageBox::Warning);
            QCOMPARE(answerer.seen().at(1).title, QStringLiteral("Varrow"));
            // The warning comes before the title gets its suffix.
            QCOMPARE(window.windowTitle(),
                     QStringLiteral("Configuration Kelvo V1.00") + QLatin1String(kFactorySuffix));
        } else {
            QCOMPARE(window.windowTitle(), QStringLiteral("Configuration Kelvo V1.00"));
        }
        QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));

        auto* tabs = child<QTabWidget>(&window, "TabW_menu");
        QCOMPARE(tabs->currentIndex(), 0);
        QVERIFY(tabs->isTabEnabled(0) && tabs->isTabEnabled(1) && tabs->isTabEnabled(2));
        QVERIFY(!tabs->isTabEnabled(3));
        QVERIFY(child<QPushButton>(&window, "Erase_SBox")->isHidden());
        QVERIFY(child<QWidget>(&window, "Nb_Log_Label")->isHidden());
        QVERIFY(child<QWidget>(&window, "Nb_Log_Value")->isHidden());

        // The record starts at the first preset depth, and the list offers the three presets.
        auto* depths = child<QComboBox>(&window, "Cmb_Depth");
        QCOMPARE(depths->count(), 3);
        QCOMPARE(depths->currentText(), QStringLiteral("50"));
        QCOMPARE(depths->itemText(1), QStringLiteral("75"));
        QCOMPARE(depths->itemText(2), QStringLiteral("100"));
    }

    void unlocksFactoryFieldsOnlyInTheFactoryBuild()
    {
        DialogAnswerer answerer;
        MainWindow window;
        for (const char* name :
             {"LnEd_BatMin", "LnEd_BatMin_Adv", "LnEd_SerialNumber", "LnEd_SerialNumber_Adv"}) {
            auto* field = child<QLineEdit>(&window, name);
            QCOMPARE(field->isEnabled(), isFactoryBuild());
            QCOMPARE(field->isReadOnly(), !isFactoryBuild());
        }
        for (const char* name : {"LnEd_Error", "LnEd_Error_Adv", "LnEd_LastDepth", "LnEd_ActDepthM",
                                 "LnEd_FirmwareVersion"}) {
            QVERIFY(!child<QLineEdit>(&window, name)->isEnabled());
        }
    }

    // The filter never consumes a press: an enabled field still places its cursor once its
    // keyboard has closed.
    void pressesStillReachTheFields()
    {
        DialogAnswerer answerer;
        MainWindow window;
        window.resize(1000, 740);
        window.show();
        auto* tabs = child<QTabWidget>(&window, "TabW_menu");
        const struct
        {
            const char* name;
            int tab;
        } fields[] = {
            {"LnEd_Device", 0},
            {"LnEd_Streamer", 0},
            {"LnEd_SerialNumberKelvo", 0},
            {"LnEd_Device_Adv", 1},
            {"LnEd_Streamer_Adv", 1},
            {"LnEd_ActivationDepth_Adv", 1},
            {"LnEd_Filter_Adv", 1},
            {"LnEd_SerialNumberKelvo_Adv", 1},
            {"LnEd_ActivationDepth1", 2},
            {"LnEd_ActivationDepth2", 2},
            {"LnEd_ActivationDepth3", 2},
            {"LnEd_StreamerID", 2},
            {"LnEd_DeviceID", 2},
        };
        for (const auto& entry : fields) {
            tabs->blockSignals(true);
            tabs->setCurrentIndex(entry.tab);
            tabs->blockSignals(false);
            auto* field = child<QLineEdit>(&window, entry.name);
            field->setMaxLength(32767);
            field->setText(QStringLiteral("12"));
            field->setCursorPosition(2);
            QTest::mousePress(field, Qt::LeftButton, Qt::NoModifier,
                              QPoint(2, field->height() / 2));
            QTest::mouseRelease(field, Qt::LeftButton, Qt::NoModifier,
                                QPoint(2, field->height() / 2));
            QVERIFY2(field->cursorPosition() == 0, entry.name);
        }
        // Each tap opened its keyboard, which the answerer closed unanswered.
        QCOMPARE(answerer.seen().size(), (isFactoryBuild() ? 2 : 1) + int(std::size(fields)));
    }

    // The log destination is routed to the file dialog; cancelling it changes nothing, choosing a
    // file shows it in the field.
    void logDestinationOpensTheFileDialog()
    {
        DialogAnswerer answerer;
        MainWindow window;
        auto* field = child<QLineEdit>(&window, "LnEd_LogDestination");
        field->setText(QStringLiteral("before.txt"));
        answerer.clear();
        answerer.setDialogHandler([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
        QTest::mousePress(field, Qt::LeftButton);
        QCOMPARE(answerer.seen().size(), 1);
        QCOMPARE(answerer.seen().at(0).className, QStringLiteral("QFileDialog"));
        QCOMPARE(answerer.seen().at(0).title, QStringLiteral("Open Log file"));
        QCOMPARE(field->text(), QStringLiteral("before.txt"));

        const QString chosen = QDir::current().absoluteFilePath(QStringLiteral("chosen.txt"));
        answerer.setDialogHandler([&chosen](QWidget* dialog) {
            auto* files = static_cast<QFileDialog*>(dialog);
            files->selectFile(chosen);
            QMetaObject::invokeMethod(files, "accept");
        });
        QTest::mousePress(field, Qt::LeftButton);
        QCOMPARE(field->text(), chosen);
        QVERIFY(!QFile::exists(chosen));
    }

    void closingPrintsDestructionOnce()
    {
        DialogAnswerer answerer;
        StandardOutputCapture output;
        auto window = std::make_unique<MainWindow>();
        window->show();
        QVERIFY(window->close());
        window.reset();
        const std::string printed = output.text();
        const std::string line = "destruction\n";
        const auto first = printed.find(line);
        QVERIFY(first != std::string::npos);
        QVERIFY(printed.find(line, first + 1) == std::string::npos);
    }
};

KELVO_TEST_MAIN(MainWindowSpineTest)
#include "test_mainwindowspine.moc"
