#include "dialogs/errordisplay.h"

#include "ui_errordisplay.h"

#include <iterator>

namespace {
const char* const kSetStyle = "color:#FF0000; font: arial; font-size: 20pt;";
const char* const kNoErrorStyle = "color:#8CC63F; font: arial; font-size: 20pt;";

void light(QLabel* label, const char* style)
{
    label->setEnabled(true);
    label->setStyleSheet(QLatin1String(style));
}
} // namespace

ErrorDisplay::ErrorDisplay(QWidget* parent)
    : QDialog(parent), mUi(std::make_unique<Ui::ErrorDisplay>())
{
    mUi->setupUi(this);
    connect(mUi->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(mUi->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ErrorDisplay::~ErrorDisplay() = default;

void ErrorDisplay::setErrorFlags(quint8 flags)
{
    if (flags == 0) {
        light(mUi->NoError_Label, kNoErrorStyle);
    }
    // Bit 0 first: the lines of the grid follow the bit order.
    QLabel* const lines[] = {mUi->Load_Label,   mUi->Press_Label,   mUi->Sensor_Label,
                             mUi->Timer_Label,  mUi->Bat_Label,     mUi->Supercap_Label,
                             mUi->EEPROM_Label, mUi->Watchdog_Label};
    for (std::size_t bit = 0; bit < std::size(lines); ++bit) {
        if ((flags & (1u << bit)) != 0) {
            light(lines[bit], kSetStyle);
        }
    }
}
