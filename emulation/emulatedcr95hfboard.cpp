#include "emulation/emulatedcr95hfboard.h"

#include "emulation/emulatedtagframes.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

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

// What the library hands back when the answer is spoiled on its way from the tag.
QByteArray spoiled(const QByteArray& answer, std::optional<EmulatedCr95hfBoard::Fault> fault)
{
    if (fault == EmulatedCr95hfBoard::Fault::ShortAnswer)
        return answer.left(4);
    if (fault == EmulatedCr95hfBoard::Fault::NonHexAnswer)
        return answer.left(2) + QByteArray(answer.size() - 2, 'Z');
    if (fault == EmulatedCr95hfBoard::Fault::FfFilledAnswer)
        return answer.left(2) + QByteArray(answer.size() - 2, 'F');
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

void EmulatedCr95hfBoard::failSelects(int select, int count)
{
    for (int i = 0; i < count; ++i)
        mFailedSelects.insert(calls(Call::Select) + select + i);
}

void EmulatedCr95hfBoard::clearFaults()
{
    mFaults.clear();
    mFailedSelects.clear();
    mCallsBeforeUnplug = -1;
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
    if (!mConnected || mFailedSelects.count(calls(Call::Select)) != 0 ||
        hexBytes(requestText(request)) != QByteArray::fromHex("010D"))
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
    const TagRequest kind = tagRequestKind(command);
    if (kind != TagRequest::Other)
        ++mCalls[kind == TagRequest::ReadSingleBlock ? Call::Read : Call::Write];

    const std::optional<Fault> fault = faultOfExchange(mExchanges);
    if (fault == Fault::Unplugged)
        setPlugged(false);
    if (!mConnected || !mProtocolSelected || fault == Fault::FailedCall ||
        kind == TagRequest::Other)
        return failure;
    copyAnswer(spoiled(carryOut(command, fault).toHex().toUpper(), fault), answer,
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
        return tagErrorAnswer();
    return tagAnswer(mTag, command);
}
