#include "app/buildvariant.h"
#include "dialogs/errordisplay.h"
#include "dialogs/touchsizeddialogs.h"
#include "keyboard/keyboardwidget.h"
#include "tests/support/flowbench.h"
#include "tests/support/kelvotestmain.h"
#include "tests/support/keytaps.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <QTreeView>

namespace {

const char* const kRedValue = "color:#FF0000; font-size: 20pt;font-size: 40pt;";

// What an opened keyboard showed.
struct OpenedKeyboard
{
    QString className;
    QString caption;
    QString text;
    int maxLength = 0;
    int sliderMinimum = 0;
    int sliderMaximum = 0;
    QRect place;
    QString valueStyle;
};

OpenedKeyboard inspect(QWidget* keyboard)
{
    OpenedKeyboard opened;
    opened.className = QString::fromLatin1(keyboard->metaObject()->className());
    opened.caption = keyboard->findChild<QLabel*>()->text();
    auto* edit = keyboard->findChild<QLineEdit*>();
    opened.text = edit->text();
    opened.maxLength = edit->maxLength();
    opened.valueStyle = edit->styleSheet();
    if (auto* slider = keyboard->findChild<QSlider*>()) {
        opened.sliderMinimum = slider->minimum();
        opened.sliderMaximum = slider->maximum();
    }
    opened.place = QRect(keyboard->pos(), keyboard->size());
    return opened;
}

} // namespace

class FieldHooksTest : public QObject
{
    Q_OBJECT

private slots:
    // As the programs do.
    void initTestCase() { TouchSizedDialogs::install(*qApp); }

    void init()
    {
        QSettings(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo")).clear();
        QFile::remove(QStringLiteral("log.txt"));
    }

    void tapOpensTheFieldsKeyboard_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("tab");
        QTest::addColumn<bool>("factoryOnly");
        QTest::addColumn<QString>("keyboard");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QStringList>("taps");
        QTest::addColumn<QString>("entered");

        const QString num = QStringLiteral("NumKeyBoard");
        const QString alpha = QStringLiteral("AlphaKeyBoard");
        const QString depth = QStringLiteral("Predefined Activation Depth : ");
        const QString serial = QStringLiteral("Kelvo Serial Number : ");
        const QString board = QStringLiteral("Board Serial Number : ");
        const QString battery = QStringLiteral("Battery Minimum Threshold : ");
        const QStringList inc = {"Increment +"};
        const QStringList dec = {"Decrement -"};
        QTest::newRow("Streamer") << "LnEd_Streamer" << 0 << false << num << "Streamer : " << 0
                                  << 99 << 2 << "7" << inc << "8";
        QTest::newRow("Device") << "LnEd_Device" << 0 << false << num << "Device : " << 0 << 99 << 2
                                << "05" << QStringList() << "5";
        QTest::newRow("Streamer_Adv")
            << "LnEd_Streamer_Adv" << 1 << false << num << "Streamer : " << 0 << 99 << 2 << "12"
            << QStringList{"BACKSPACE", "3"} << "13";
        QTest::newRow("Device_Adv") << "LnEd_Device_Adv" << 1 << false << num << "Device : " << 0
                                    << 99 << 2 << "" << QStringList{"4"} << "4";
        QTest::newRow("ActivationDepth1") << "LnEd_ActivationDepth1" << 2 << false << num << depth
                                          << 25 << 150 << 3 << "60" << dec << "59";
        QTest::newRow("ActivationDepth2") << "LnEd_ActivationDepth2" << 2 << false << num << depth
                                          << 25 << 150 << 3 << "75" << inc << "76";
        QTest::newRow("ActivationDepth3")
            << "LnEd_ActivationDepth3" << 2 << false << num << depth << 25 << 150 << 3 << "100"
            << QStringList{"Clear", "3", "0"} << "30";
        QTest::newRow("ActivationDepth_Adv")
            << "LnEd_ActivationDepth_Adv" << 1 << false << num << "Activation Depth : " << 25 << 150
            << 3 << "50" << QStringList() << "50";
        QTest::newRow("Filter_Adv") << "LnEd_Filter_Adv" << 1 << false << num << "Filter : " << 4
                                    << 10 << 2 << "5" << inc << "6";
        QTest::newRow("ActivationDepth_SBox")
            << "LnEd_ActivationDepth_SBox" << 3 << false << num << "Activation Depth : " << 25
            << 150 << 3 << "40" << inc << "41";
        QTest::newRow("Filter_SBox") << "LnEd_Filter_SBox" << 3 << false << num << "Filter : " << 4
                                     << 10 << 2 << "10" << inc << "10";
        QTest::newRow("DeviceID") << "LnEd_DeviceID" << 2 << false << alpha << "Device ID : " << 0
                                  << 0 << 1 << "D" << QStringList{"BACKSPACE", "X"} << "X";
        QTest::newRow("StreamerID")
            << "LnEd_StreamerID" << 2 << false << alpha << "Streamer ID : " << 0 << 0 << 1 << "S"
            << QStringList{"Y"} << "S";
        QTest::newRow("SerialNumberKelvo")
            << "LnEd_SerialNumberKelvo" << 0 << false << alpha << serial << 0 << 0 << 8 << ""
            << QStringList{"A", "B", "1"} << "AB1";
        QTest::newRow("SerialNumberKelvo_Adv")
            << "LnEd_SerialNumberKelvo_Adv" << 1 << false << alpha << serial << 0 << 0 << 8
            << "ABCDEFGH" << QStringList{"CLEAR", "7"} << "7";
        QTest::newRow("BatMin") << "LnEd_BatMin" << 0 << true << num << battery << 2442 << 4002 << 4
                                << "3300" << inc << "3301";
        QTest::newRow("BatMin_Adv") << "LnEd_BatMin_Adv" << 1 << true << num << battery << 2442
                                    << 4002 << 4 << "3300" << dec << "3299";
        QTest::newRow("SerialNumber")
            << "LnEd_SerialNumber" << 0 << true << alpha << board << 0 << 0 << 10 << "0000000000"
            << QStringList{"CLEAR", "K"} << "K";
        QTest::newRow("SerialNumber_Adv") << "LnEd_SerialNumber_Adv" << 1 << true << alpha << board
                                          << 0 << 0 << 10 << "" << QStringList{"Z"} << "Z";
    }

    // A tap on the field opens its keyboard over the window with the field's caption, value and
    // limits; the keys tapped and OK put the entry into the field. The factory fields open
    // nothing in the operator build.
    void tapOpensTheFieldsKeyboard()
    {
        QFETCH(QString, field);
        QFETCH(int, tab);
        QFETCH(bool, factoryOnly);
        QFETCH(QString, preset);
        QFETCH(QStringList, taps);
        FlowBench bench;
        bench.start();
        bench.window().resize(1000, 740);
        bench.window().show();
        if (tab != 3) {
            bench.showTab(tab);
        }
        QLineEdit* edit = bench.field(qPrintable(field));
        edit->setText(preset);
        bench.answerer().clear();
        OpenedKeyboard opened;
        bench.answerer().setDialogHandler([&](QWidget* keyboard) {
            actInside(keyboard, [&] {
                opened = inspect(keyboard);
                for (const QString& key : taps) {
                    tap(buttonOf(keyboard, key));
                }
                tap(buttonOf(keyboard, QStringLiteral("Ok")));
            });
        });
        tap(edit);

        if (factoryOnly && !isFactoryBuild()) {
            QVERIFY(bench.answerer().seen().isEmpty());
            QCOMPARE(edit->text(), preset);
            return;
        }
        QCOMPARE(bench.answerer().seen().size(), 1);
        QTEST(opened.className, "keyboard");
        QTEST(opened.caption, "caption");
        QTEST(opened.maxLength, "maxLength");
        if (opened.className == QLatin1String("NumKeyBoard")) {
            QCOMPARE(opened.text, QString::number(preset.toInt()));
            QTEST(opened.sliderMinimum, "minimum");
            QTEST(opened.sliderMaximum, "maximum");
        } else {
            QCOMPARE(opened.text, preset);
        }
        const QWidget& window = bench.window();
        QCOMPARE(opened.place, QRect(window.pos(), window.geometry().size()));
        QTEST(edit->text(), "entered");
    }

    // An empty depth opens at a red 0 that OK refuses; the accepted 120 becomes the depth that
    // a rejected Advanced write puts back. The Standalone Box depth leaves that depth alone.
    void activationDepthEntries()
    {
        FlowBench bench;
        bench.start();
        bench.showTab(1);
        QLineEdit* depth = bench.field("LnEd_ActivationDepth_Adv");
        depth->clear();
        bench.answerer().clear();
        QString openedStyle;
        bench.answerer().setDialogHandler([&](QWidget* keypad) {
            actInside(keypad, [&] {
                openedStyle = inspect(keypad).valueStyle;
                tap(buttonOf(keypad, QStringLiteral("Ok")));
                QVERIFY(keypad->isVisible());
                tapKeys(keypad, QStringLiteral("120"));
                tap(buttonOf(keypad, QStringLiteral("Ok")));
            });
        });
        tap(depth);
        QCOMPARE(openedStyle, QLatin1String(kRedValue));
        QCOMPARE(bench.answerer().texts(),
                 (QStringList{QString(), "The value you put is not in the specified range\n"
                                         "Allowed: 25 to 150"}));
        QCOMPARE(bench.answerer().seen().at(1).title, QStringLiteral("KeyBoard"));
        QCOMPARE(depth->text(), QStringLiteral("120"));

        bench.answerer().setDialogHandler([&](QWidget* keypad) {
            actInside(keypad, [&] {
                tap(buttonOf(keypad, QStringLiteral("Clear")));
                tapKeys(keypad, QStringLiteral("30"));
                tap(buttonOf(keypad, QStringLiteral("Ok")));
            });
        });
        tap(bench.field("LnEd_ActivationDepth_SBox"));
        QCOMPARE(bench.field("LnEd_ActivationDepth_SBox")->text(), QStringLiteral("30"));

        bench.answerer().setDialogHandler(nullptr);
        depth->setText(QStringLiteral("abc"));
        bench.click(bench.writeButton());
        QCOMPARE(bench.answerer().texts().value(0),
                 QStringLiteral("The activation depth should be a positive number between (25 "
                                "to 150)"));
        QCOMPARE(depth->text(), QStringLiteral("120"));
    }

    // Cancel leaves a field exactly as it was, on both keyboards.
    void cancelKeepsTheField()
    {
        FlowBench bench;
        bench.start();
        bench.answerer().setDialogHandler([](QWidget* keyboard) {
            actInside(keyboard, [keyboard] {
                tapKeys(keyboard, QStringLiteral("9"));
                tap(buttonOf(keyboard, QStringLiteral("Cancel")));
            });
        });
        for (const char* name : {"LnEd_Filter_Adv", "LnEd_SerialNumberKelvo_Adv"}) {
            QLineEdit* field = bench.field(name);
            field->setText(QStringLiteral("x1"));
            tap(field);
            QCOMPARE(field->text(), QStringLiteral("x1"));
        }
    }

    void logDestinationProposal_data()
    {
        QTest::addColumn<QString>("storedLogPath");
        QTest::addColumn<QString>("proposed");
        const QString work = QDir::currentPath();
        QTest::newRow("default log") << QString() << work + "/log.txt";
        QTest::newRow("log elsewhere") << work + "/logs/operations.txt" << work + "/logs/log.txt";
    }

    // The log destination's save dialog proposes log.txt in the folder of the log in use, a
    // path that Save can write; the chosen path shows in the field, not yet in use. The dialog is
    // sized for the touch panel, and its name is typed on the keyboard.
    void logDestinationProposal()
    {
        QFETCH(QString, storedLogPath);
        QVERIFY(QDir().mkpath(QStringLiteral("logs")));
        if (!storedLogPath.isEmpty()) {
            QSettings(QStringLiteral("Varrow"), QStringLiteral("ConfKelvo"))
                .setValue(QStringLiteral("Path Log"), storedLogPath);
        }
        FlowBench bench;
        bench.start();
        bench.showTab(2);
        QString proposed;
        QStringList small;
        bench.answerer().setDialogHandler([&](QWidget* dialog) {
            if (auto* keyboard = qobject_cast<KeyBoardWidget*>(dialog)) {
                actInside(keyboard, [keyboard] {
                    tap(buttonOf(keyboard, QStringLiteral("CLEAR")));
                    tapKeys(keyboard, QStringLiteral("OPS.TXT"));
                    tap(buttonOf(keyboard, QStringLiteral("Ok")));
                });
                return;
            }
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files != nullptr);
            proposed = files->selectedFiles().value(0);
            for (QWidget* widget : files->findChildren<QWidget*>()) {
                widget->ensurePolished(); // as the hidden lists will be when they open
                const bool button = widget->inherits("QAbstractButton");
                const bool text = button || widget->inherits("QLabel") ||
                                  widget->inherits("QLineEdit") || widget->inherits("QComboBox") ||
                                  widget->inherits("QAbstractItemView");
                if ((text && widget->font().pointSize() < 19) ||
                    (button && widget->height() < 60)) {
                    small << widget->objectName() + widget->metaObject()->className();
                }
            }
            for (QAbstractItemView* view : files->findChildren<QAbstractItemView*>()) {
                // The lists of the combo boxes keep their rows (40 pixels).
                if (!view->inherits("QHeaderView") && !view->inherits("QComboBoxListView") &&
                    view->model()->rowCount(view->rootIndex()) > 0 &&
                    view->sizeHintForRow(0) < 60) {
                    small << view->objectName() + view->metaObject()->className();
                }
            }
            // Sizes, types, dates and places show whole.
            const auto* details = files->findChild<QTreeView*>(QStringLiteral("treeView"));
            const QAbstractItemView* rows = details;
            for (int column = 1; column < details->header()->count(); ++column) {
                if (details->header()->sectionSize(column) < rows->sizeHintForColumn(column))
                    small << QStringLiteral("column %1").arg(column);
            }
            const auto* sidebar = files->findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
            if (sidebar->width() < sidebar->sizeHintForColumn(0))
                small << sidebar->objectName();
            tap(files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")));
            tap(files->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save));
        });
        tap(bench.field("LnEd_LogDestination"));
        QTEST(proposed, "proposed");
        QVERIFY2(small.isEmpty(), qPrintable(small.join(' ')));
        const QString chosen = QFileInfo(proposed).path() + QStringLiteral("/OPS.TXT");
        QCOMPARE(bench.field("LnEd_LogDestination")->text(), chosen);
        QVERIFY(!QFile::exists(chosen));
    }

    // Both error fields, disabled as they are, open the explanation of the record's flags.
    void errorFieldsExplainTheFlags()
    {
        FlowBench bench;
        bench.tag().setBlock(0, (bench.tag().block(0) & 0xFFFFFF00u) | 0x81u);
        bench.start();
        QStringList lit;
        bench.answerer().setDialogHandler([&lit](QWidget* dialog) {
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->isEnabled() && label->objectName() != QLatin1String("label_8")) {
                    lit << label->objectName();
                }
            }
            static_cast<QDialog*>(dialog)->accept();
        });
        // Before any read nothing is known of the flags: not even "No Error" is lit.
        tap(bench.field("LnEd_Error"));
        QCOMPARE(lit, QStringList());
        bench.click(bench.readButton());
        for (const char* name : {"LnEd_Error", "LnEd_Error_Adv"}) {
            bench.answerer().clear();
            lit.clear();
            QVERIFY(!bench.field(name)->isEnabled());
            tap(bench.field(name));
            QCOMPARE(bench.answerer().seen().size(), 1);
            QCOMPARE(bench.answerer().seen().at(0).className, QStringLiteral("ErrorDisplay"));
            lit.sort();
            QCOMPARE(lit, (QStringList{"Load_Label", "Watchdog_Label"}));
            QVERIFY(bench.window().findChildren<ErrorDisplay*>().isEmpty());
        }
    }

    // Closing deletes both keyboards; a tap after that opens nothing.
    void closingDeletesTheKeyboards()
    {
        FlowBench bench;
        bench.start();
        bench.window().show();
        QCOMPARE(bench.window().findChildren<KeyBoardWidget*>().size(), 2);
        QVERIFY(bench.window().close());
        QVERIFY(bench.window().findChildren<KeyBoardWidget*>().isEmpty());
        bench.answerer().clear();
        tap(bench.field("LnEd_Streamer"));
        tap(bench.field("LnEd_DeviceID"));
        QVERIFY(bench.answerer().seen().isEmpty());
        QVERIFY(bench.window().close());
    }
};

KELVO_TEST_MAIN(FieldHooksTest)
#include "test_fieldhooks.moc"
