#include "box/kelvooverviewmodel.h"

#include "kelvo/statusformat.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace {

// The colours of the status display's low and good levels and of its alarm and normal fields.
const QColor kLowColour(0xFF, 0x00, 0x00);
const QColor kGoodColour(0x8C, 0xC6, 0x3F);
const QColor kFieldTextColour(0xFF, 0xFF, 0xFF);

QString timeText(const QDateTime& when)
{
    return when.toString(QStringLiteral("yyyyMMdd hh:mm:ss"));
}

} // namespace

void KelvoOverviewModel::setKelvos(std::vector<KelvoSummary> kelvos)
{
    beginResetModel();
    mKelvos = std::move(kelvos);
    mScaleLowest = 0xFFFF;
    mScaleHighest = 0;
    for (const KelvoSummary& kelvo : mKelvos) {
        const auto [lowest, highest] =
            std::minmax_element(kelvo.mBatteryTrend.begin(), kelvo.mBatteryTrend.end());
        mScaleLowest = std::min({mScaleLowest, *lowest, kelvo.mLatest.mBatteryThreshold});
        mScaleHighest = std::max({mScaleHighest, *highest, kelvo.mLatest.mBatteryThreshold});
    }
    endResetModel();
}

int KelvoOverviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(mKelvos.size());
}

int KelvoOverviewModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant KelvoOverviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return QVariant();
    }
    const KelvoSummary& kelvo = mKelvos.at(std::size_t(index.row()));
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return column == kTrendColumn ? QVariant() : value(kelvo, column).toString();
    case kSortRole:
        return value(kelvo, column);
    case kTrendRole: {
        QVariantList levels;
        for (const quint16 level : kelvo.mBatteryTrend) {
            levels << onScale(level);
        }
        return levels;
    }
    case kThresholdRole:
        return onScale(kelvo.mLatest.mBatteryThreshold);
    case Qt::ForegroundRole:
    case Qt::BackgroundRole:
        return colour(kelvo, column, role);
    default:
        return QVariant();
    }
}

QVariant KelvoOverviewModel::value(const KelvoSummary& kelvo, int column) const
{
    const KelvoRecord& latest = kelvo.mLatest;
    switch (column) {
    case kSerialColumn:
        return kelvo.mSerialNumber;
    case kKelvoSerialColumn:
        return kelvo.mKelvoSerialNumber;
    case kEntriesColumn:
        return kelvo.mEntries;
    case kFirstSeenColumn:
        return timeText(kelvo.mFirstSeen);
    case kLastSeenColumn:
        return timeText(kelvo.mLastSeen);
    case kActivationDepthColumn:
        return latest.mActivationDepth;
    case kFilterColumn:
        return latest.mFilter;
    case kBatteryColumn:
        return latest.mBatteryLevel;
    case kLowestBatteryColumn:
        return kelvo.mLowestBattery;
    case kSupercapColumn:
        return latest.mSupercapLevel;
    case kErrorFlagsColumn:
        return StatusFormat::errorFlagsText(latest.mErrorFlags);
    case kAttentionColumn:
        return kelvo.mAttention.join(QStringLiteral("; "));
    default:
        // The trend sorts by the latest level, as the line ends.
        return latest.mBatteryLevel;
    }
}

QVariant KelvoOverviewModel::colour(const KelvoSummary& kelvo, int column, int role) const
{
    const KelvoRecord& latest = kelvo.mLatest;
    const auto levelColour = [&](quint16 millivolts) -> QVariant {
        if (role != Qt::ForegroundRole) {
            return QVariant();
        }
        return QBrush(StatusFormat::isLevelLow(millivolts, latest.mBatteryThreshold) ? kLowColour
                                                                                     : kGoodColour);
    };
    switch (column) {
    case kBatteryColumn:
    case kTrendColumn:
        return levelColour(latest.mBatteryLevel);
    case kLowestBatteryColumn:
        return levelColour(kelvo.mLowestBattery);
    case kSupercapColumn:
        return levelColour(latest.mSupercapLevel);
    case kErrorFlagsColumn:
        if (role == Qt::ForegroundRole) {
            return QBrush(kFieldTextColour);
        }
        return QBrush(latest.mErrorFlags != 0 ? kLowColour : kGoodColour);
    case kAttentionColumn:
        return role == Qt::ForegroundRole ? QVariant(QBrush(kLowColour)) : QVariant();
    default:
        return QVariant();
    }
}

double KelvoOverviewModel::onScale(quint16 millivolts) const
{
    const int span = mScaleHighest - mScaleLowest;
    return span > 0 ? double(millivolts - mScaleLowest) / span : 0.5;
}

QVariant KelvoOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    static const char* const kHeaders[kColumnCount] = {
        "Serial",    "Kelvo Serial", "Entries",      "First seen", "Last seen",
        "Act Depth", "Filter",       "Bat level",    "Lowest Bat", "SCap level",
        "Error",     "Attention",    "Battery trend"};
    return section >= 0 && section < kColumnCount ? QString::fromLatin1(kHeaders[section])
                                                  : QVariant();
}
