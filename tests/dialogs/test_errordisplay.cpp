#include "dialogs/errordisplay.h"
#include "tests/support/kelvotestmain.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

const char* const kRed = "color:#FF0000; font: arial; font-size: 20pt;";
const char* const kGreen = "color:#8CC63F; font: arial; font-size: 20pt;";
// The explanation lines in bit order: Load is bit 0, Watchdog bit 7.
const char* const kFlagLines[] = {"Load_Label", "Press_Label",    "Sensor_Label", "Timer_Label",
                                  "Bat_Label",  "Supercap_Label", "EEPROM_Label", "Watchdog_Label"};

QLabel* line(const ErrorDisplay& dialog, const char* name)
{
    auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
    if (label == nullptr) {
        qFatal("no label %s", name);
    }
    return label;
}

} // namespace

class ErrorDisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void form()
    {
        ErrorDisplay dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("ErrorDisplay"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));
        QCOMPARE(dialog.size(), QSize(1000, 600));

        auto* grid = dialog.findChild<QGridLayout*>(QStringLiteral("gridLayout"));
        QVERIFY(grid != nullptr);
        const char* rows[] = {"label_8",      "NoError_Label", "Load_Label", "Press_Label",
                              "Sensor_Label", "Timer_Label",   "Bat_Label",  "Supercap_Label",
                              "EEPROM_Label", "Watchdog_Label"};
        QCOMPARE(grid->rowCount(), 10);
        for (int row = 0; row < 10; ++row) {
            QCOMPARE(grid->itemAtPosition(row, 0)->widget(), line(dialog, rows[row]));
            QCOMPARE(line(dialog, rows[row])->isEnabled(), row == 0);
            QCOMPARE(line(dialog, rows[row])->font().pointSize(), row == 0 ? 24 : 16);
        }
        QVERIFY(line(dialog, "label_8")->font().bold());
        QCOMPARE(line(dialog, "label_8")->text(), QStringLiteral("Error explanations :"));
        QCOMPARE(line(dialog, "Timer_Label")->text(),
                 QStringLiteral("<b>Timer </b>: there is a problem with the timer. The electronic "
                                "card is damaged, change it."));
        QCOMPARE(line(dialog, "Watchdog_Label")->text(),
                 QStringLiteral("<b>Watchdog</b> :  there is a problem with the timer. Some "
                                "operations were too long to execute"));
        for (const char* wrapped : {"Press_Label", "Timer_Label", "Watchdog_Label"}) {
            QVERIFY(line(dialog, wrapped)->wordWrap());
        }
        QVERIFY(!line(dialog, "Load_Label")->wordWrap());

        auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok);
        QVERIFY(buttons->centerButtons());
        QCOMPARE(buttons->minimumSize(), QSize(400, 50));
        QCOMPARE(buttons->font().pointSize(), 20);
        dialog.show();
        buttons->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void flags_data()
    {
        QTest::addColumn<int>("flags");
        QTest::newRow("none") << 0x00;
        QTest::newRow("load and watchdog") << 0x81;
        QTest::newRow("all") << 0xFF;
        QTest::newRow("supercap") << 0x20;
    }

    void flags()
    {
        QFETCH(int, flags);
        ErrorDisplay dialog;
        dialog.setErrorFlags(static_cast<quint8>(flags));
        QLabel* noError = line(dialog, "NoError_Label");
        QCOMPARE(noError->isEnabled(), flags == 0);
        QCOMPARE(noError->styleSheet(), flags == 0 ? QString::fromLatin1(kGreen) : QString());
        for (int bit = 0; bit < 8; ++bit) {
            const bool set = (flags & (1 << bit)) != 0;
            QLabel* label = line(dialog, kFlagLines[bit]);
            QVERIFY2(label->isEnabled() == set, kFlagLines[bit]);
            QCOMPARE(label->styleSheet(), set ? QString::fromLatin1(kRed) : QString());
        }
    }
};

KELVO_TEST_MAIN(ErrorDisplayTest)
#include "test_errordisplay.moc"
