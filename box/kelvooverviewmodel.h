#ifndef KELVOOVERVIEWMODEL_H
#define KELVOOVERVIEWMODEL_H

#include "box/kelvooverview.h"

#include <QAbstractTableModel>

#include <vector>

// The Kelvos view of the box tab: one row per Kelvo, in the overview's order (attention first),
// with the status display's colours. Besides its text, each cell gives its value for sorting, and
// the trend column the Kelvo's battery levels on a scale shared by every row.
class KelvoOverviewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        kSerialColumn,
        kKelvoSerialColumn,
        kEntriesColumn,
        kFirstSeenColumn,
        kLastSeenColumn,
        kActivationDepthColumn,
        kFilterColumn,
        kBatteryColumn,
        kLowestBatteryColumn,
        kSupercapColumn,
        kErrorFlagsColumn,
        kAttentionColumn,
        kTrendColumn,
        kColumnCount
    };
    enum Role
    {
        // The cell's value for sorting: a number where the column holds one.
        kSortRole = Qt::UserRole,
        // The trend's levels and the battery threshold, each from 0 (the lowest level of all
        // rows) to 1 (the highest).
        kTrendRole,
        kThresholdRole
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setKelvos(std::vector<KelvoSummary> kelvos);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant value(const KelvoSummary& kelvo, int column) const;
    QVariant colour(const KelvoSummary& kelvo, int column, int role) const;
    double onScale(quint16 millivolts) const;

    std::vector<KelvoSummary> mKelvos;
    quint16 mScaleLowest = 0;
    quint16 mScaleHighest = 0;
};

#endif
