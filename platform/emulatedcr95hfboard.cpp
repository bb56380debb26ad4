#include "platform/emulatedcr95hfboard.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr quint8 requestFlags = 0x0A;
constexpr quint8 readSingleBlock = 0x20;
constexpr quint8 writeSingleBlock = 0x21;
constexpr quint8 tagErrorFlag = 0x01;
constexpr quint8 blockNotAvailable = 0x10;
constexpr quint8 unknownError = 0x0F;

// The text of a request, up to its terminator or the end of the buffer.
QByteArray requestText(const char* request)
{
    const char* end = std::find(request, request + Cr95hfLibrary::bufferSize, '\0');
    return QByteArray(request, static_cast<int>(end - request));
}

// The bytes of hex text; empty when the text is not hex.
QByteArray hexBytes(const QByteArray& text)
{
    const bool isHex = text.size() % 2 == 0 && std::all_of(text.begin(), text.end(), [](char c) {
                           return std::isxdigit(static_cast<unsigned char>(c)) != 0;
                       });
    return isHex ? QByteArray::fromHex(text) : QByteArray();
}

quint16 iso15693Crc(const QByteArray& bytes)
{
    quint16 crc = 0xFFFF;
    for (const char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) != 0 ? static_cast<quint16>((crc >> 1) ^ 0x8408) : crc >> 1;
    }
    return static_cast<quint16>(~crc);
}

// "80", the length byte, the tag's response with its CRC (low byte first) and the status byte.
QByteArray frameReceived(const QByteArray& response)
{
    const quint16 crc = iso15693Crc(response);
    QByteArray frame = response;
    frame.append(static_cast<char>(crc & 0xFF));
    frame.append(static_cast<char>(crc >> 8));
    frame.append('\0');
    QByteArray answer("80");
    answer.append(QByteArray(1, static_cast<char>(frame.size())).toHex());
    answer.append(frame.toHex());
    return answer.toUpper();
}

QByteArray tagResponse(quint8 flags)
{
    return QByteArray(1, static_cast<char>(flags));
}

QByteArray tagError(quint8 code)
{
    return frameReceived(tagResponse(tagErrorFlag) + QByteArray(1, static_cast<char>(code)));
}

QByteArray noTagAnswer()
{
    return QByteArrayLiteral("8700");
}

// What the library hands back when the answer is spoiled on its way from the tag.
QByteArray spoiled(const QByteArray& answer, std::optional<EmulatedCr95hfBoard::Fault> fault)
{
    if (fault == EmulatedCr95hfBoard::Fault::ShortAnswer)
        return answer.left(4);
    if (fault == EmulatedCr95hfBoard::Fault::NonHexAnswer)
        return answer.left(2) + QByteArray(answer.size() - 2, 'Z');
    return answer;
}

void copyAnswer(const QByteArray& text, char* answer, bool terminated)
{
    const std::size_t room = Cr95hfLibrary::bufferSize - (terminated ? 1 : 0);
    const std::size_t length = std::min(static_cast<std::size_t>(text.size()), room);
    std::memcpy(answer, text.constData(), length);
    if (terminated)
        answer[length] = '\0';
    else
        std::memset(answer + length, '0', Cr95hfLibrary::bufferSize - length);
}

} // namespace

void EmulatedCr95hfBoard::setPlugged(bool plugged)
{
    mPlugged = plugged;
    if (!plugged) {
        mConnected = false;
        mProtocolSelected = false;
    }
}

void EmulatedCr95hfBoard::unplugAfterCalls(int calls)
{
    mCallsBeforeUnplug = calls;
}

void EmulatedCr95hfBoard::injectFault(int exchange, Fault fault, int count)
{
    for (int i = 0; i < count; ++i)
        mFaults[mExchanges + exchange + i] = fault;
}

int EmulatedCr95hfBoard::calls(Call call) const
{
    const auto found = mCalls.find(call);
    return found != mCalls.end() ? found->second : 0;
}

void EmulatedCr95hfBoard::countCall(Call call)
{
    countLibraryCall();
    ++mCalls[call];
}

void EmulatedCr95hfBoard::countLibraryCall()
{
    if (mCallsBeforeUnplug == 0)
        setPlugged(false);
    if (mCallsBeforeUnplug >= 0)
        --mCallsBeforeUnplug;
}

int EmulatedCr95hfBoard::usbConnect()
{
    countCall(Call::Connect);
    mConnected = mPlugged;
    mProtocolSelected = false;
    return mConnected ? 0 : failure;
}

int EmulatedCr95hfBoard::usbHandleCheck()
{
    countCall(Call::HandleCheck);
    return mConnected ? 0 : failure;
}

int EmulatedCr95hfBoard::select(char* request, char* answer)
{
    countCall(Call::Select);
    if (!mConnected || hexBytes(requestText(request)) != QByteArray::fromHex("010D"))
        return failure;
    mProtocolSelected = true;
    copyAnswer(QByteArrayLiteral("0000"), answer, true);
    return 0;
}

int EmulatedCr95hfBoard::sendReceive(char* request, char* answer)
{
    countLibraryCall();
    ++mExchanges;
    mLastRequest = requestText(request);
    const QByteArray command = hexBytes(mLastRequest);
    const bool isRead = command.size() == 4 && command[1] == static_cast<char>(readSingleBlock);
    const bool isWrite = command.size() == 8 && command[1] == static_cast<char>(writeSingleBlock);
    if (isRead || isWrite)
        ++mCalls[isRead ? Call::Read : Call::Write];

    const std::optional<Fault> fault = faultOfExchange(mExchanges);
    if (!mConnected || !mProtocolSelected || fault == Fault::FailedCall || !(isRead || isWrite) ||
        static_cast<quint8>(command[0]) != requestFlags)
        return failure;
    copyAnswer(spoiled(carryOut(command, fault), fault), answer,
               fault != Fault::UnterminatedAnswer);
    return 0;
}

std::optional<EmulatedCr95hfBoard::Fault> EmulatedCr95hfBoard::faultOfExchange(int exchange) const
{
    const auto found = mFaults.find(exchange);
    return found != mFaults.end() ? std::optional<Fault>(found->second) : std::nullopt;
}

QByteArray EmulatedCr95hfBoard::carryOut(const QByteArray& command, std::optional<Fault> fault)
{
    if (!mTagInField)
        return noTagAnswer();
    if (fault == Fault::TagError)
        return tagError(unknownError);
    const quint16 block = static_cast<quint16>(static_cast<quint8>(command[2]) |
                                               (static_cast<quint8>(command[3]) << 8));
    if (!mTag.hasBlock(block))
        return tagError(blockNotAvailable);
    if (command[1] == static_cast<char>(readSingleBlock)) {
        const quint32 value = mTag.readByReader(block);
        QByteArray data;
        for (int shift = 24; shift >= 0; shift -= 8)
            data.append(static_cast<char>((value >> shift) & 0xFF));
        return frameReceived(tagResponse(0) + data);
    }
    quint32 value = 0;
    for (int i = 4; i < 8; ++i)
        value = (value << 8) | static_cast<quint8>(command[i]);
    mTag.writeByReader(block, value);
    return frameReceived(tagResponse(0));
}
