#include "keyboard/alphakeyboard.h"
#include "keyboard/numkeyboard.h"
#include "keyboard/qkeypushbutton.h"
#include "tests/support/dialoganswerer.h"
#include "tests/support/kelvotestmain.h"
#include "tests/support/keytaps.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

namespace {

const char* const kGreen = "color:#00FF00; font-size: 20pt;font-size: 40pt;";
const char* const kRed = "color:#FF0000; font-size: 20pt;font-size: 40pt;";
const char* const kFrame = "color:white;border: 1px solid #000000;border-radius:6px;";
const char* const kPressedPiece = "background:lightgray;color:darkred;font-size: 18pt;";
const char* const kNormalPiece = "background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: "
                                 "1,stop: 0 #8C8F8C, stop: 1 #1C1F1C);font-size: 18pt;";

// A keyboard that only records the key events its keys hand over.
class ProbeKeyBoard : public KeyBoardWidget
{
public:
    struct Key
    {
        int code;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    void handleKeyEvent(QKeyEvent* event) override
    {
        keys.append({event->key(), event->modifiers(), event->text()});
    }
    QList<Key> keys;
};

// The keypad of the hooks for the field range 25 to 150, value 50.
void prepareDepthKeypad(NumKeyBoard& keypad)
{
    keypad.buildLayout();
    keypad.setRange(25, 150, 3);
    keypad.setLabel(QStringLiteral("Activation Depth : "), 50);
}

} // namespace

class KeyboardsTest : public QObject
{
    Q_OBJECT

private slots:
    void keyEvents_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("caps");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("text");
        QTest::newRow("Q caps on") << "Q" << true << 81 << true << "Q";
        QTest::newRow("Q caps off") << "Q" << false << 113 << false << "q";
        QTest::newRow("1 caps on") << "1" << true << 49 << true << "1";
        QTest::newRow("1 caps off") << "1" << false << 49 << false << "1";
        QTest::newRow("space caps off") << " " << false << 32 << false << " ";
        QTest::newRow("BACKSPACE caps on") << "BACKSPACE" << true << 0 << false << "BACKSPACE";
        QTest::newRow("BACKSPACE caps off") << "BACKSPACE" << false << 0 << false << "BACKSPACE";
        QTest::newRow("Return") << "Return" << true << 0 << false << "Return";
    }

    // A press is the whole key: the look turns pressed, the keyboard gets the event, and the
    // button's own clicked() and pressed() never fire.
    void keyEvents()
    {
        QFETCH(QString, caption);
        QFETCH(bool, caps);
        ProbeKeyBoard keyboard;
        QKeyPushButton* key = keyboard.createKey(caption);
        QCOMPARE(key->objectName(), caption);
        QCOMPARE(key->minimumSize(), QSize(54, 40));
        QCOMPARE(key->maximumSize(), QSize(1000, 500));
        QCOMPARE(key->focusPolicy(), Qt::NoFocus);
        QSignalSpy clicked(key, &QPushButton::clicked);
        QSignalSpy pressed(key, &QPushButton::pressed);
        QKeyPushButton::capsOn = caps;

        QTest::mousePress(key, Qt::LeftButton);
        QCOMPARE(key->styleSheet(), QLatin1String(kFrame) + QLatin1String(kPressedPiece));
        QTest::mouseRelease(key, Qt::LeftButton);
        QCOMPARE(key->styleSheet(), QLatin1String(kFrame) + QLatin1String(kNormalPiece));

        QCOMPARE(keyboard.keys.size(), 1);
        QTEST(keyboard.keys.at(0).code, "code");
        QTEST(keyboard.keys.at(0).modifiers == Qt::ShiftModifier, "shift");
        QTEST(keyboard.keys.at(0).text, "text");
        QVERIFY(clicked.isEmpty() && pressed.isEmpty());
        QKeyPushButton::capsOn = true;
    }

    void capsKeyTogglesWithoutKeyEvents()
    {
        ProbeKeyBoard keyboard;
        QKeyPushButton* caps = keyboard.createKey(QStringLiteral("CAPS"));
        QVERIFY(QKeyPushButton::capsOn);
        tap(caps);
        QVERIFY(!QKeyPushButton::capsOn);
        QCOMPARE(caps->styleSheet(), QLatin1String(kFrame) + QLatin1String(kNormalPiece));
        tap(caps);
        QVERIFY(QKeyPushButton::capsOn);
        QCOMPARE(caps->styleSheet(), QLatin1String(kFrame) + QLatin1String(kPressedPiece));
        QVERIFY(keyboard.keys.isEmpty());
    }

    // The keyboard covers the place it is given, comes out of a minimised state and reports
    // whether it was confirmed.
    void showsModallyOverTheGivenPlace()
    {
        DialogAnswerer answerer;
        ProbeKeyBoard keyboard;
        QCOMPARE(keyboard.minimumSize(), QSize(800, 600));
        // No title bar, so no button of the window manager's that minimises it.
        QCOMPARE(keyboard.windowFlags(), Qt::Dialog | Qt::FramelessWindowHint);
        keyboard.setWindowState(Qt::WindowMinimized);
        QRect shownAt;
        answerer.setDialogHandler([&shownAt](QWidget* dialog) {
            shownAt = QRect(dialog->pos(), dialog->size());
            static_cast<QDialog*>(dialog)->accept();
        });
        QCOMPARE(keyboard.show(QSize(1000, 700), QPoint(30, 40)), 1);
        QCOMPARE(shownAt, QRect(30, 40, 1000, 700));
        QCOMPARE(keyboard.windowState(), Qt::WindowNoState);

        answerer.setDialogHandler([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
        QCOMPARE(keyboard.show(QSize(900, 650), QPoint(0, 0)), 0);
        QCOMPARE(answerer.seen().size(), 2);
    }

    void alphaKeyboardTyping()
    {
        DialogAnswerer answerer;
        AlphaKeyBoard keyboard;
        keyboard.buildLayout();
        auto* edit = keyboard.findChild<QLineEdit*>();
        auto type = [&](const QString& preset, int maxLength, const std::function<void()>& taps,
                        const char* confirm) {
            keyboard.setMaxLength(maxLength);
            keyboard.setLabel(QStringLiteral("Device ID : "), preset);
            answerer.setDialogHandler([&](QWidget* dialog) {
                actInside(dialog, [&] {
                    taps();
                    tap(buttonOf(&keyboard, QLatin1String(confirm)));
                });
            });
            return keyboard.show(QSize(1000, 700), QPoint(0, 0));
        };

        QCOMPARE(type(
                     QString(), 8, [&] { tapKeys(&keyboard, "Q"); }, "Ok"),
                 1);
        QCOMPARE(keyboard.text(), QStringLiteral("Q"));
        QCOMPARE(type(
                     QString(), 8,
                     [&] {
                         tap(buttonOf(&keyboard, "CAPS"));
                         tapKeys(&keyboard, "Q");
                         tap(buttonOf(&keyboard, "CAPS"));
                         tapKeys(&keyboard, "Q");
                     },
                     "Ok"),
                 1);
        QCOMPARE(keyboard.text(), QStringLiteral("qQ"));

        // The longer text is cut back to the maximum length, and the edit flashes for it.
        QCOMPARE(type(
                     QStringLiteral("A"), 1,
                     [&] {
                         tapKeys(&keyboard, "B");
                         QVERIFY(edit->graphicsEffect() != nullptr);
                     },
                     "Ok"),
                 1);
        QCOMPARE(keyboard.text(), QStringLiteral("A"));

        QCOMPARE(type(
                     QStringLiteral("AB"), 8,
                     [&] {
                         tap(buttonOf(&keyboard, "BACKSPACE"));
                         QCOMPARE(edit->text(), QStringLiteral("A"));
                         QCOMPARE(edit->cursorPosition(), 1);
                         QVERIFY(!edit->hasSelectedText());
                         edit->setCursorPosition(0);
                         tap(buttonOf(&keyboard, "BACKSPACE"));
                     },
                     "Ok"),
                 1);
        QCOMPARE(keyboard.text(), QStringLiteral("A"));

        QCOMPARE(type(
                     QStringLiteral("XYZ"), 8, [&] { tap(buttonOf(&keyboard, "CLEAR")); }, "Ok"),
                 1);
        QCOMPARE(keyboard.text(), QString());

        // Cancel reports it; what was typed is still there, for no caller reads it.
        QCOMPARE(type(
                     QStringLiteral("12"), 8, [&] { tapKeys(&keyboard, "3"); }, "Cancel"),
                 0);
        QCOMPARE(keyboard.text(), QStringLiteral("123"));
    }

    // Opened again, each keyboard shows the value as on its first opening, unselected with the
    // cursor at its end, and a tapped key goes after it, as the cursor shows.
    void reopenedKeyboardsTypeAfterTheValue()
    {
        DialogAnswerer answerer;
        NumKeyBoard keypad;
        keypad.buildLayout();
        keypad.setRange(0, 99, 2);
        AlphaKeyBoard keyboard;
        keyboard.buildLayout();
        keyboard.setMaxLength(8);
        const struct
        {
            KeyBoardWidget* keyboard;
            std::function<void()> preset;
            const char* key;
            const char* typed;
        } cases[] = {
            {&keypad, [&] { keypad.setLabel(QStringLiteral("Streamer : "), 5); }, "8", "58"},
            {&keyboard, [&] { keyboard.setLabel(QStringLiteral("Device ID : "), "AB"); }, "C",
             "ABC"},
        };
        for (const auto& entry : cases) {
            auto* edit = entry.keyboard->findChild<QLineEdit*>();
            for (int opening = 1; opening <= 3; ++opening) {
                entry.preset();
                answerer.setDialogHandler([&](QWidget* dialog) {
                    actInside(dialog, [&] {
                        QVERIFY2(!edit->hasSelectedText(), qPrintable(edit->selectedText()));
                        QCOMPARE(edit->cursorPosition(), edit->text().size());
                        tapKeys(dialog, QLatin1String(entry.key));
                        QCOMPARE(edit->text(), QLatin1String(entry.typed));
                        tap(buttonOf(dialog, QStringLiteral("Ok")));
                    });
                });
                QCOMPARE(entry.keyboard->show(QSize(1000, 700), QPoint(0, 0)), 1);
            }
        }
        QCOMPARE(answerer.seen().size(), 6);
    }

    void numKeyboardRange()
    {
        DialogAnswerer answerer;
        NumKeyBoard keypad;
        prepareDepthKeypad(keypad);
        auto* edit = keypad.findChild<QLineEdit*>();
        auto* slider = keypad.findChild<QSlider*>();
        QCOMPARE(edit->text(), QStringLiteral("50"));
        QCOMPARE(edit->styleSheet(), QLatin1String(kGreen));
        QCOMPARE(slider->value(), 50);
        QCOMPARE(edit->maxLength(), 3);

        answerer.setDialogHandler([&](QWidget* dialog) {
            actInside(dialog, [&] {
                tap(buttonOf(&keypad, "Clear"));
                QCOMPARE(edit->text(), QStringLiteral("0"));
                QCOMPARE(edit->styleSheet(), QLatin1String(kRed));
                QCOMPARE(slider->value(), 50);
                // On a touch panel the release of this tap goes to the warning.
                QTest::mousePress(buttonOf(&keypad, "Ok"), Qt::LeftButton);
                QVERIFY(keypad.isVisible());
                QVERIFY(!buttonOf(&keypad, "Ok")->isDown());

                tapKeys(&keypad, "2");
                QCOMPARE(edit->text(), QStringLiteral("2"));
                QCOMPARE(edit->styleSheet(), QLatin1String(kRed));
                tapKeys(&keypad, "5");
                QCOMPARE(edit->text(), QStringLiteral("25"));
                QCOMPARE(edit->styleSheet(), QLatin1String(kGreen));
                QCOMPARE(slider->value(), 25);
                tap(buttonOf(&keypad, "Decrement -"));
                QCOMPARE(keypad.value(), 25);

                slider->setValue(150);
                QCOMPARE(edit->text(), QStringLiteral("150"));
                tap(buttonOf(&keypad, "Increment +"));
                QCOMPARE(edit->text(), QStringLiteral("150"));
                QCOMPARE(edit->styleSheet(), QLatin1String(kGreen));
                tap(buttonOf(&keypad, "Decrement -"));
                tap(buttonOf(&keypad, "Ok"));
            });
        });
        QCOMPARE(keypad.show(QSize(1000, 700), QPoint(0, 0)), 1);
        QCOMPARE(keypad.value(), 149);
        QCOMPARE(answerer.seen().size(), 2);
        const SeenDialog& refusal = answerer.seen().at(1);
        QCOMPARE(refusal.icon, QMessageBox::Warning);
        QCOMPARE(refusal.title, QStringLiteral("KeyBoard"));
        QCOMPARE(refusal.text, QStringLiteral("The value you put is not in the specified range\n"
                                              "Allowed: 25 to 150"));
    }

    // Digits beyond the field's length are cut off and flash the edit; BACKSPACE at the start
    // changes nothing; a physical keyboard types into the value, also after keys were tapped, and
    // Enter confirms.
    void numKeyboardEditing()
    {
        DialogAnswerer answerer;
        NumKeyBoard keypad;
        keypad.buildLayout();
        keypad.buildLayout();
        QCOMPARE(keypad.findChildren<QKeyPushButton*>().size(), 11);
        keypad.setRange(0, 99, 2);
        keypad.setLabel(QStringLiteral("Streamer : "), 7);
        auto* edit = keypad.findChild<QLineEdit*>();
        answerer.setDialogHandler([&](QWidget* dialog) {
            actInside(dialog, [&] {
                tapKeys(&keypad, "1");
                QCOMPARE(edit->text(), QStringLiteral("71"));
                QVERIFY(edit->graphicsEffect() == nullptr);
                // A key beyond the length flashes the edit, which then looks as before.
                tapKeys(&keypad, "2");
                QCOMPARE(edit->text(), QStringLiteral("71"));
                QVERIFY(edit->graphicsEffect() != nullptr);
                QTRY_VERIFY(edit->graphicsEffect() == nullptr);
                edit->setCursorPosition(0);
                tap(buttonOf(&keypad, "BACKSPACE"));
                QCOMPARE(edit->text(), QStringLiteral("71"));
                tap(buttonOf(&keypad, "BACKSPACE"));
                QCOMPARE(edit->text(), QStringLiteral("7"));
                tap(buttonOf(&keypad, "Clear"));
                QCOMPARE(QApplication::focusWidget(), edit);
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("42"));
                QCOMPARE(keypad.value(), 42);
                QTRY_VERIFY(edit->graphicsEffect() == nullptr);
                // A physical key beyond the length flashes the edit too.
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
                QCOMPARE(keypad.value(), 42);
                QVERIFY(edit->graphicsEffect() != nullptr);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
        });
        QCOMPARE(keypad.show(QSize(1000, 700), QPoint(0, 0)), 1);
        QCOMPARE(keypad.value(), 42);
    }
};

KELVO_TEST_MAIN(KeyboardsTest)
#include "test_keyboards.moc"
