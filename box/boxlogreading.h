#ifndef BOXLOGREADING_H
#define BOXLOGREADING_H

#include "kelvo/kelvorecord.h"

class KelvoDevice;

// One entry of the box's log as a download or an erase's check reads it.
struct BoxLogReading
{
    KelvoRecord entry;
    // The entry got no answer and the box did not answer when its link was opened again: the box
    // answers nothing any more.
    bool boxGone = false;

    // Reads the entry; when its request got no answer at all, or could not be sent because an
    // earlier one got none, the link is opened again once and the entry asked again, so that
    // every entry counted as unanswered was asked.
    static BoxLogReading read(KelvoDevice& device, int index);
};

#endif
