#include "dialogs/bargraph.h"

#include "ui_bargraph.h"

#include <QCoreApplication>
#include <QEventLoop>

BarGraph::BarGraph(QWidget* parent) : QDialog(parent), mUi(std::make_unique<Ui::BarGraph>())
{
    mUi->setupUi(this);
}

BarGraph::~BarGraph() = default;

void BarGraph::setValue(int value)
{
    const int shown = mUi->progressBar->value();
    mUi->progressBar->setValue(value);
    if (mUi->progressBar->value() != shown) {
        paintNow();
    }
}

void BarGraph::setReadMode()
{
    setCaption(tr("Read in progress"));
}

void BarGraph::setWriteMode()
{
    setCaption(tr("Write in progress"));
}

void BarGraph::setCaption(const QString& caption)
{
    if (mUi->lbl_PgrBar->text() == caption) {
        return;
    }
    mUi->lbl_PgrBar->setText(caption);
    paintNow();
}

void BarGraph::paintNow()
{
    // The callers block the GUI thread while they talk to the reader, so repaint before returning.
    if (isVisible()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}
