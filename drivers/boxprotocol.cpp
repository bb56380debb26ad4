#include "drivers/boxprotocol.h"

#include "drivers/hexframe.h"

namespace {

constexpr int tagFlagsByte = 2;
constexpr quint8 tagErrorFlag = 0x01;

QByteArray digits(quint32 value, int count)
{
    return QByteArray::number(value, 16).rightJustified(count, '0');
}

// A send-receive request: 0x04, the length of the frame, the frame.
QByteArray sendReceiveRequest(const QByteArray& frameText)
{
    return QByteArrayLiteral("04") + digits(static_cast<quint32>(frameText.size() / 2), 2) +
           frameText;
}

} // namespace

QByteArray boxProtocolSelectRequest()
{
    return QByteArrayLiteral("0202") + protocolSelectCommand();
}

QByteArray boxReadBlockRequest(quint16 block)
{
    return sendReceiveRequest(readSingleBlockCommand(block));
}

QByteArray boxWriteBlockRequest(quint16 block, quint32 value)
{
    return sendReceiveRequest(writeSingleBlockCommand(block, value));
}

QByteArray batteryLevelRequest()
{
    return QByteArrayLiteral("520142");
}

QByteArray writeConfigRequest(quint8 depth, quint16 filter)
{
    return QByteArrayLiteral("520450") + digits(depth, 2) + digits(filter, 4);
}

QByteArray readConfigRequest()
{
    return QByteArrayLiteral("520170");
}

QByteArray setClockRequest(qint32 seconds)
{
    return QByteArrayLiteral("520548") + digits(static_cast<quint32>(seconds), 8);
}

QByteArray readClockRequest()
{
    return QByteArrayLiteral("520168");
}

QByteArray logCountRequest()
{
    return QByteArrayLiteral("52016E");
}

QByteArray logEntryRequest(int index)
{
    return QByteArrayLiteral("52036C") + digits(static_cast<quint32>(index) & 0xFFFFu, 4);
}

QByteArray eraseLogRequest()
{
    return QByteArrayLiteral("520143");
}

qint32 secondsSince2010(const QDateTime& instant)
{
    const QDateTime start(QDate(2010, 1, 1), QTime(0, 0), Qt::LocalTime);
    return static_cast<qint32>(start.secsTo(instant));
}

quint32 bigEndianField(const QByteArray& bytes, int from, int size)
{
    quint32 value = 0;
    for (int i = from; i < from + size; ++i)
        value = (value << 8) | static_cast<quint8>(bytes.at(i));
    return value;
}

bool isTagAnswerWithoutError(const QByteArray& bytes)
{
    return bytes.size() > tagFlagsByte &&
           static_cast<quint8>(bytes.at(0)) == BoxCode::frameReceived &&
           (static_cast<quint8>(bytes.at(tagFlagsByte)) & tagErrorFlag) == 0;
}
