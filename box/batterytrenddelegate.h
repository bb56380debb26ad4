#ifndef BATTERYTRENDDELEGATE_H
#define BATTERYTRENDDELEGATE_H

#include <QStyledItemDelegate>

// Draws a Kelvo's battery levels over time as a small line, with its battery threshold dashed
// behind it, in the colour of the latest level. The levels and the threshold come
// from the model on a scale of 0 to 1 (KelvoOverviewModel's trend and threshold roles).
class BatteryTrendDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

#endif
