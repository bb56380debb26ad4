#ifndef STANDINCONTROL_H
#define STANDINCONTROL_H

// The calls, exported by name, through which a test scripts a stand-in library and reads back
// what the library was called with. Plain C calls: they are the test's own, not the library's.

// Queues the reply to the next call of function: the status it returns and its payload (an
// answer text, bytes as hex, a count or a handle, as the call needs).
using StandInPlay = void (*)(const char* function, int status, const char* payload);

// Every call received so far, one line each: the function and its arguments.
using StandInJournal = const char* (*)();

#endif
