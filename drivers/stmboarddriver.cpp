#include "drivers/stmboarddriver.h"

#include "drivers/hexframe.h"

#include <algorithm>
#include <array>
#include <iostream>
#include <string>

namespace {

using Buffer = std::array<char, Cr95hfLibrary::bufferSize>;

// The command zero-terminated in a zero-filled buffer of the library's size.
Buffer requestBuffer(const QByteArray& command)
{
    Buffer buffer{};
    const auto length =
        std::min<std::size_t>(static_cast<std::size_t>(command.size()), buffer.size() - 1);
    std::copy_n(command.constData(), length, buffer.begin());
    return buffer;
}

int sendReceive(Cr95hfLibrary& library, const QByteArray& command, Buffer& answer)
{
    Buffer request = requestBuffer(command);
    answer.fill('\0');
    return library.sendReceive(request.data(), answer.data());
}

} // namespace

STMBoardDriver::STMBoardDriver(Cr95hfLibrary& library) : mLibrary(library), mName("STMBoard") {}

QByteArray STMBoardDriver::name() const
{
    return mName;
}

bool STMBoardDriver::ensureOpen()
{
    if (mLibrary.usbHandleCheck() == 0)
        return finish(Outcome::Done);
    return open() || finish(Outcome::ReaderLost);
}

bool STMBoardDriver::connectDevice()
{
    return finish(mLibrary.usbConnect() == 0 ? Outcome::Done : Outcome::NoReader);
}

bool STMBoardDriver::selectProtocol()
{
    Buffer request = requestBuffer(protocolSelectCommand());
    Buffer answer{};
    const bool selected = mLibrary.select(request.data(), answer.data()) == 0;
    return finish(selected ? Outcome::Done : Outcome::NoReader);
}

bool STMBoardDriver::readSingleBlock(quint16 block, quint32& value)
{
    Buffer answer{};
    quint32 parsed = 0;
    if (sendReceive(mLibrary, readSingleBlockCommand(block), answer) != 0)
        return finish(Outcome::ReaderLost);
    if (!finish(readAnswerOutcome(answer.data(), answer.size())))
        return false;
    parseReadAnswer(answer.data(), answer.size(), parsed);
    std::cout << std::string(answer.data(), answerLength(answer.data(), answer.size()))
              << std::endl;
    value = parsed;
    return true;
}

bool STMBoardDriver::writeSingleBlock(quint16 block, quint32 value)
{
    Buffer answer{};
    if (sendReceive(mLibrary, writeSingleBlockCommand(block, value), answer) != 0)
        return finish(Outcome::ReaderLost);
    return finish(writeAnswerOutcome(answer.data(), answer.size()));
}
