#include "box/batterytrenddelegate.h"

#include "box/kelvooverviewmodel.h"

#include <QPainter>
#include <QPolygonF>

namespace {
const QSize kTrendSize(160, 40);
constexpr int kMargin = 4;
} // namespace

void BatteryTrendDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QVariantList levels = index.data(KelvoOverviewModel::kTrendRole).toList();
    if (levels.isEmpty()) {
        return;
    }
    const QRectF area = QRectF(option.rect).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const auto yOf = [&area](double onScale) { return area.bottom() - onScale * area.height(); };
    const double threshold = index.data(KelvoOverviewModel::kThresholdRole).toDouble();

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(Qt::gray, 1, Qt::DashLine));
    painter->drawLine(QPointF(area.left(), yOf(threshold)), QPointF(area.right(), yOf(threshold)));

    QPolygonF line;
    const double step = levels.size() > 1 ? area.width() / (levels.size() - 1) : 0.0;
    for (int point = 0; point < levels.size(); ++point) {
        line << QPointF(area.left() + point * step, yOf(levels.at(point).toDouble()));
    }
    if (levels.size() == 1) {
        line << QPointF(area.right(), line.first().y());
    }
    // The latest battery level's colour.
    painter->setPen(QPen(index.data(Qt::ForegroundRole).value<QBrush>().color(), 2));
    painter->drawPolyline(line);
    painter->restore();
}

QSize BatteryTrendDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index).expandedTo(kTrendSize);
}
