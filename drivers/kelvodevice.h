#ifndef KELVODEVICE_H
#define KELVODEVICE_H

#include "drivers/boxsettings.h"
#include "drivers/cr95hfdriver.h"
#include "drivers/outcome.h"
#include "drivers/pause.h"
#include "kelvo/kelvorecord.h"
#include "kelvo/tagmemorymap.h"
#include "platform/cr95hflibrary.h"
#include "platform/d2xxlibrary.h"

#include <memory>

class StandaloneBoxDriver;

// The one object through which the tool reaches a Kelvo: it finds a reader (the STM board
// first, then the Standalone Box), arbitrates the tag memory with the Kelvo's microcontroller
// and moves the record's blocks. The record and box settings are read and set directly by the
// window. The record operations do not check the connection: callers run them after tagPresent()
// and setRfAccess(true) succeeded. Every operation keeps its result as it is; lastOutcome() tells
// how the last one ended, and why it failed.
class KelvoDevice
{
public:
    // The readers are reached through the two libraries; pause waits between memory-access
    // attempts and, on the box, after each block write.
    KelvoDevice(Cr95hfLibrary& boardLibrary, D2xxLibrary& boxLibrary, Pause pause = sleepingPause);
    ~KelvoDevice();
    KelvoDevice(const KelvoDevice&) = delete;
    KelvoDevice& operator=(const KelvoDevice&) = delete;

    KelvoRecord& record() { return mRecord; }
    const KelvoRecord& record() const { return mRecord; }
    BoxSettings& boxSettings() { return mBoxSettings; }
    const BoxSettings& boxSettings() const { return mBoxSettings; }

    // Told true when a reader search starts and false when it ends, so that the operator sees the
    // tool is busy while a silent reader costs its time-out.
    using SearchObserver = std::function<void(bool searching)>;

    bool connectReader();
    bool isConnected();
    // Connects a reader when none is connected; true when one is. A box that stayed silent
    // behind its converter is asked once within one search, so a search costs at most one
    // time-out.
    bool ensureReader();
    void setSearchObserver(SearchObserver observer) { mSearchObserver = std::move(observer); }
    bool isStandaloneBox() const;
    bool tagPresent();
    bool setRfAccess(bool request);

    // Starts from nothing known; the fields it reads are known as read from this Kelvo.
    bool readRecord();
    // The writes put the activation depth and filter on the tag, and each identity field (the
    // Kelvo serial number; with factory writes the serial number and battery threshold) only when
    // the record holds it as entered for this Kelvo.
    // Simplified-tab write: block 1 is written whole, with byte 0 cleared.
    bool writeRecordFull();
    // Advanced-tab write: block 1 byte 0 keeps what the tag holds.
    bool writeRecordKeep();
    bool updateChecksumA();
    bool updateChecksumB();

    // The Standalone Box's own operations. With another reader they make no exchange and give
    // false, 0 or an unread entry. readBoxConfig reads the battery level, the configuration and
    // the clock and sets the clock, always all four; its result is the configuration read's. It
    // marks in BoxSettings which values came from the box: none with another reader.
    bool readBoxConfig();
    // Opens the box's link again when a request got no answer at all on it; false when the
    // reader is not the box or the box still does not answer.
    bool reopenBoxLink();
    bool writeBoxConfig();
    bool eraseBoxLog();
    // The number of entries in the box's log, -1 when it cannot be read.
    int readBoxLogCount();
    // An entry whose first answer is not a whole entry is asked for once more.
    KelvoRecord readBoxLogEntry(int index);
    // How many times so far the box's line was in doubt: an answer failed, or bytes came that
    // belonged to no request. An answer taken around such a moment may be another request's.
    int boxDoubtfulMoments() const;

    // The factory build's writes also set the serial number, the battery threshold and checksum B.
    void setFactoryWrites(bool factoryWrites) { mFactoryWrites = factoryWrites; }
    bool factoryWrites() const { return mFactoryWrites; }

    Outcome lastOutcome() const { return mLastOutcome; }

private:
    // The active driver when it is the box, otherwise none.
    StandaloneBoxDriver* activeBox() const;
    // The same, with WrongReader or NoReader as the outcome when there is none.
    StandaloneBoxDriver* boxDriver();

    bool writeRecord(const TagParts& activationSettings);
    bool writeFactoryValues(const TagImage& image);
    // strays: the box's stray moments before the reads that the parts' values come from.
    bool writeParts(const TagParts& parts, const TagImage& image, int strays);
    // The box's stray moments (StandaloneBoxDriver::strayMoments), 0 with another reader; the
    // second looks at the line first.
    int boxStrayMoments() const;
    bool boxStraysSince(int strays);
    bool writeIfEntered(TagField field, const TagParts& parts, const TagImage& image);
    bool updateChecksum(const TagChecksum& checksum);
    bool abandonWriteAfterBlockOne();
    bool tryRfAccess(bool request);
    // Records the outcome of the last operation; true when it is done.
    bool finish(Outcome outcome);
    // Records the active driver's last outcome as this operation's failure.
    bool driverFailed();

    KelvoRecord mRecord;
    BoxSettings mBoxSettings;
    std::unique_ptr<CR95HFDriver> mDriver;
    Cr95hfLibrary& mBoardLibrary;
    D2xxLibrary& mBoxLibrary;
    bool mRfidBoardConnected = false;
    Pause mPause;
    bool mFactoryWrites = false;
    Outcome mLastOutcome = Outcome::NoReader;
    SearchObserver mSearchObserver;
    // Within one ensureReader: the box behind the converter did not answer its protocol select.
    bool mSearching = false;
    bool mSilentBoxInSearch = false;
};

#endif
