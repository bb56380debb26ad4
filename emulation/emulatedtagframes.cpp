#include "emulation/emulatedtagframes.h"

namespace {

constexpr quint8 requestFlags = 0x0A;
constexpr quint8 readSingleBlock = 0x20;
constexpr quint8 writeSingleBlock = 0x21;
constexpr quint8 tagErrorFlag = 0x01;
constexpr quint8 blockNotAvailable = 0x10;
constexpr quint8 unknownError = 0x0F;

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

QByteArray frameReceived(const QByteArray& response)
{
    const quint16 crc = iso15693Crc(response);
    QByteArray frame = response;
    frame.append(static_cast<char>(crc & 0xFF));
    frame.append(static_cast<char>(crc >> 8));
    frame.append('\0');
    QByteArray answer;
    answer.append(static_cast<char>(0x80));
    answer.append(static_cast<char>(frame.size()));
    return answer + frame;
}

QByteArray tagError(quint8 code)
{
    QByteArray response;
    response.append(static_cast<char>(tagErrorFlag));
    response.append(static_cast<char>(code));
    return frameReceived(response);
}

} // namespace

TagRequest tagRequestKind(const QByteArray& request)
{
    if (request.size() < 2 || static_cast<quint8>(request[0]) != requestFlags)
        return TagRequest::Other;
    if (request.size() == 4 && static_cast<quint8>(request[1]) == readSingleBlock)
        return TagRequest::ReadSingleBlock;
    if (request.size() == 8 && static_cast<quint8>(request[1]) == writeSingleBlock)
        return TagRequest::WriteSingleBlock;
    return TagRequest::Other;
}

QByteArray tagAnswer(EmulatedKelvoTag& tag, const QByteArray& request)
{
    const TagRequest kind = tagRequestKind(request);
    if (kind == TagRequest::Other)
        return tagError(unknownError);
    const quint16 block = static_cast<quint16>(static_cast<quint8>(request[2]) |
                                               (static_cast<quint8>(request[3]) << 8));
    if (!tag.hasBlock(block))
        return tagError(blockNotAvailable);
    if (kind == TagRequest::ReadSingleBlock) {
        const quint32 value = tag.readByReader(block);
        QByteArray response(1, '\0');
        for (int shift = 24; shift >= 0; shift -= 8)
            response.append(static_cast<char>((value >> shift) & 0xFF));
        return frameReceived(response);
    }
    quint32 value = 0;
    for (int i = 4; i < 8; ++i)
        value = (value << 8) | static_cast<quint8>(request[i]);
    tag.writeByReader(block, value);
    return frameReceived(QByteArray(1, '\0'));
}

QByteArray tagErrorAnswer()
{
    return tagError(unknownError);
}

QByteArray noTagAnswer()
{
    return QByteArray::fromHex("8700");
}
