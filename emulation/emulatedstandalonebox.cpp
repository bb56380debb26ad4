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
    case Fault::TagError:
    case Fault::LateAnswer:
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
        mReceiveQueue.clear();
        mLateBytes.clear();
    }
}

void EmulatedStandaloneBox::restart()
{
    mProtocolSelected = false;
    mIncoming.clear();
    mReceiveQueue.clear();
    mLateBytes.clear();
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
    mReceiveQueue.clear();
    mLateBytes.clear();
    return 0;
}

int EmulatedStandaloneBox::read(Handle handle, void* buffer, std::uint32_t count,
                                std::uint32_t& received)
{
    mCalls.push_back(Call::Read);
    if (!isUsable(handle))
        return failure;
    const int available = std::min<int>(mReceiveQueue.size(), static_cast<int>(count));
    std::memcpy(buffer, mReceiveQueue.constData(), static_cast<std::size_t>(available));
    mReceiveQueue.remove(0, available);
    received = static_cast<std::uint32_t>(available);
    // Bytes arrive one after the other from the moment their request was sent, whatever the
    // tool did meanwhile: a read waits only for those not in yet.
    mQueueHeadArrives += lineTime(received);
    if (received > 0 && mBaudRateForPacing > 0)
        std::this_thread::sleep_until(mQueueHeadArrives);
    advanceClock(lineTime(received));
    if (received < count) {
        advanceClock(std::chrono::milliseconds(mTimeouts[0]));
        mReceiveQueue.append(mLateBytes);
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
    const bool nothingWaiting = mReceiveQueue.isEmpty();
    advanceClock(lineTime(count));
    takeRequests();
    if (nothingWaiting)
        mQueueHeadArrives = std::chrono::steady_clock::now() + lineTime(count);
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
        mReceiveQueue.clear();
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
        mReceiveQueue.append(answer);
        return;
    }
    const QByteArray sent = spoiled(answer, *fault);
    if (fault == Fault::LateAnswer) {
        mReceiveQueue.append(sent.left(2));
        mLateBytes.append(sent.mid(2));
        return;
    }
    mReceiveQueue.append(sent);
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
