#ifndef KELVORECORD_H
#define KELVORECORD_H

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <array>
#include <initializer_list>
#include <optional>

// The record's values that a Kelvo's tag holds. The Kelvo serial number is two fields, one per
// block, since a read goes on without its second block.
enum class TagField
{
    ErrorFlags,
    FirmwareVersion,
    ActivationDepth,
    Filter,
    SerialNumber,
    BatteryLevel,
    SupercapLevel,
    ActivationMeasuredDepth,
    MaxMeasuredDepth,
    KelvoSerialStart,
    KelvoSerialEnd,
    BatteryThreshold,
    Count
};

// Where a field's value comes from: read from the Kelvo the record is of, entered by the operator
// for that Kelvo, or nothing known. A value not known is neither shown, logged nor written.
enum class FieldSource
{
    Unknown,
    Read,
    Entered
};

// The Kelvo's configuration and status as the tool holds them: filled from the tag, edited from
// the widgets and written back. Box log entries use the same type, with a time stamp and an
// operation name. The serial numbers have no terminator.
struct KelvoRecord
{
    using SerialNumber = std::array<char, 10>;

    quint8 mActivationDepth = 50;
    quint8 mAdvancedActivationDepth = 0;
    std::array<quint8, 3> mPresetDepths{{50, 75, 100}};
    quint16 mBatteryLevel = 0;
    quint16 mSupercapLevel = 0;
    quint16 mBatteryThreshold = 3300;
    float mFirmwareVersion = 0.0f;
    double mActivationMeasuredDepth = 0.0;
    double mMaxMeasuredDepth = 0.0;
    quint16 mFilter = 5;
    quint8 mStreamer = 0;
    quint8 mDevice = 0;
    std::array<char, 2> mPositionLetters{{'S', 'D'}};
    SerialNumber mSerialNumber{{'0', '0', '0', '0', '0', '0', '0', '0', '0', '0'}};
    std::array<char, 8> mKelvoSerialNumber{{'0', '0', '0', '0', '0', '0', '0', '0'}};
    QString mLogPath = QStringLiteral("log.txt");
    quint8 mErrorFlags = 0;
    // Before any read nothing is known of a Kelvo; the activation depth and filter are the
    // operator's configuration from the start.
    std::array<FieldSource, std::size_t(TagField::Count)> mSources{
        {FieldSource::Unknown, FieldSource::Unknown, FieldSource::Entered, FieldSource::Entered}};
    // The serial number read from the Kelvo the record's values are of: none before any read, and
    // after a read that did not get that far.
    std::optional<SerialNumber> mKelvoRead;
    // Whether the last read found checksum A, and checksum B, covering the values they protect;
    // a write interrupted halfway leaves them not matching.
    bool mChecksumAMatches = false;
    bool mChecksumBMatches = false;
    QDateTime mTimestamp;
    QString mOperation;

    FieldSource source(TagField field) const { return mSources[std::size_t(field)]; }
    bool isKnown(TagField field) const { return source(field) != FieldSource::Unknown; }
    void setSources(std::initializer_list<TagField> fields, FieldSource source)
    {
        for (const TagField field : fields)
            mSources[std::size_t(field)] = source;
    }
    // A read starts from nothing known.
    void forgetTagValues()
    {
        mSources.fill(FieldSource::Unknown);
        mKelvoRead.reset();
        mChecksumAMatches = false;
        mChecksumBMatches = false;
    }
    // How many characters of the Kelvo serial number are known, from the start.
    int knownKelvoSerialCharacters() const
    {
        if (!isKnown(TagField::KelvoSerialStart))
            return 0;
        return isKnown(TagField::KelvoSerialEnd) ? 8 : 4;
    }
};

#endif
