#include "drivers/ftdiseriallink.h"

#include "drivers/hexframe.h"

#include <algorithm>
#include <iostream>

namespace {

constexpr std::uint32_t purgeBoth = D2xxLibrary::purgeReceive | D2xxLibrary::purgeTransmit;

// Two characters a byte, each piece parsed as hex; a single character left at the end forms a
// byte by itself. A piece that is not hex gives 0.
QByteArray bytesOfHexText(const QByteArray& text)
{
    QByteArray bytes;
    for (int position = 0; position < text.size(); position += 2) {
        quint32 value = 0;
        parseHex(text.constData() + position, std::min(2, int(text.size()) - position), value);
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

} // namespace

FtdiSerialLink::FtdiSerialLink(D2xxLibrary& library, int baudRate, int wordLength, int stopBits,
                               int parity)
    : mLibrary(library)
{
    D2xxLibrary::Handle handle = nullptr;
    if (mLibrary.open(0, handle) != 0 || handle == nullptr)
        throw QByteArray("error opening");
    mHandle = handle;
    std::cout << "Device opened" << std::endl;
    mLibrary.setBaudRate(mHandle, static_cast<std::uint32_t>(baudRate));
    mLibrary.setDataCharacteristics(mHandle, static_cast<std::uint8_t>(wordLength),
                                    static_cast<std::uint8_t>(stopBits),
                                    static_cast<std::uint8_t>(parity));
    mLibrary.setTimeouts(mHandle, timeoutMilliseconds, timeoutMilliseconds);
    // A refusal only leaves the link slower, so its status does not matter.
    mLibrary.setLatencyTimer(mHandle, latencyTimerMilliseconds);
    mLibrary.purge(mHandle, purgeBoth);
}

FtdiSerialLink::~FtdiSerialLink()
{
    mLibrary.close(mHandle);
}

void FtdiSerialLink::purge()
{
    mLibrary.purge(mHandle, purgeBoth);
}

bool FtdiSerialLink::isAlive()
{
    std::uint32_t waiting = 0;
    return !mLost && mHandle != nullptr && mLibrary.queueStatus(mHandle, waiting) == 0;
}

void FtdiSerialLink::finish(Outcome outcome)
{
    mLastOutcome = outcome;
    if (outcome == Outcome::ReaderLost)
        mLost = true;
}

bool FtdiSerialLink::send(const QByteArray& hexText)
{
    if (mLost) {
        finish(Outcome::ReaderLost);
        return false;
    }
    const QByteArray bytes = bytesOfHexText(hexText);
    std::uint32_t written = 0;
    const bool sent = mLibrary.write(mHandle, bytes.constData(),
                                     static_cast<std::uint32_t>(bytes.size()), written) == 0;
    mAnsweredSinceSend = false;
    finish(sent ? Outcome::Done : Outcome::ReaderLost);
    return sent;
}

QByteArray FtdiSerialLink::readAvailable()
{
    std::uint32_t waiting = 0;
    if (mLost || mHandle == nullptr || mLibrary.queueStatus(mHandle, waiting) != 0 || waiting == 0)
        return QByteArray();
    QByteArray bytes(static_cast<int>(waiting), '\0');
    std::uint32_t received = 0;
    if (mLibrary.read(mHandle, bytes.data(), waiting, received) != 0)
        return QByteArray();
    if (received > 0)
        mAnsweredSinceSend = true;
    return bytes.left(static_cast<int>(qMin(received, waiting))).toHex();
}

QByteArray FtdiSerialLink::readExact(std::uint32_t count)
{
    if (count == 0)
        return QByteArray();
    const std::optional<QByteArray> bytes = receive(count);
    if (bytes)
        return bytes->toHex();
    return mTimedOut ? QByteArrayLiteral("TIMEOUT") : QByteArray();
}

std::optional<QByteArray> FtdiSerialLink::receive(std::uint32_t count)
{
    mTimedOut = false;
    if (mLost) {
        finish(Outcome::ReaderLost);
        return std::nullopt;
    }
    QByteArray bytes(static_cast<int>(count), '\0');
    std::uint32_t received = 0;
    if (mLibrary.read(mHandle, bytes.data(), count, received) != 0) {
        finish(Outcome::ReaderLost);
        return std::nullopt;
    }
    const bool answered = mAnsweredSinceSend || received > 0;
    mAnsweredSinceSend = answered;
    if (received < count) {
        mTimedOut = true;
        finish(answered ? Outcome::BadAnswer : Outcome::ReaderLost);
        return std::nullopt;
    }
    finish(Outcome::Done);
    return bytes;
}
