#include "drivers/kelvodevice.h"

#include "drivers/blockvalue.h"
#include "drivers/standaloneboxdriver.h"
#include "drivers/stmboarddriver.h"
#include "kelvo/tagmemorymap.h"

#include <iostream>

namespace {

constexpr int rfAccessAttempts = 10;
constexpr int kMostRecordReads = 3;
constexpr unsigned long rfAccessPauseMilliseconds = 10;

constexpr quint16 accessBlock = kRequestFlag.block;
constexpr int requestFlagByte = kRequestFlag.first;
constexpr int lockFlagByte = kLockFlag.first;
constexpr quint8 requestFlag = 0x01;

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
        const StandaloneBoxDriver* box = activeBox();
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
    return mDriver->readBlock(kTagMemoryMap.front().number, ignored) ? finish(Outcome::Done)
                                                                     : driverFailed();
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

// Through the box, an answer taken for another request shows only afterwards, as bytes that
// belong to no request: a read during which such bytes came is read again until two reads agree.
bool KelvoDevice::readRecord()
{
    if (!mDriver)
        return finish(Outcome::NoReader);
    std::optional<TagImage> previous;
    for (int pass = 0; pass < kMostRecordReads; ++pass) {
        const int strays = boxStrayMoments();
        // A read that fails part-way leaves the fields it did not reach unknown.
        mRecord.forgetTagValues();
        TagImage image{};
        for (const TagBlock& block : kTagMemoryMap) {
            if (mDriver->readBlock(block.number, image[block.number]))
                decodeTagBlock(block, image[block.number], mRecord, DepthRule::Tag);
            else if (!block.optional)
                return driverFailed();
        }
        if (!boxStraysSince(strays) || image == previous) {
            // The blocks the checksums cover were read whole above: they are checked at no cost.
            mRecord.mChecksumAMatches = checksumMatches(kChecksumA, image);
            mRecord.mChecksumBMatches = checksumMatches(kChecksumB, image);
            return finish(Outcome::Done);
        }
        previous = image;
    }
    mRecord.forgetTagValues();
    return finish(Outcome::BadAnswer);
}

int KelvoDevice::boxStrayMoments() const
{
    const StandaloneBoxDriver* box = activeBox();
    return box != nullptr ? box->strayMoments() : 0;
}

bool KelvoDevice::boxStraysSince(int strays)
{
    StandaloneBoxDriver* box = activeBox();
    if (box == nullptr)
        return false;
    box->checkLine();
    return box->strayMoments() != strays;
}

// A part of a block is written as the driver writes a byte or a word: the block is read, and
// written back with the part replaced. Nothing read before bytes that belong to no request came is
// written back.
bool KelvoDevice::writeParts(const TagParts& parts, const TagImage& image, int strays)
{
    for (const TagPart& part : parts) {
        quint32 held = 0;
        if (part.count == 0)
            continue;
        if ((part.count < 4 && !mDriver->readBlock(part.block, held)) || boxStraysSince(strays) ||
            !mDriver->writeBlock(part.block, withPart(part, held, image[part.block])))
            return false;
        strays = boxStrayMoments();
    }
    return true;
}

// An identity field is written only with a value entered for this Kelvo; otherwise the tag keeps
// what it holds.
bool KelvoDevice::writeIfEntered(TagField field, const TagParts& parts, const TagImage& image)
{
    return mRecord.source(field) != FieldSource::Entered ||
           writeParts(parts, image, boxStrayMoments());
}

bool KelvoDevice::writeRecordFull()
{
    return writeRecord(kActivationBlock);
}

bool KelvoDevice::writeRecordKeep()
{
    return writeRecord(kActivationSettings);
}

// Checksum A covers the activation settings, so once their write has been tried, every way out
// goes through a checksum A update: a write that stops halfway, or one reported as failed that
// still reached the tag, must not leave the Kelvo with an activation depth that its checksum does
// not cover. The outcome stays a failure.
bool KelvoDevice::writeRecord(const TagParts& activationSettings)
{
    if (!mDriver)
        return finish(Outcome::NoReader);
    const TagImage image = tagImageOf(mRecord);
    if (!writeParts(activationSettings, image, boxStrayMoments()) ||
        !writeIfEntered(TagField::KelvoSerialStart, kKelvoSerialStartPart, image) ||
        !writeIfEntered(TagField::KelvoSerialEnd, kKelvoSerialEndPart, image))
        return abandonWriteAfterBlockOne();
    bool factoryValuesWritten = true;
    Outcome factoryOutcome = Outcome::Done;
    if (mFactoryWrites) {
        factoryValuesWritten = writeFactoryValues(image);
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

// The serial number is covered by checksum A, which the caller updates in every case. Once the
// threshold write has been tried, every way out goes through a checksum B update, since a write
// reported as failed may still have reached the tag.
bool KelvoDevice::writeFactoryValues(const TagImage& image)
{
    if (!writeIfEntered(TagField::SerialNumber, kSerialNumberParts, image))
        return driverFailed();
    if (writeIfEntered(TagField::BatteryThreshold, kBatteryThresholdPart, image) &&
        updateChecksumB())
        return true;
    driverFailed();
    const Outcome failure = mLastOutcome;
    updateChecksumB();
    return finish(failure);
}

bool KelvoDevice::updateChecksumA()
{
    return updateChecksum(kChecksumA);
}

bool KelvoDevice::updateChecksumB()
{
    return updateChecksum(kChecksumB);
}

// Byte and word reads take the whole block, so the covered blocks are read whole.
bool KelvoDevice::updateChecksum(const TagChecksum& checksum)
{
    if (!mDriver)
        return finish(Outcome::NoReader);
    const int strays = boxStrayMoments();
    TagImage image{};
    for (const TagPart& part : checksum.covers) {
        if (part.count != 0 && !mDriver->readBlock(part.block, image[part.block]))
            return driverFailed();
    }
    putChecksum(checksum, image);
    return writeParts({checksum.at}, image, strays) ? finish(Outcome::Done) : driverFailed();
}
