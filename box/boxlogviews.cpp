#include "box/boxlogviews.h"

#include "box/batterytrenddelegate.h"
#include "box/kelvooverviewmodel.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QTableView>

namespace {
constexpr int kEntriesPage = 0;
constexpr int kKelvosPage = 1;
} // namespace

BoxLogViews::BoxLogViews(QStackedWidget* views, QAbstractButton* kelvosSwitch,
                         QTableView* kelvosView, QObject* parent)
    : QObject(parent), mModel(new KelvoOverviewModel(this)), mKelvosView(kelvosView)
{
    auto* sorted = new QSortFilterProxyModel(this);
    sorted->setSourceModel(mModel);
    sorted->setSortRole(KelvoOverviewModel::kSortRole);
    mKelvosView->setModel(sorted);
    mKelvosView->setItemDelegateForColumn(KelvoOverviewModel::kTrendColumn,
                                          new BatteryTrendDelegate(mKelvosView));
    mKelvosView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mKelvosView->setSelectionBehavior(QAbstractItemView::SelectRows);

    QHeaderView* header = mKelvosView->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    connect(header, &QHeaderView::sortIndicatorChanged, sorted, &QSortFilterProxyModel::sort);

    connect(kelvosSwitch, &QAbstractButton::toggled, views,
            [views](bool kelvos) { views->setCurrentIndex(kelvos ? kKelvosPage : kEntriesPage); });
}

void BoxLogViews::startDownload()
{
    mDownload = KelvoOverview();
}

void BoxLogViews::addDownloadedEntry(const KelvoRecord& entry)
{
    mDownload.addEntry(entry);
}

void BoxLogViews::finishDownload()
{
    show(mDownload);
}

void BoxLogViews::show(const KelvoOverview& overview)
{
    // Back to the overview's own order, attention first.
    mKelvosView->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    mModel->setKelvos(overview.kelvos());
    mKelvosView->resizeColumnsToContents();
    mKelvosView->resizeRowsToContents();
}

void BoxLogViews::clear()
{
    show(KelvoOverview());
}
