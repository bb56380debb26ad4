#ifndef ERRORDISPLAY_H
#define ERRORDISPLAY_H

#include <QDialog>

#include <memory>

namespace Ui {
class ErrorDisplay;
}

// Explains the Kelvo's error flags: one line per flag, lit red when the flag is set, or the
// "No Error" line lit green when none is; the other lines stay greyed out.
class ErrorDisplay : public QDialog
{
    Q_OBJECT

public:
    explicit ErrorDisplay(QWidget* parent = nullptr);
    ~ErrorDisplay() override;

    void setErrorFlags(quint8 flags);

private:
    std::unique_ptr<Ui::ErrorDisplay> mUi;
};

#endif
