#ifndef OUTCOMENAME_H
#define OUTCOMENAME_H

#include "drivers/outcome.h"

// The outcome's name, so that a failing comparison says which outcomes differ.
const char* outcomeName(Outcome outcome);

#endif
