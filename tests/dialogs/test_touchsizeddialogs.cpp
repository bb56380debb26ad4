#include "dialogs/errordisplay.h"
#include "dialogs/touchsizeddialogs.h"
#include "tests/support/kelvotestmain.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// What a dialog looked like while it was open.
struct ShownDialog
{
    QList<QSize> buttonSizes;
    QList<int> buttonPointSizes;
    QList<int> textPointSizes;
};

// Runs the dialog modally and, once it is up, records it and closes it.
ShownDialog showAndRecord(QDialog& dialog)
{
    ShownDialog shown;
    QTimer::singleShot(0, &dialog, [&dialog, &shown] {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            shown.buttonSizes << button->size();
            shown.buttonPointSizes << button->font().pointSize();
        }
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                shown.textPointSizes << label->font().pointSize();
            }
        }
        dialog.reject();
    });
    dialog.exec();
    return shown;
}

} // namespace

class TouchSizedDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TouchSizedDialogs::install(*qApp); }

    void dialogsAreSizedForGloves_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("minimumTextPointSize");
        QTest::newRow("result") << "information" << 1 << 19;
        QTest::newRow("range warning, two lines") << "warning" << 1 << 19;
        QTest::newRow("erase question") << "question" << 2 << 19;
        // Its lines keep their own sizes, 16 pt and up.
        QTest::newRow("error explanation") << "explanation" << 1 << 16;
    }

    // Every button of the tool's message boxes and the OK of the error explanation can be hit
    // with a glove, and the messages read as large as the field labels.
    void dialogsAreSizedForGloves()
    {
        QFETCH(QString, kind);
        QWidget window;
        std::unique_ptr<QDialog> dialog;
        if (kind == QLatin1String("explanation")) {
            auto* explanation = new ErrorDisplay(&window);
            explanation->setErrorFlags(0x20);
            dialog.reset(explanation);
        } else if (kind == QLatin1String("question")) {
            dialog = std::make_unique<QMessageBox>(QMessageBox::Question, "Varrow", "Erase?",
                                                   QMessageBox::Yes | QMessageBox::No, &window);
        } else {
            dialog = std::make_unique<QMessageBox>(
                kind == QLatin1String("warning") ? QMessageBox::Warning : QMessageBox::Information,
                "Varrow", "The value you put is not in the specified range\nAllowed: 25 to 150",
                QMessageBox::Ok, &window);
        }
        // Shown twice: the second showing keeps the sizes.
        for (int showing = 0; showing < 2; ++showing) {
            const ShownDialog shown = showAndRecord(*dialog);
            QTEST(int(shown.buttonSizes.size()), "buttons");
            for (const QSize& size : shown.buttonSizes) {
                QVERIFY2(
                    size.width() >= 120 && size.height() >= 60,
                    qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
            }
            for (int pointSize : shown.buttonPointSizes) {
                QVERIFY(pointSize >= 19);
            }
            QVERIFY(!shown.textPointSizes.isEmpty());
            QFETCH(int, minimumTextPointSize);
            for (int pointSize : shown.textPointSizes) {
                QVERIFY2(pointSize >= minimumTextPointSize, qPrintable(QString::number(pointSize)));
            }
        }
    }

    // Nothing but those dialogs changes: the tabs keep their fonts and looks.
    void otherWidgetsKeepTheirLook()
    {
        QWidget window;
        auto* label = new QLabel(QStringLiteral("0 mV"), &window);
        QFont small = label->font();
        small.setPointSize(12);
        label->setFont(small);
        auto* button = new QPushButton(QStringLiteral("READ"), &window);
        const QSize buttonHint = button->sizeHint();
        window.show();
        QCoreApplication::processEvents();
        QCOMPARE(label->font().pointSize(), 12);
        QCOMPARE(button->sizeHint(), buttonHint);
        QVERIFY(qApp->styleSheet().isEmpty());
    }
};

KELVO_TEST_MAIN(TouchSizedDialogsTest)
#include "test_touchsizeddialogs.moc"
