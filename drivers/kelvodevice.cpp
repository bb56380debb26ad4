#include "drivers/kelvodevice.h"

#include "drivers/blockvalue.h"
#include "drivers/standaloneboxdriver.h"
#include "drivers/stmboarddriver.h"
#include "kelvo/tagencoding.h"

#include <iostream>

namespace {

constexpr int rfAccessAttempts = 10;
constexpr unsigned long rfAccessPauseMilliseconds = 10;

// Block 0: byte 1 bit 0 is the tool's request flag, byte 2 the microcontroller's lock flag.
constexpr quint16 accessBlock = 0;
constexpr int requestFlagByte = 1;
constexpr int lockFlagByte = 2;
constexpr quint8 requestFlag = 0x01;

constexpr quint16 statusBlock = 0;
constexpr quint16 activationBlock = 1;
constexpr quint16 serialNumberFirstBlock = 5;
constexpr quint16 serialNumberSecondBlock = 6;
constexpr quint16 serialNumberAndChecksumABlock = 7;
constexpr quint16 voltageBlock = 8;
constexpr quint16 measuredActivationDepthBlock = 11;
constexpr quint16 maxMeasuredDepthBlock = 12;
constexpr quint16 thresholdAndChecksumBBlock = 13;
constexpr quint16 kelvoSerialNumberFirstBlock = 14;
constexpr quint16 kelvoSerialNumberSecondBlock = 15;

} // namespace

KelvoDevice::KelvoDevice(Cr95hfLibrary& boardLibrary, D2xxLibrary& boxLibrary, Pause pause)
    : mBoardLibrary(boardLibrary), mBoxLibrary(boxLibrary), mPause(std::move(pause))
{
}

KelvoDevice::~KelvoDevice() = default;

bool KelvoDevice::finish(Outcome outcome)
{
    mLastOutcome = outcome;
    return outcome == Outcome::Done;
}

bool KelvoDevice::driverFailed()
{
    mLastOutcome = mDriver ? mDriver->lastOutcome() : Outcome::NoReader;
    if (mLastOutcome == Outcome::Done)
        mLastOutcome = Outcome::BadAnswer;
    return false;
}

bool KelvoDevice::connectReader()
{
    mDriver = std::make_unique<STMBoardDriver>(mBoardLibrary);
    if (mDriver->open()) {
        mRfidBoardConnected = true;
        return finish(Outcome::Done);
    }
    // A box driver kept from an earlier attempt was destroyed above, when the board's driver
    // replaced it, so the box, which opens exclusively, is free for this one.
    mDriver.reset();
    if (!(mSearching && mSilentBoxInSearch)) {
        auto box = std::make_unique<StandaloneBoxDriver>(mBoxLibrary, mPause);
        if (box->open()) {
            mDriver = std::move(box);
            mRfidBoardConnected = true;
            return finish(Outcome::Done);
        }
        mSilentBoxInSearch = box->metSilentBox();
    }
    mRfidBoardConnected = false;
    return finish(Outcome::NoReader);
}

bool KelvoDevice::isConnected()
{
    if (mRfidBoardConnected) {
        mRfidBoardConnected = mDriver->ensureOpen();
        const auto* box = dynamic_cast<const StandaloneBoxDriver*>(mDriver.get());
        if (box != nullptr && box->metSilentBox())
            mSilentBoxInSearch = true;
        return finish(mRfidBoardConnected ? Outcome::Done : Outcome::ReaderLost);
    }
    connectReader();
    std::cout << "mRfidBoardConnected :" << std::endl;
    return mRfidBoardConnected;
}

bool KelvoDevice::ensureReader()
{
    mSearching = true;
    mSilentBoxInSearch = false;
    if (mSearchObserver)
        mSearchObserver(true);
    if (!isConnected())
        connectReader();
    const bool connected = isConnected();
    mSearching = false;
    if (mSearchObserver)
        mSearchObserver(false);
    return connected;
}

bool KelvoDevice::isStandaloneBox() const
{
    return mDriver && mDriver->name() == "StandaloneBox";
}

bool KelvoDevice::tagPresent()
{
    quint32 ignored = 0;
    if (!mRfidBoardConnected)
        return finish(Outcome::NoReader);
    return mDriver->readBlock(statusBlock, ignored) ? finish(Outcome::Done) : driverFailed();
}

bool KelvoDevice::setRfAccess(bool request)
{
    if (!mDriver)
        return finish(Outcome::NoReader);
    // A lock flag read as set is why the memory could not be had, even when a later attempt got
    // no answer; without one, the tag stopped answering.
    bool lockSeen = false;
    for (int attempt = 1;; ++attempt) {
        if (tryRfAccess(request))
            return finish(Outcome::Done);
        lockSeen = lockSeen || mLastOutcome == Outcome::MemoryLocked;
        if (attempt == rfAccessAttempts)
            return finish(lockSeen ? Outcome::MemoryLocked : mLastOutcome);
        mPause(rfAccessPauseMilliseconds);
    }
}

bool KelvoDevice::tryRfAccess(bool request)
{
    quint8 lockFlag = 0;
    quint8 requestByte = 0;
    if (!mDriver->readByte(accessBlock, lockFlagByte, lockFlag))
        return driverFailed();
    if (lockFlag == 0) {
        return (mDriver->readByte(accessBlock, requestFlagByte, requestByte) &&
                mDriver->writeByte(accessBlock, requestFlagByte, request ? requestFlag : 0)) ||
               driverFailed();
    }
    mLastOutcome = Outcome::MemoryLocked;
    // The microcontroller holds the memory. A request of ours still standing is withdrawn
    // together with the lock flag, which lets the microcontroller hand the memory over.
    if (mDriver->readByte(accessBlock, requestFlagByte, requestByte) &&
        (requestByte & requestFlag) != 0)
        mDriver->writeWord(accessBlock, requestFlagByte, 0);
    return false;
}

bool KelvoDevice::readRecord()
{
    quint32 value = 0;
    if (!mDriver)
        return finish(Outcome::NoReader);
    // A read that fails part-way leaves the fields it did not reach unknown.
    mRecord.forgetTagValues();
    if (!mDriver->readBlock(statusBlock, value))
        return driverFailed();
    mRecord.mErrorFlags = byteAt(value, 3);
    mRecord.mFirmwareVersion = firmwareVersionFromCode(byteAt(value, 0));
    mRecord.setSources({TagField::ErrorFlags, TagField::FirmwareVersion}, FieldSource::Read);

    quint32 block1 = 0;
    if (!mDriver->readBlock(activationBlock, block1))
        return driverFailed();
    mRecord.mActivationDepth = byteAt(block1, 1);
    mRecord.mFilter = wordAt(block1, 2);
    mRecord.setSources({TagField::ActivationDepth, TagField::Filter}, FieldSource::Read);

    quint32 block5 = 0;
    quint32 block6 = 0;
    quint32 block7 = 0;
    if (!mDriver->readBlock(serialNumberFirstBlock, block5))
        return driverFailed();
    unpackCharacters(block5, &mRecord.mSerialNumber[0]);
    if (!mDriver->readBlock(serialNumberSecondBlock, block6))
        return driverFailed();
    unpackCharacters(block6, &mRecord.mSerialNumber[4]);
    if (!mDriver->readBlock(serialNumberAndChecksumABlock, block7))
        return driverFailed();
    mRecord.mSerialNumber[8] = static_cast<char>(byteAt(block7, 0));
    mRecord.mSerialNumber[9] = static_cast<char>(byteAt(block7, 1));
    mRecord.setSources({TagField::SerialNumber}, FieldSource::Read);
    mRecord.mKelvoRead = mRecord.mSerialNumber;

    if (!mDriver->readBlock(voltageBlock, value))
        return driverFailed();
    mRecord.mBatteryLevel = millivoltsFromVoltageCode(byteAt(value, 0));
    mRecord.mSupercapLevel = millivoltsFromVoltageCode(byteAt(value, 1));
    mRecord.setSources({TagField::BatteryLevel, TagField::SupercapLevel}, FieldSource::Read);

    if (!mDriver->readBlock(measuredActivationDepthBlock, value))
        return driverFailed();
    mRecord.mActivationMeasuredDepth = metresFromRawDepth(wordAt(value, 0));
    mRecord.setSources({TagField::ActivationMeasuredDepth}, FieldSource::Read);
    quint32 block12 = 0;
    if (!mDriver->readBlock(maxMeasuredDepthBlock, block12))
        return driverFailed();
    mRecord.mMaxMeasuredDepth = metresFromRawDepth(wordAt(block12, 0));
    mRecord.setSources({TagField::MaxMeasuredDepth}, FieldSource::Read);

    if (!mDriver->readBlock(kelvoSerialNumberFirstBlock, value))
        return driverFailed();
    unpackCharacters(value, &mRecord.mKelvoSerialNumber[0]);
    mRecord.setSources({TagField::KelvoSerialStart}, FieldSource::Read);
    // The read goes on without block 15; its four characters are then unknown.
    if (mDriver->readBlock(kelvoSerialNumberSecondBlock, value)) {
        unpackCharacters(value, &mRecord.mKelvoSerialNumber[4]);
        mRecord.setSources({TagField::KelvoSerialEnd}, FieldSource::Read);
    }

    quint32 block13 = 0;
    if (!mDriver->readBlock(thresholdAndChecksumBBlock, block13))
        return driverFailed();
    mRecord.mBatteryThreshold = millivoltsFromVoltageCode(byteAt(block13, 3));
    mRecord.setSources({TagField::BatteryThreshold}, FieldSource::Read);

    // The blocks the checksums cover were read whole above, so they are checked at no cost.
    const quint16 expectedA =
        checksumA(byteAt(block1, 1), wordAt(block1, 2), block5, block6, wordAt(block7, 0));
    const quint8 expectedB = checksumB(wordAt(block12, 2), wordAt(block13, 0), byteAt(block13, 3));
    mRecord.mChecksumAMatches = wordAt(block7, 2) == expectedA;
    mRecord.mChecksumBMatches = byteAt(block13, 2) == expectedB;
    return finish(Outcome::Done);
}

bool KelvoDevice::writeRecordFull()
{
    return writeRecord(BlockOneWrite::Whole);
}

bool KelvoDevice::writeRecordKeep()
{
    return writeRecord(BlockOneWrite::KeepByteZero);
}

// Checksum A covers block 1, so once a write of block 1 has been tried, every way out goes
// through a checksum A update: a write that stops halfway, or one reported as failed that still
// reached the tag, must not leave the Kelvo with an activation depth that its checksum does not
// cover. The outcome stays a failure.
bool KelvoDevice::writeRecord(BlockOneWrite blockOneWrite)
{
    if (!mDriver)
        return finish(Outcome::NoReader);
    if (!writeActivationSettings(blockOneWrite) || !writeKelvoSerialNumber())
        return abandonWriteAfterBlockOne();
    bool factoryValuesWritten = true;
    Outcome factoryOutcome = Outcome::Done;
    if (mFactoryWrites) {
        factoryValuesWritten = writeFactoryValues();
        factoryOutcome = mLastOutcome;
    }
    if (!updateChecksumA())
        return abandonWriteAfterBlockOne();
    return factoryValuesWritten ? finish(Outcome::Done) : finish(factoryOutcome);
}

// The failure that ended the write is what the caller learns, not the checksum update's outcome.
bool KelvoDevice::abandonWriteAfterBlockOne()
{
    const Outcome failure = mDriver->lastOutcome();
    updateChecksumA();
    finish(failure == Outcome::Done ? Outcome::BadAnswer : failure);
    return false;
}

bool KelvoDevice::writeActivationSettings(BlockOneWrite blockOneWrite)
{
    if (blockOneWrite == BlockOneWrite::KeepByteZero) {
        return mDriver->writeByte(activationBlock, 1, mRecord.mActivationDepth) &&
               mDriver->writeWord(activationBlock, 2, mRecord.mFilter);
    }
    const quint32 value =
        withWordAt(withByteAt(0, 1, mRecord.mActivationDepth), 2, mRecord.mFilter);
    return mDriver->writeBlock(activationBlock, value);
}

// The identity fields are written only with a value entered for this Kelvo; otherwise the tag
// keeps what it holds.
bool KelvoDevice::writeKelvoSerialNumber()
{
    return (!isEntered(TagField::KelvoSerialStart) ||
            mDriver->writeBlock(kelvoSerialNumberFirstBlock,
                                packCharacters(&mRecord.mKelvoSerialNumber[0]))) &&
           (!isEntered(TagField::KelvoSerialEnd) ||
            mDriver->writeBlock(kelvoSerialNumberSecondBlock,
                                packCharacters(&mRecord.mKelvoSerialNumber[4])));
}

bool KelvoDevice::isEntered(TagField field) const
{
    return mRecord.source(field) == FieldSource::Entered;
}

// The serial number is covered by checksum A, which the caller updates in every case. Once the
// threshold write has been tried, every way out goes through a checksum B update, since a write
// reported as failed may still have reached the tag.
bool KelvoDevice::writeFactoryValues()
{
    if (isEntered(TagField::SerialNumber) && !writeSerialNumber())
        return driverFailed();
    if ((!isEntered(TagField::BatteryThreshold) ||
         mDriver->writeByte(thresholdAndChecksumBBlock, 3,
                            voltageCodeFromMillivolts(mRecord.mBatteryThreshold))) &&
        updateChecksumB())
        return true;
    driverFailed();
    const Outcome failure = mLastOutcome;
    updateChecksumB();
    return finish(failure);
}

bool KelvoDevice::writeSerialNumber()
{
    const quint16 lastCharacters =
        static_cast<quint16>((static_cast<quint8>(mRecord.mSerialNumber[8]) << 8) |
                             static_cast<quint8>(mRecord.mSerialNumber[9]));
    return mDriver->writeBlock(serialNumberFirstBlock, packCharacters(&mRecord.mSerialNumber[0])) &&
           mDriver->writeBlock(serialNumberSecondBlock,
                               packCharacters(&mRecord.mSerialNumber[4])) &&
           mDriver->writeWord(serialNumberAndChecksumABlock, 0, lastCharacters);
}

bool KelvoDevice::updateChecksumA()
{
    quint8 activationDepth = 0;
    quint16 filter = 0;
    quint32 block5 = 0;
    quint32 block6 = 0;
    quint16 block7Word = 0;
    if (!mDriver)
        return finish(Outcome::NoReader);
    if (!mDriver->readByte(activationBlock, 1, activationDepth) ||
        !mDriver->readWord(activationBlock, 2, filter) ||
        !mDriver->readBlock(serialNumberFirstBlock, block5) ||
        !mDriver->readBlock(serialNumberSecondBlock, block6) ||
        !mDriver->readWord(serialNumberAndChecksumABlock, 0, block7Word))
        return driverFailed();
    return mDriver->writeWord(serialNumberAndChecksumABlock, 2,
                              checksumA(activationDepth, filter, block5, block6, block7Word))
               ? finish(Outcome::Done)
               : driverFailed();
}

bool KelvoDevice::updateChecksumB()
{
    quint16 block12Word = 0;
    quint16 block13Word = 0;
    quint8 thresholdCode = 0;
    if (!mDriver)
        return finish(Outcome::NoReader);
    if (!mDriver->readWord(maxMeasuredDepthBlock, 2, block12Word) ||
        !mDriver->readWord(thresholdAndChecksumBBlock, 0, block13Word) ||
        !mDriver->readByte(thresholdAndChecksumBBlock, 3, thresholdCode))
        return driverFailed();
    return mDriver->writeByte(thresholdAndChecksumBBlock, 2,
                              checksumB(block12Word, block13Word, thresholdCode))
               ? finish(Outcome::Done)
               : driverFailed();
}
