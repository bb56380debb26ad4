#ifndef KELVORECORD_H
#define KELVORECORD_H

#include <QDateTime>
#include <QString>
#include <QtGlobal>

#include <array>

// The Kelvo's configuration and status as the tool holds them: filled from the tag, edited from
// the widgets and written back. Box log entries use the same type, with a time stamp and an
// operation name. The serial numbers have no terminator.
struct KelvoRecord
{
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
    std::array<char, 10> mSerialNumber{{'0', '0', '0', '0', '0', '0', '0', '0', '0', '0'}};
    std::array<char, 8> mKelvoSerialNumber{{'0', '0', '0', '0', '0', '0', '0', '0'}};
    QString mLogPath = QStringLiteral("log.txt");
    quint8 mErrorFlags = 0;
    // False when the last read could not read block 15: the last four characters of the Kelvo
    // serial number are then unknown, and are neither shown, logged nor written back.
    bool mKelvoSerialEndRead = true;
    // How many characters of the Kelvo serial number are known, from the start.
    int knownKelvoSerialCharacters() const { return mKelvoSerialEndRead ? 8 : 4; }
    // False when the last read found checksum A or B not covering the values they protect, as a
    // write interrupted halfway leaves them.
    bool mChecksumsMatch = true;
    QDateTime mTimestamp;
    QString mOperation;
};

#endif
