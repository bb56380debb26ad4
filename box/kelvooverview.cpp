#include "box/kelvooverview.h"

#include "box/boxlogformat.h"
#include "box/logboxfile.h"
#include "drivers/boxlogentry.h"
#include "kelvo/serialtext.h"
#include "kelvo/statusformat.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace {

// The value most Kelvos have, or none when two values are equally common.
template <typename Value>
std::optional<Value> mostCommon(const std::vector<KelvoSummary>& kelvos, Value KelvoRecord::*field)
{
    std::map<Value, int> counts;
    for (const KelvoSummary& kelvo : kelvos) {
        ++counts[kelvo.mLatest.*field];
    }
    const auto byCount = [](const auto& a, const auto& b) { return a.second < b.second; };
    const auto common = std::max_element(counts.begin(), counts.end(), byCount);
    const auto asCommon = [&common](const auto& other) { return other.second == common->second; };
    if (common == counts.end() || std::count_if(counts.begin(), counts.end(), asCommon) > 1) {
        return std::nullopt;
    }
    return common->first;
}

KelvoSummary summarise(std::vector<KelvoRecord> entries)
{
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const KelvoRecord& a, const KelvoRecord& b) { return a.mTimestamp < b.mTimestamp; });
    KelvoSummary kelvo;
    kelvo.mLatest = entries.back();
    kelvo.mSerialNumber = SerialText::text(kelvo.mLatest.mSerialNumber);
    kelvo.mKelvoSerialNumber = SerialText::text(kelvo.mLatest.mKelvoSerialNumber);
    kelvo.mEntries = int(entries.size());
    kelvo.mFirstSeen = entries.front().mTimestamp;
    kelvo.mLastSeen = kelvo.mLatest.mTimestamp;
    for (const KelvoRecord& entry : entries) {
        kelvo.mBatteryTrend.push_back(entry.mBatteryLevel);
    }
    kelvo.mLowestBattery =
        *std::min_element(kelvo.mBatteryTrend.begin(), kelvo.mBatteryTrend.end());

    const KelvoRecord& latest = kelvo.mLatest;
    if (StatusFormat::isLevelLow(latest.mBatteryLevel, latest.mBatteryThreshold)) {
        kelvo.mAttention << QStringLiteral("battery below threshold");
    }
    if (StatusFormat::isLevelLow(latest.mSupercapLevel, latest.mBatteryThreshold)) {
        kelvo.mAttention << QStringLiteral("supercapacitor low");
    }
    if (latest.mErrorFlags != 0) {
        kelvo.mAttention << QStringLiteral("error flag");
    }
    return kelvo;
}

} // namespace

void KelvoOverview::addEntry(const KelvoRecord& entry)
{
    // An entry the box could not give belongs to no Kelvo; one met before counts once.
    if (!isUnreadBoxLogEntry(entry) && mLinesSeen.insert(BoxLogFormat::logBoxLine(entry)).second) {
        mEntries.push_back(entry);
    }
}

bool KelvoOverview::addFile(const QString& path, QString& errorText)
{
    const std::optional<QList<QByteArray>> fileLines = LogBoxFile::lines(path, &errorText);
    if (!fileLines)
        return false;
    for (int index = 0; index < fileLines->size(); ++index)
        addLine(path, index + 1, fileLines->at(index));
    return true;
}

void KelvoOverview::addLine(const QString& file, int lineNumber, const QByteArray& line)
{
    if (const std::optional<KelvoRecord> entry = BoxLogFormat::parseLogBoxLine(line)) {
        addEntry(*entry);
    } else {
        mBadLines.push_back({file, lineNumber});
    }
}

std::vector<KelvoSummary> KelvoOverview::kelvos() const
{
    // A Kelvo is its serial number and Kelvo serial number together.
    std::map<std::pair<QString, QString>, std::vector<KelvoRecord>> entriesOfKelvo;
    for (const KelvoRecord& entry : mEntries) {
        entriesOfKelvo[{SerialText::text(entry.mSerialNumber),
                        SerialText::text(entry.mKelvoSerialNumber)}]
            .push_back(entry);
    }
    std::vector<KelvoSummary> kelvos;
    for (const auto& [kelvo, entries] : entriesOfKelvo) {
        kelvos.push_back(summarise(entries));
    }
    const auto depth = mostCommon(kelvos, &KelvoRecord::mActivationDepth);
    const auto filter = mostCommon(kelvos, &KelvoRecord::mFilter);
    for (KelvoSummary& kelvo : kelvos) {
        if (depth && kelvo.mLatest.mActivationDepth != *depth) {
            kelvo.mAttention << QStringLiteral("activation depth differs");
        }
        if (filter && kelvo.mLatest.mFilter != *filter) {
            kelvo.mAttention << QStringLiteral("filter differs");
        }
    }
    // The map gave them by serial number; the stable partition keeps that within each group.
    std::stable_partition(kelvos.begin(), kelvos.end(),
                          [](const KelvoSummary& kelvo) { return !kelvo.mAttention.isEmpty(); });
    return kelvos;
}
