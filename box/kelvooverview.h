#ifndef KELVOOVERVIEW_H
#define KELVOOVERVIEW_H

#include "kelvo/kelvorecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <set>
#include <vector>

// One Kelvo as the box's log saw it, over all its entries.
struct KelvoSummary
{
    QString mSerialNumber;
    QString mKelvoSerialNumber;
    int mEntries = 0;
    QDateTime mFirstSeen;
    QDateTime mLastSeen;
    // The entry with the latest time stamp: the Kelvo as it was last read or written.
    KelvoRecord mLatest;
    quint16 mLowestBattery = 0;
    // The battery level of every entry, oldest first.
    std::vector<quint16> mBatteryTrend;
    // Why the Kelvo needs a look; empty when it does not.
    QStringList mAttention;
};

// A line of a LogBox file that is not a LogBox line.
struct BadLogBoxLine
{
    QString mFile;
    int mLineNumber = 0;
};

// The box's log as one summary per Kelvo, from downloaded entries or the lines of LogBox files.
// An entry met twice (the same line in two files, or twice in one file after two downloads
// without an erase) counts once. A Kelvo needs attention when its latest entry has the battery or
// the supercapacitor below the battery threshold, as the status display colours them, an error
// flag set, or an activation depth or filter other than the one most Kelvos of the log have.
class KelvoOverview
{
public:
    void addEntry(const KelvoRecord& entry);
    // Every line of the file; false when the file cannot be read, with the reason in errorText.
    bool addFile(const QString& path, QString& errorText);
    void addLine(const QString& file, int lineNumber, const QByteArray& line);

    // Those needing attention first, each group by serial number.
    std::vector<KelvoSummary> kelvos() const;
    // The entries counted, each once, in the order they came.
    const std::vector<KelvoRecord>& entries() const { return mEntries; }
    const std::vector<BadLogBoxLine>& badLines() const { return mBadLines; }

private:
    std::vector<KelvoRecord> mEntries;
    std::set<QByteArray> mLinesSeen;
    std::vector<BadLogBoxLine> mBadLines;
};

#endif
