#ifndef CR95HFDRIVER_H
#define CR95HFDRIVER_H

#include "drivers/outcome.h"

#include <QByteArray>
#include <QtGlobal>

// A reader of the Kelvo's tag. Implementations move one 4-byte block per exchange; the
// non-virtual operations add retries and byte and word access on top. A block value's most
// significant byte is byte 0 of the block; byte indices count from there.
class CR95HFDriver
{
public:
    virtual QByteArray name() const = 0;
    // True when the reader link is usable; otherwise reopens it through open().
    virtual bool ensureOpen() = 0;
    virtual bool connectDevice() = 0;
    virtual bool selectProtocol() = 0;
    virtual bool readSingleBlock(quint16 block, quint32& value) = 0;
    virtual bool writeSingleBlock(quint16 block, quint32 value) = 0;
    virtual ~CR95HFDriver() = default;

    bool open();

    // Each block operation checks the link once, then makes up to 3 attempts with no pause.
    bool readBlock(quint16 block, quint32& value);
    bool readWord(quint16 block, int index, quint16& value);
    bool readByte(quint16 block, int index, quint8& value);
    bool writeBlock(quint16 block, quint32 value);
    // Read the block, replace the word or byte, write the block back; no write when the read
    // fails. An index outside the block fails without any exchange.
    bool writeWord(quint16 block, int index, quint16 value);
    bool writeByte(quint16 block, int index, quint8 value);

    // How the last operation ended; after a block operation, how its last attempt ended.
    Outcome lastOutcome() const { return mLastOutcome; }

protected:
    // Records how an operation ended; true when it is done.
    bool finish(Outcome outcome)
    {
        mLastOutcome = outcome;
        return outcome == Outcome::Done;
    }

private:
    static constexpr int attempts = 3;

    Outcome mLastOutcome = Outcome::NoReader;
};

#endif
