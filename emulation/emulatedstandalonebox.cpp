#include "emulation/emulatedstandalonebox.h"

#include "drivers/boxprotocol.h"
#include "emulation/emulatedtagframes.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr quint8 protocolSelectCode = 0x02;
constexpr quint8 sendReceiveCode = 0x04;
constexpr quint8 readerErrorCode = 0x82;
constexpr int bitsPerByte = 11;

quint8 byteOf(const QByteArray& bytes, int index)
{
    return static_cast<quint8>(bytes[index]);
}

void appendBigEndian(QByteArray& bytes, quint32 value, int size)
{
    for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
        bytes.append(static_cast<char>((value >> shift) & 0xFF));
}

// A box answer: 0x52, the length, the echoed sub-command and its fields.
QByteArray boxReply(quint8 subCommand, const QByteArray& fields = QByteArray())
{
    QByteArray reply;
    reply.append(static_cast<char>(BoxCode::boxCommand));
    reply.append(static_cast<char>(fields.size() + 1));
    reply.append(static_cast<char>(subCommand));
    return reply + fields;
}

QByteArray readerError()
{
    QByteArray reply;
    reply.append(static_cast<char>(readerErrorCode));
    reply.append('\0');
    return reply;
}

QByteArray spoiled(QByteArray answer, EmulatedStandaloneBox::Fault fault)
{
    using Fault = EmulatedStandaloneBox::Fault;
    switch (fault) {
    case Fault::NoAnswer:
        return QByteArray();
    case Fault::ShortAnswer:
        return answer.left(2 + (answer.size() - 2) / 2);
    case Fault::Garbage:
        for (int i = 0; i < answer.size(); ++i)
            answer[i] = static_cast<char>(i % 2 == 0 ? 0xA5 : 0x5A);
        return answer;
    case Fault::FfEcho:
        if (answer.size() > 2)
            answer[2] = static_cast<char>(BoxCode::error);
        return answer;
    case Fault::FlippedBit:
        if (!answer.isEmpty())
            answer[answer.size() - 1] = static_cast<char>(answer.back() ^ 0x01);
        return answer;
    case Fault::TagError:
    case Fault::LateAnswer:
    case Fault::AnswerAfterTimeOut:
    case Fault::DuplicatedAnswer:
        return answer;
    }
    return answer;
}

} // namespace

QByteArray
EmulatedStandaloneBox::logEntry(quint32 timestamp, quint32 operation,
                                const std::array<quint32, EmulatedKelvoTag::blockCount>& blocks)
{
    QByteArray entry;
    appendBigEndian(entry, timestamp, 4);
    appendBigEndian(entry, operation, 4);
    for (const quint32 block : blocks)
        appendBigEndian(entry, block, 4);
    return entry;
}

void EmulatedStandaloneBox::setConfig(quint8 activationDepth, quint16 filter)
{
    mActivationDepth = activationDepth;
    mFilter = filter;
}

void EmulatedStandaloneBox::setPlugged(bool plugged)
{
    mPlugged = plugged;
    if (!plugged) {
        mHandleLost = mHandle != nullptr;
        mProtocolSelected = false;
        mIncoming.clear();
        dropReceived();
        mLateBytes.clear();
        mHeldAnswers.clear();
    }
}

void EmulatedStandaloneBox::restart()
{
    mProtocolSelected = false;
    mIncoming.clear();
    dropReceived();
    mLateBytes.clear();
    mHeldAnswers.clear();
}

void EmulatedStandaloneBox::unplugAfterExchanges(int exchanges)
{
    mExchangesBeforeUnplug = exchanges;
}

void EmulatedStandaloneBox::injectFault(int exchange, Fault fault, int count)
{
    for (int i = 0; i < count; ++i)
        mFaults[mExchanges + exchange + i] = fault;
}

void EmulatedStandaloneBox::injectLogEntryFault(int index, Fault fault, int count)
{
    for (int i = 0; i < count; ++i)
        mLogEntryFaults[index].push_back(fault);
}

void EmulatedStandaloneBox::clearFaults()
{
    mFaults.clear();
    mLogEntryFaults.clear();
    mHeldAnswers.clear();
    mExchangesBeforeUnplug = -1;
}

int EmulatedStandaloneBox::requests(Request request) const
{
    const auto found = mRequests.find(request);
    return found != mRequests.end() ? found->second : 0;
}

bool EmulatedStandaloneBox::isUsable(Handle handle) const
{
    return mPlugged && !mHandleLost && handle != nullptr && handle == mHandle;
}

int EmulatedStandaloneBox::open(int index, Handle& handle)
{
    mCalls.push_back(Call::Open);
    // The device opens exclusively: a handle still held keeps it busy.
    if (index != 0 || !mPlugged || mHandle != nullptr)
        return failure;
    mHandle = reinterpret_cast<Handle>(++mOpenCount);
    mHandleLost = false;
    mProtocolSelected = false;
    mLatencyTimer = defaultLatencyMilliseconds;
    handle = mHandle;
    return 0;
}

int EmulatedStandaloneBox::close(Handle handle)
{
    mCalls.push_back(Call::Close);
    if (handle == nullptr || handle != mHandle)
        return failure;
    mHandle = nullptr;
    mIncoming.clear();
    dropReceived();
    mLateBytes.clear();
    return 0;
}

int EmulatedStandaloneBox::read(Handle handle, void* buffer, std::uint32_t count,
                                std::uint32_t& received)
{
    mCalls.push_back(Call::Read);
    if (!isUsable(handle))
        return failure;
    // The read takes what the converter hands over before its time-out, up to count bytes. A
    // time-out of 0 is none: the read waits for every byte on its way, and then returns with
    // them, since the box cannot wait forever.
    const bool timesOut = mTimeouts[0] > 0;
    const std::chrono::nanoseconds givingUp =
        timesOut ? mEmulatedTime + std::chrono::milliseconds(mTimeouts[0])
                 : std::chrono::nanoseconds::max();
    std::uint32_t available = 0;
    while (available < count && available < mReceiveTimes.size() &&
           mReceiveTimes[available].handedOver <= givingUp)
        ++available;
    std::memcpy(buffer, mReceiveQueue.constData(), available);
    if (available > 0)
        waitFor(mReceiveTimes[available - 1]);
    mReceiveQueue.remove(0, static_cast<int>(available));
    mReceiveTimes.erase(mReceiveTimes.begin(), mReceiveTimes.begin() + available);
    received = available;
    if (received < count) {
        if (timesOut)
            mEmulatedTime = givingUp;
        anchorWallTime();
        sendToReader(mLateBytes);
        mLateBytes.clear();
    }
    return 0;
}

int EmulatedStandaloneBox::write(Handle handle, const void* buffer, std::uint32_t count,
                                 std::uint32_t& written)
{
    mCalls.push_back(Call::Write);
    if (mExchangesBeforeUnplug == 0) {
        mExchangesBeforeUnplug = -1;
        setPlugged(false);
    }
    if (!isUsable(handle))
        return failure;
    mIncoming.append(static_cast<const char*>(buffer), static_cast<int>(count));
    written = count;
    mLineBytes += count;
    // What the box sends from now on reaches the reader counted from this write, whatever the
    // reader does meanwhile.
    anchorWallTime();
    mEmulatedTime += lineTime(count);
    takeRequests();
    return 0;
}

int EmulatedStandaloneBox::setBaudRate(Handle handle, std::uint32_t baudRate)
{
    mCalls.push_back(Call::SetBaudRate);
    if (!isUsable(handle))
        return failure;
    mLineBaudRate = baudRate;
    return 0;
}

int EmulatedStandaloneBox::setDataCharacteristics(Handle handle, std::uint8_t wordLength,
                                                  std::uint8_t stopBits, std::uint8_t parity)
{
    mCalls.push_back(Call::SetDataCharacteristics);
    if (!isUsable(handle))
        return failure;
    mDataCharacteristics = {wordLength, stopBits, parity};
    return 0;
}

int EmulatedStandaloneBox::purge(Handle handle, std::uint32_t mask)
{
    mCalls.push_back(Call::Purge);
    if (!isUsable(handle))
        return failure;
    if ((mask & purgeReceive) != 0)
        dropReceived();
    if ((mask & purgeTransmit) != 0)
        mIncoming.clear();
    return 0;
}

int EmulatedStandaloneBox::setTimeouts(Handle handle, std::uint32_t readMilliseconds,
                                       std::uint32_t writeMilliseconds)
{
    mCalls.push_back(Call::SetTimeouts);
    if (!isUsable(handle))
        return failure;
    mTimeouts = {readMilliseconds, writeMilliseconds};
    return 0;
}

int EmulatedStandaloneBox::queueStatus(Handle handle, std::uint32_t& waiting)
{
    mCalls.push_back(Call::QueueStatus);
    if (!isUsable(handle))
        return failure;
    waiting = static_cast<std::uint32_t>(mReceiveQueue.size());
    return 0;
}

int EmulatedStandaloneBox::setLatencyTimer(Handle handle, std::uint8_t milliseconds)
{
    mCalls.push_back(Call::SetLatencyTimer);
    if (!isUsable(handle) || !mLatencyTimerSupported || milliseconds < shortestLatencyMilliseconds)
        return failure;
    mLatencyTimer = mLowLatencyPort ? 1 : milliseconds;
    return 0;
}

// Every request is a code byte, a length byte and that many bytes more.
void EmulatedStandaloneBox::takeRequests()
{
    while (mIncoming.size() >= 2 && mIncoming.size() >= 2 + byteOf(mIncoming, 1)) {
        const int size = 2 + byteOf(mIncoming, 1);
        const QByteArray request = mIncoming.left(size);
        mIncoming.remove(0, size);
        answer(request);
    }
}

void EmulatedStandaloneBox::answer(const QByteArray& request)
{
    ++mExchanges;
    mLastRequest = request;
    if (mSilent)
        return;
    sendToReader(mHeldAnswers);
    mHeldAnswers.clear();
    const std::optional<Fault> fault = takeFault(request);
    queue(carryOut(request, fault), fault);
    if (mExchangesBeforeUnplug > 0)
        --mExchangesBeforeUnplug;
}

std::optional<EmulatedStandaloneBox::Fault>
EmulatedStandaloneBox::takeFault(const QByteArray& request)
{
    const auto found = mFaults.find(mExchanges);
    if (found != mFaults.end())
        return found->second;
    const bool isLogEntryRead = request.size() == 5 && byteOf(request, 0) == BoxCode::boxCommand &&
                                byteOf(request, 2) == BoxCode::logEntry;
    if (!isLogEntryRead)
        return std::nullopt;
    auto faults = mLogEntryFaults.find(static_cast<int>(bigEndianField(request, 3, 2)));
    if (faults == mLogEntryFaults.end() || faults->second.empty())
        return std::nullopt;
    const Fault fault = faults->second.front();
    faults->second.erase(faults->second.begin());
    return fault;
}

void EmulatedStandaloneBox::queue(const QByteArray& answer, std::optional<Fault> fault)
{
    if (!fault) {
        sendToReader(answer);
        return;
    }
    const QByteArray sent = spoiled(answer, *fault);
    if (fault == Fault::AnswerAfterTimeOut || fault == Fault::DuplicatedAnswer)
        mHeldAnswers.append(sent);
    if (fault == Fault::AnswerAfterTimeOut)
        return;
    if (fault == Fault::LateAnswer) {
        sendToReader(sent.left(2));
        mLateBytes.append(sent.mid(2));
        return;
    }
    sendToReader(sent);
}

void EmulatedStandaloneBox::sendToReader(const QByteArray& bytes)
{
    mLineBytes += bytes.size();
    const std::chrono::nanoseconds start = std::max(mEmulatedTime, mLineFree);
    for (int i = 0; i < bytes.size(); ++i) {
        const std::chrono::nanoseconds arrival =
            start + lineTime(static_cast<std::uint32_t>(i + 1));
        mReceiveQueue.append(bytes[i]);
        mReceiveTimes.push_back({arrival, packByte(arrival)});
    }
    mLineFree = start + lineTime(static_cast<std::uint32_t>(bytes.size()));
}

std::chrono::nanoseconds EmulatedStandaloneBox::packByte(std::chrono::nanoseconds arrival)
{
    if (mBaudRateForPacing <= 0)
        return arrival;
    if (mPacketBytes == 0 || arrival > mPacketDeadline) {
        mPacketBytes = 0;
        mPacketDeadline = arrival + std::chrono::milliseconds(mLatencyTimer);
    }
    if (++mPacketBytes < packetDataSize)
        return mPacketDeadline;
    // A full packet leaves at once, with the bytes that were waiting in it. None of them can have
    // been read: a read waits for its packet to leave.
    const auto waiting = std::min<std::size_t>(packetDataSize - 1, mReceiveTimes.size());
    for (auto byte = mReceiveTimes.end() - static_cast<std::ptrdiff_t>(waiting);
         byte != mReceiveTimes.end(); ++byte)
        byte->handedOver = arrival;
    mPacketBytes = 0;
    return arrival;
}

void EmulatedStandaloneBox::dropReceived()
{
    mReceiveQueue.clear();
    mReceiveTimes.clear();
    mPacketBytes = 0;
    mLineFree = mEmulatedTime;
}

void EmulatedStandaloneBox::waitFor(const ByteTimes& byte)
{
    if (mBaudRateForPacing > 0 && mPacing == Pacing::RealTime)
        std::this_thread::sleep_until(mWallAnchor + (byte.arrival - mEmulatedAnchor));
    mEmulatedTime = std::max(mEmulatedTime, byte.handedOver);
}

void EmulatedStandaloneBox::anchorWallTime()
{
    mWallAnchor = std::chrono::steady_clock::now();
    mEmulatedAnchor = mEmulatedTime;
}

QByteArray EmulatedStandaloneBox::carryOut(const QByteArray& request, std::optional<Fault> fault)
{
    switch (byteOf(request, 0)) {
    case protocolSelectCode:
        ++mRequests[Request::ProtocolSelect];
        mProtocolSelected = request == QByteArray::fromHex("0202010d");
        return mProtocolSelected ? QByteArray(2, '\0') : readerError();
    case sendReceiveCode:
        return readerAnswer(request.mid(2), fault);
    case BoxCode::boxCommand:
        return boxAnswer(request);
    default:
        ++mRequests[Request::Unknown];
        return QByteArray();
    }
}

QByteArray EmulatedStandaloneBox::readerAnswer(const QByteArray& request,
                                               std::optional<Fault> fault)
{
    const TagRequest kind = tagRequestKind(request);
    ++mRequests[kind == TagRequest::ReadSingleBlock    ? Request::ReadBlock
                : kind == TagRequest::WriteSingleBlock ? Request::WriteBlock
                                                       : Request::OtherReaderRequest];
    if (!mProtocolSelected)
        return readerError();
    if (!mTagInField)
        return noTagAnswer();
    if (fault == Fault::TagError)
        return tagErrorAnswer();
    return tagAnswer(mTag, request);
}

QByteArray EmulatedStandaloneBox::boxAnswer(const QByteArray& request)
{
    const int length = byteOf(request, 1);
    const quint8 subCommand = length >= 1 ? byteOf(request, 2) : 0;
    const QByteArray arguments = request.mid(3);
    QByteArray fields;
    const auto expects = [&](Request kind, int argumentCount) {
        ++mRequests[kind];
        return arguments.size() == argumentCount;
    };
    switch (length >= 1 ? subCommand : 0) {
    case BoxCode::batteryLevel:
        if (!expects(Request::BatteryLevel, 0))
            break;
        appendBigEndian(fields, 0, 2);
        appendBigEndian(fields, mBatteryLevel, 1);
        return boxReply(subCommand, fields);
    case BoxCode::writeConfig:
        if (!expects(Request::WriteConfig, 3))
            break;
        setConfig(byteOf(arguments, 0), static_cast<quint16>(bigEndianField(arguments, 1, 2)));
        return boxReply(subCommand);
    case BoxCode::readConfig:
        if (!expects(Request::ReadConfig, 0))
            break;
        appendBigEndian(fields, mActivationDepth, 1);
        appendBigEndian(fields, mFilter, 2);
        return boxReply(subCommand, fields);
    case BoxCode::setClock:
        if (!expects(Request::SetClock, 4))
            break;
        mClock = bigEndianField(arguments, 0, 4);
        return boxReply(subCommand);
    case BoxCode::readClock:
        if (!expects(Request::ReadClock, 0))
            break;
        appendBigEndian(fields, mClock, 4);
        return boxReply(subCommand, fields);
    case BoxCode::logCount:
        if (!expects(Request::LogCount, 0))
            break;
        appendBigEndian(fields, static_cast<quint32>(mLog.size()), 2);
        return boxReply(subCommand, fields);
    case BoxCode::logEntry:
        if (!expects(Request::LogEntry, 2))
            break;
        return logEntryAnswer(static_cast<int>(bigEndianField(arguments, 0, 2)));
    case BoxCode::eraseLog:
        if (!expects(Request::EraseLog, 0))
            break;
        mLog.clear();
        return boxReply(subCommand);
    default:
        ++mRequests[Request::OtherBoxCommand];
        break;
    }
    return boxReply(BoxCode::error);
}

QByteArray EmulatedStandaloneBox::logEntryAnswer(int index)
{
    if (index >= mLog.size())
        return boxReply(BoxCode::error);
    return boxReply(BoxCode::logEntry, mLog.at(index));
}

qint64 EmulatedStandaloneBox::emulatedMilliseconds() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(mEmulatedTime).count();
}

std::chrono::nanoseconds EmulatedStandaloneBox::lineTime(std::uint32_t bytes) const
{
    if (mBaudRateForPacing <= 0)
        return std::chrono::nanoseconds(0);
    return std::chrono::nanoseconds(static_cast<long long>(bytes) * bitsPerByte * 1000000000LL /
                                    mBaudRateForPacing);
}
