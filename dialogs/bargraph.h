#ifndef BARGRAPH_H
#define BARGRAPH_H

#include <QDialog>

#include <memory>

namespace Ui {
class BarGraph;
}

// Modeless progress window shown in front of the main window during a Read or Write.
class BarGraph : public QDialog
{
    Q_OBJECT

public:
    explicit BarGraph(QWidget* parent = nullptr);
    ~BarGraph() override;

    void setValue(int value);
    void setReadMode();
    void setWriteMode();

private:
    void setCaption(const QString& caption);
    void paintNow();

    std::unique_ptr<Ui::BarGraph> mUi;
};

#endif
