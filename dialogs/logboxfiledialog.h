#ifndef LOGBOXFILEDIALOG_H
#define LOGBOXFILEDIALOG_H

#include <QDialog>

#include <memory>

namespace Ui {
class LogBoxFileDialog;
}

// The touch-sized list from which the box tab opens a LogBox file saved earlier: one item of
// finger height per file, and Open and Cancel buttons of the message boxes' size. A double tap
// on an item opens it too.
class LogBoxFileDialog : public QDialog
{
    Q_OBJECT

public:
    // The items in the order given; the first is selected.
    LogBoxFileDialog(const QStringList& items, QWidget* parent);
    ~LogBoxFileDialog() override;

    // The index of the item chosen, or -1 when none was.
    int chosen() const;

private:
    std::unique_ptr<Ui::LogBoxFileDialog> mUi;
};

#endif
