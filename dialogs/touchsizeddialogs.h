#ifndef TOUCHSIZEDDIALOGS_H
#define TOUCHSIZEDDIALOGS_H

#include <QObject>

class QApplication;
class QWidget;

// Makes every message box of the tool, the OK of the error explanation dialog and the file
// chooser usable on the touch panel with gloves: buttons of at least 120 x 60 pixels, message
// texts and button captions as large as the field labels of the tabs, and in the file chooser
// every text as large and every row, list and field 60 pixels high. It watches the whole
// application, so that no dialog is left out, and changes nothing else: the dialogs get their
// sizes as they are shown, and the other widgets keep their own fonts, palettes and style sheets.
class TouchSizedDialogs : public QObject
{
    Q_OBJECT

public:
    // Programs call it once, before they create their window.
    static void install(QApplication& application);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TouchSizedDialogs(QObject* parent);
    static void enlargeMessageBox(QWidget* box);
    static void enlargeButtonBoxes(QWidget* dialog);
    static void enlargeFileDialog(QWidget* dialog);
};

#endif
