#include "dialogs/errordisplay.h"
#include "dialogs/touchsizeddialogs.h"
#include "tests/support/kelvotestmain.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// Every button of a message box and the OK of the error explanation can be hit with a glove, and
// the messages read as large as the field labels (19 pt); no other widget changes its look.
class TouchSizedDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void dialogsAreSizedForGloves()
    {
        TouchSizedDialogs::install(*qApp);
        QWidget window;
        auto* fieldLabel = new QLabel(QStringLiteral("0 mV"), &window);
        fieldLabel->setFont(QFont(fieldLabel->font().family(), 12));
        QMessageBox question(QMessageBox::Question, "Varrow", "Erase?",
                             QMessageBox::Yes | QMessageBox::No, &window);
        ErrorDisplay explanation(&window);
        const QList<QDialog*> dialogs = {&question, &explanation};
        for (QDialog* dialog : dialogs) {
            // Shown twice, as the window's dialogs are.
            for (int showing = 0; showing < 2; ++showing) {
                QStringList smallButtons;
                QTimer::singleShot(0, dialog, [dialog, &smallButtons] {
                    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
                        if (button->width() < 120 || button->height() < 60 ||
                            button->font().pointSize() < 19) {
                            smallButtons << button->text();
                        }
                    }
                    dialog->reject();
                });
                dialog->exec();
                QVERIFY2(smallButtons.isEmpty(), qPrintable(smallButtons.join(' ')));
            }
        }
        const auto* text = question.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(text->font().pointSize() >= 19);
        QCOMPARE(fieldLabel->font().pointSize(), 12);
        QVERIFY(qApp->styleSheet().isEmpty());
    }
};

KELVO_TEST_MAIN(TouchSizedDialogsTest)
#include "test_touchsizeddialogs.moc"
