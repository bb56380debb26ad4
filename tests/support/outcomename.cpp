#include "tests/support/outcomename.h"

const char* outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Done:
        return "done";
    case Outcome::NoReader:
        return "no reader";
    case Outcome::ReaderLost:
        return "reader lost";
    case Outcome::NoTag:
        return "no tag";
    case Outcome::DeviceError:
        return "device error";
    case Outcome::BadAnswer:
        return "bad answer";
    case Outcome::WrongReader:
        return "wrong reader";
    case Outcome::MemoryLocked:
        return "memory locked";
    case Outcome::NotAsWritten:
        return "not as written";
    }
    return "unknown";
}
