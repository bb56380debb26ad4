#ifndef BOXPROTOCOL_H
#define BOXPROTOCOL_H

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>

// The Standalone Box's requests, as hex text for the serial link, and the reading of its answers.
// Every request and answer is a code byte, a length byte counting the bytes that follow it, and
// those bytes. Reader requests carry a CR95HF frame (protocol select 0x02, send-receive 0x04,
// answered by 0x80 when a frame came back); box commands (0x52) carry a sub-command byte that the
// answer echoes, and their arguments, zero-padded lower-case digits, most significant first.

namespace BoxCode {
constexpr quint8 frameReceived = 0x80;
constexpr quint8 boxCommand = 0x52;
constexpr quint8 batteryLevel = 0x42;
constexpr quint8 writeConfig = 0x50;
constexpr quint8 readConfig = 0x70;
constexpr quint8 setClock = 0x48;
constexpr quint8 readClock = 0x68;
constexpr quint8 logCount = 0x6E;
constexpr quint8 logEntry = 0x6C;
constexpr quint8 eraseLog = 0x43;
// In place of the echo, marks a box command the box could not carry out.
constexpr quint8 error = 0xFF;
} // namespace BoxCode

QByteArray boxProtocolSelectRequest();
QByteArray boxReadBlockRequest(quint16 block);
QByteArray boxWriteBlockRequest(quint16 block, quint32 value);
QByteArray batteryLevelRequest();
QByteArray writeConfigRequest(quint8 depth, quint16 filter);
QByteArray readConfigRequest();
// A negative count is sent as its 32-bit two's complement.
QByteArray setClockRequest(qint32 seconds);
QByteArray readClockRequest();
QByteArray logCountRequest();
// index must lie within 0 to 65535.
QByteArray logEntryRequest(int index);
QByteArray eraseLogRequest();

// The seconds from 1 January 2010 00:00:00 local time to the given instant.
qint32 secondsSince2010(const QDateTime& instant);

// The size bytes from index from, the first most significant. The caller checks the size.
quint32 bigEndianField(const QByteArray& bytes, int from, int size);

// An ISO/IEC 15693 answer carried by a 0x80 frame: byte 2 is the tag's response flags byte, whose
// bit 0 reports an error.
bool isTagAnswerWithoutError(const QByteArray& bytes);

#endif
