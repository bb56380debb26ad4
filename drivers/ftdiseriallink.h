#ifndef FTDISERIALLINK_H
#define FTDISERIALLINK_H

#include "drivers/outcome.h"
#include "platform/d2xxlibrary.h"

#include <QByteArray>

#include <optional>

// One open D2XX device: the serial line to the Standalone Box, through the D2XX backend it is
// given. Commands go out as hex text, two characters a byte; answers come back as
// lower-case hex text. The link closes its device when it is destroyed, so that the device, which
// opens exclusively, can be opened again.
//
// A link is lost once a request sent on it got no answer at all within the read time-out, or a
// call on its device failed. A lost link makes no more calls: every send and read fails at once
// with ReaderLost, and isAlive() is false, until its owner opens a new link. A box that stopped
// answering thus costs one time-out, not one for each command that follows.
class FtdiSerialLink
{
public:
    static constexpr std::uint32_t timeoutMilliseconds = 5000;
    // The converter hands a USB packet that is not full to the host only when its latency timer
    // runs out, 16 ms unless set: without this every answer shorter than a packet, and the tail
    // of every longer one, would wait that long. 2 ms is the shortest the D2XX library accepts.
    static constexpr std::uint8_t latencyTimerMilliseconds = 2;

    // Opens device 0 with these line settings and the short latency timer. Throws the byte string
    // "error opening" when the device cannot be opened. A device that refuses the latency timer
    // is used all the same, at its own latency.
    FtdiSerialLink(D2xxLibrary& library, int baudRate, int wordLength, int stopBits, int parity);
    ~FtdiSerialLink();
    FtdiSerialLink(const FtdiSerialLink&) = delete;
    FtdiSerialLink& operator=(const FtdiSerialLink&) = delete;

    // Empties the receive and transmit buffers.
    void purge();
    // False once the link is lost, or when the device no longer answers a queue status call.
    bool isAlive();
    // Writes the bytes of the hex text in one call; true when the call succeeded.
    bool send(const QByteArray& hexText);
    // Everything waiting in the receive queue, or empty text.
    QByteArray readAvailable();
    // Exactly count bytes as 2 × count characters; "TIMEOUT" when fewer arrive within the read
    // time-out; empty text when the read fails or count is 0.
    QByteArray readExact(std::uint32_t count);
    // Exactly count bytes, or none: lastOutcome() then tells whether the request got no answer at
    // all or the read failed (reader lost: the link is lost) or the answer stopped short (bad
    // answer).
    std::optional<QByteArray> receive(std::uint32_t count);

    // How the last send or read ended.
    Outcome lastOutcome() const { return mLastOutcome; }

private:
    // Records how a call ended; a ReaderLost outcome loses the link.
    void finish(Outcome outcome);

    D2xxLibrary& mLibrary;
    D2xxLibrary::Handle mHandle = nullptr;
    Outcome mLastOutcome = Outcome::Done;
    // The last read returned fewer bytes than asked for within the time-out.
    bool mTimedOut = false;
    // Some bytes came in since the last send: a read that then times out met a short answer,
    // not a silent box.
    bool mAnsweredSinceSend = false;
    bool mLost = false;
};

#endif
