#ifndef EMULATEDSTANDALONEBOX_H
#define EMULATEDSTANDALONEBOX_H

#include "emulation/emulatedkelvotag.h"
#include "platform/d2xxlibrary.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <chrono>
#include <deque>
#include <map>
#include <optional>
#include <vector>

// An in-process Standalone Box behind its FTDI converter, answering the D2XX calls as the real
// one does; it is passed where the library is. It parses the requests written to it as the box
// does and queues its answers for reading: protocol select, Read and Write Single Block on a
// Kelvo tag in its field, and the box's own commands on its battery level, configuration, clock
// and log. It can be absent or unplugged, spoil chosen answers, pace its answers at a baud rate,
// and it counts requests by kind.
//
// Reads do not wait for their time-outs: a read that asks for more than will come returns at once
// with what is there, as a real read does once its time-out has passed. The box keeps its own
// clock of what the reader would have waited, so that tests can tell what time-outs cost without
// waiting for them.
//
// Paced, the box also plays its FTDI converter's receive path: the converter hands bytes to the
// host in USB packets of at most 62 bytes; a full packet leaves at once, one that is not full
// when the latency timer runs out after the packet's first byte, 16 ms unless the host sets it
// (2 to 255 ms). A read waits for the packets that bring its bytes, on the box's clock.
class EmulatedStandaloneBox : public D2xxLibrary
{
public:
    enum class Request
    {
        ProtocolSelect,
        ReadBlock,
        WriteBlock,
        OtherReaderRequest,
        BatteryLevel,
        WriteConfig,
        ReadConfig,
        SetClock,
        ReadClock,
        LogCount,
        LogEntry,
        EraseLog,
        OtherBoxCommand,
        Unknown
    };

    enum class Fault
    {
        // The request is carried out; no answer comes.
        NoAnswer,
        // The request is carried out; the answer stops halfway after its length byte.
        ShortAnswer,
        // The request is carried out; every byte of the answer is garbled.
        Garbage,
        // The request is carried out; the answer carries 0xFF in place of its echo (byte 2).
        FfEcho,
        // A tag request is not carried out; the tag answers with its error flag set.
        TagError,
        // The request is carried out; the answer's first 2 bytes come at once, the rest only after
        // the next read that runs out of bytes (that read times out).
        LateAnswer,
        // The request is carried out; the whole answer comes after the read time-out, later than
        // the tool waits for the line to settle: with the box's next request, ahead of its answer.
        AnswerAfterTimeOut,
        // The request is carried out and answered; the box repeats the answer, and the copy comes
        // with its next request, ahead of that request's answer.
        DuplicatedAnswer,
        // The request is carried out; one bit of the answer's last byte comes flipped, so that the
        // answer still looks whole.
        FlippedBit,
    };

    enum class Call
    {
        Open,
        Close,
        Read,
        Write,
        SetBaudRate,
        SetDataCharacteristics,
        Purge,
        SetTimeouts,
        QueueStatus,
        SetLatencyTimer
    };

    enum class Pacing
    {
        // Reads also wait in wall time for their bytes to come over the line, counted from the
        // request whatever the reader did meanwhile. The converter's latency and the time-outs
        // cost time on the box's clock only.
        RealTime,
        // Only the box's clock counts the time: nothing waits.
        EmulatedTime
    };

    static constexpr int logEntrySize = 72;
    static constexpr int packetDataSize = 62;
    static constexpr std::uint8_t defaultLatencyMilliseconds = 16;
    static constexpr std::uint8_t shortestLatencyMilliseconds = 2;

    // One log entry: the time stamp, the operation word and the 16 tag blocks, each big-endian.
    static QByteArray logEntry(quint32 timestamp, quint32 operation,
                               const std::array<quint32, EmulatedKelvoTag::blockCount>& blocks);

    EmulatedKelvoTag& tag() { return mTag; }
    const EmulatedKelvoTag& tag() const { return mTag; }
    void setTagInField(bool inField) { mTagInField = inField; }

    quint8 batteryLevel() const { return mBatteryLevel; }
    void setBatteryLevel(quint8 percent) { mBatteryLevel = percent; }
    quint8 activationDepth() const { return mActivationDepth; }
    quint16 filter() const { return mFilter; }
    void setConfig(quint8 activationDepth, quint16 filter);
    quint32 clock() const { return mClock; }
    void setClock(quint32 seconds) { mClock = seconds; }

    void appendLogEntry(const QByteArray& entry) { mLog.append(entry); }
    const QList<QByteArray>& logEntries() const { return mLog; }
    void clearLog() { mLog.clear(); }

    // An unplugged box fails every call on its handle and cannot be opened. The handle it had
    // stays dead when the box is plugged back in: only closing it and opening the box again
    // reaches the box. A box that is unplugged from the start is absent.
    void setPlugged(bool plugged);
    // The box restarts behind its converter, whose handle stays open: the box's reader forgets
    // its protocol selection, and what was on the line is lost.
    void restart();
    // The box answers this many more exchanges and is unplugged at the next write.
    void unplugAfterExchanges(int exchanges);
    // A silent box takes requests but neither carries them out nor answers them, while its
    // converter stays plugged in and answers the D2XX calls.
    void setSilent(bool silent) { mSilent = silent; }
    bool isOpen() const { return mHandle != nullptr; }

    // Spoils count answers, starting with the exchange-th request from now: 1 is the next one.
    void injectFault(int exchange, Fault fault, int count = 1);
    // Spoils the next count answers that carry log entry index.
    void injectLogEntryFault(int index, Fault fault, int count = 1);
    // Forgets every fault still waiting, any answer still held back, and any pending unplug.
    void clearFaults();

    // Takes requests and delivers answers no faster than the line carries them at this baud
    // rate, 11 bits a byte, and through the converter's packets; 0 (the default) moves them at
    // once, whole.
    void paceAt(int baudRate, Pacing pacing = Pacing::RealTime)
    {
        mBaudRateForPacing = baudRate;
        mPacing = pacing;
    }
    // A converter whose library lacks the latency timer refuses to set it and keeps its own.
    void setLatencyTimerSupported(bool supported) { mLatencyTimerSupported = supported; }
    // A converter behind a serial port whose driver turns the host's low-latency request into a
    // 1 ms timer, as Linux's ftdi_sio does, instead of the D2XX library's 2 ms at the least.
    void setLowLatencyPort(bool lowLatency) { mLowLatencyPort = lowLatency; }
    // The converter's latency timer in milliseconds: the default at every open, then what the
    // host set.
    std::uint8_t latencyTimer() const { return mLatencyTimer; }

    // What the reader would have waited on this box so far: the read time-out for each read that
    // got fewer bytes than it asked for and, paced, the wire time of the requests and the wait for
    // the packets that brought the answers. Reads and writes on a handle that fails cost nothing.
    std::chrono::nanoseconds emulatedTime() const { return mEmulatedTime; }
    qint64 emulatedMilliseconds() const;
    // The bytes that went over the line so far, both ways.
    qint64 lineBytes() const { return mLineBytes; }

    int requests(Request request) const;
    int exchanges() const { return mExchanges; }
    // The bytes of the last complete request.
    QByteArray lastRequest() const { return mLastRequest; }
    const std::vector<Call>& calls() const { return mCalls; }
    std::uint32_t baudRate() const { return mLineBaudRate; }
    std::array<std::uint8_t, 3> dataCharacteristics() const { return mDataCharacteristics; }
    std::array<std::uint32_t, 2> timeouts() const { return mTimeouts; }

    int open(int index, Handle& handle) override;
    int close(Handle handle) override;
    int read(Handle handle, void* buffer, std::uint32_t count, std::uint32_t& received) override;
    int write(Handle handle, const void* buffer, std::uint32_t count,
              std::uint32_t& written) override;
    int setBaudRate(Handle handle, std::uint32_t baudRate) override;
    int setDataCharacteristics(Handle handle, std::uint8_t wordLength, std::uint8_t stopBits,
                               std::uint8_t parity) override;
    int purge(Handle handle, std::uint32_t mask) override;
    int setTimeouts(Handle handle, std::uint32_t readMilliseconds,
                    std::uint32_t writeMilliseconds) override;
    // Counts every byte the box has sent, handed over yet or not: a read of them waits for their
    // packets. A count that grew only with the box's clock would never grow for a caller that
    // polls it, since the clock moves only when the reader waits.
    int queueStatus(Handle handle, std::uint32_t& waiting) override;
    int setLatencyTimer(Handle handle, std::uint8_t milliseconds) override;

private:
    // When a byte the box sent came in from the line, and when the converter hands it to the
    // reader.
    struct ByteTimes
    {
        std::chrono::nanoseconds arrival;
        std::chrono::nanoseconds handedOver;
    };

    bool isUsable(Handle handle) const;
    void takeRequests();
    void answer(const QByteArray& request);
    QByteArray carryOut(const QByteArray& request, std::optional<Fault> fault);
    QByteArray readerAnswer(const QByteArray& request, std::optional<Fault> fault);
    QByteArray boxAnswer(const QByteArray& request);
    QByteArray logEntryAnswer(int index);
    std::optional<Fault> takeFault(const QByteArray& request);
    void queue(const QByteArray& answer, std::optional<Fault> fault);
    // Sends bytes to the reader over the line, after what the line still carries.
    void sendToReader(const QByteArray& bytes);
    // Puts a byte that came in from the line into the converter's packet; returns when that
    // packet leaves for the reader.
    std::chrono::nanoseconds packByte(std::chrono::nanoseconds arrival);
    // Forgets what was on its way to the reader.
    void dropReceived();
    // Moves the clock on to when the reader has the byte, waiting in wall time for it to come
    // over the line when paced in real time.
    void waitFor(const ByteTimes& byte);
    // Ties the box's clock to wall time from now on.
    void anchorWallTime();
    std::chrono::nanoseconds lineTime(std::uint32_t bytes) const;

    EmulatedKelvoTag mTag;
    bool mTagInField = true;
    quint8 mBatteryLevel = 87;
    quint8 mActivationDepth = 50;
    quint16 mFilter = 5;
    quint32 mClock = 0;
    QList<QByteArray> mLog;

    bool mPlugged = true;
    Handle mHandle = nullptr;
    bool mHandleLost = false;
    std::uintptr_t mOpenCount = 0;
    bool mProtocolSelected = false;
    int mExchangesBeforeUnplug = -1;
    int mBaudRateForPacing = 0;
    Pacing mPacing = Pacing::RealTime;
    bool mSilent = false;
    std::chrono::nanoseconds mEmulatedTime{0};
    // The wall time that matched mEmulatedAnchor on the box's clock, when paced in real time.
    std::chrono::steady_clock::time_point mWallAnchor;
    std::chrono::nanoseconds mEmulatedAnchor{0};
    qint64 mLineBytes = 0;

    QByteArray mIncoming;
    // What the box sent, and the times of each byte.
    QByteArray mReceiveQueue;
    std::deque<ByteTimes> mReceiveTimes;
    QByteArray mLateBytes;
    // Answers held back until the box's next request.
    QByteArray mHeldAnswers;
    // When the box's line is done with what it sends.
    std::chrono::nanoseconds mLineFree{0};
    // The converter's packet being filled: its bytes, the last ones of mReceiveQueue, and when
    // its latency timer runs out.
    int mPacketBytes = 0;
    std::chrono::nanoseconds mPacketDeadline{0};
    std::uint8_t mLatencyTimer = defaultLatencyMilliseconds;
    bool mLatencyTimerSupported = true;
    bool mLowLatencyPort = false;

    int mExchanges = 0;
    std::map<int, Fault> mFaults;
    std::map<int, std::vector<Fault>> mLogEntryFaults;
    std::map<Request, int> mRequests;
    QByteArray mLastRequest;
    std::vector<Call> mCalls;
    std::uint32_t mLineBaudRate = 0;
    std::array<std::uint8_t, 3> mDataCharacteristics{};
    std::array<std::uint32_t, 2> mTimeouts{};
};

#endif
