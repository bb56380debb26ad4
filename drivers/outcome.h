#ifndef OUTCOME_H
#define OUTCOME_H

// How an operation of a reader or of the device ended: done, or why not. The drivers and the
// serial link tell theirs; KelvoDevice passes on the outcome of its last operation, so that a flow
// can tell "the box has no entries" from "this reader is not a box", or "the box stopped
// answering" from "the entry was garbled".
enum class Outcome
{
    Done,
    // No reader could be found or opened.
    NoReader,
    // The reader stopped answering or was unplugged.
    ReaderLost,
    // The reader answered, but no tag answered in its field.
    NoTag,
    // The tag or the box answered with an error, or could not carry out the request.
    DeviceError,
    // An answer came back garbled or short.
    BadAnswer,
    // The operation needs the other kind of reader (a box operation with the board).
    WrongReader,
    // The Kelvo's microcontroller kept the tag memory.
    MemoryLocked,
    // What was read back is not what was written.
    NotAsWritten,
};

#endif
