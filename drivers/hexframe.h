#ifndef HEXFRAME_H
#define HEXFRAME_H

#include "drivers/outcome.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>

// The hex text exchanged with the CR95HF reader library. Fixed command parts are upper case, the
// numbers formatted here lower case. Answers are untrusted: they are read in either case, only
// within the given capacity, and whether or not they are terminated.

// The value of count hex digits, either case, the first most significant; value is set only when
// every one of them is a hex digit. The box's answers and log entries are read through it too.
bool parseHex(const char* digits, std::size_t count, quint32& value);

// Selects ISO/IEC 15693.
QByteArray protocolSelectCommand();

// A block number as sent on the air: low byte first, then high byte ("3412" for 0x1234).
QByteArray blockNumberHex(quint16 block);

// A block value as exactly 8 digits, most significant first ("0000000a" for 10).
QByteArray blockValueHex(quint32 value);

// Read Single Block and Write Single Block, request flags 0A (16-bit block numbers).
QByteArray readSingleBlockCommand(quint16 block);
QByteArray writeSingleBlockCommand(quint16 block, quint32 value);

// The length of the answer text: up to its terminator, or the whole capacity without one.
std::size_t answerLength(const char* answer, std::size_t capacity);

// A read answer is "80" (frame received), the length byte, the tag's response flags byte and the
// 4 data bytes. It is accepted only when all of these are there and hex, and the tag does not set
// its error flag; value is set only then, byte 0 of the block most significant.
bool parseReadAnswer(const char* answer, std::size_t capacity, quint32& value);

// A write answer is accepted on the same terms, without data.
bool isWriteAnswerAccepted(const char* answer, std::size_t capacity);

// Why an answer is not accepted: a reader error code (81 to 8F) means that no tag answered, a
// tag error flag is the tag's error, anything cut short or not hex is a bad answer. Done when it
// is accepted.
Outcome readAnswerOutcome(const char* answer, std::size_t capacity);
Outcome writeAnswerOutcome(const char* answer, std::size_t capacity);

// The reader's own result codes 0x81 to 0x8F, in place of 0x80, tell that no frame came back from
// a tag: none answered in the field, or its answer was lost.
bool isReaderErrorCode(quint8 code);

#endif
