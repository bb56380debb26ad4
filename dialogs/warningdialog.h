#ifndef WARNINGDIALOG_H
#define WARNINGDIALOG_H

#include <QDialog>

#include <memory>

namespace Ui {
class WarningDialog;
}

// Frameless banner that shows the picture of the tab just chosen for two seconds.
class WarningDialog : public QDialog
{
    Q_OBJECT

public:
    explicit WarningDialog(QWidget* parent = nullptr);
    ~WarningDialog() override;

public slots:
    // Shows the picture of page indexPage modally; returns once the banner has hidden itself.
    void show(int indexPage);

private:
    std::unique_ptr<Ui::WarningDialog> mUi;
};

#endif
