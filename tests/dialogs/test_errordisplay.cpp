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
    // The lines read top to bottom in bit order, greyed out until a flag lights them.
    void form()
    {
        ErrorDisplay dialog;
        auto* grid = dialog.findChild<QGridLayout*>(QStringLiteral("gridLayout"));
        QCOMPARE(grid->itemAtPosition(0, 0)->widget(), line(dialog, "label_8"));
        QCOMPARE(grid->itemAtPosition(1, 0)->widget(), line(dialog, "NoError_Label"));
        QVERIFY(line(dialog, "label_8")->isEnabled());
        QVERIFY(!line(dialog, "NoError_Label")->isEnabled());
        for (int bit = 0; bit < 8; ++bit) {
            QCOMPARE(grid->itemAtPosition(bit + 2, 0)->widget(), line(dialog, kFlagLines[bit]));
            QVERIFY(!line(dialog, kFlagLines[bit])->isEnabled());
        }
        auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok);
        dialog.show();
        buttons->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
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
