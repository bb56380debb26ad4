#ifndef DEMOBOXLOG_H
#define DEMOBOXLOG_H

class EmulatedStandaloneBox;

// Fills the box's log with the given number of varied entries: Kelvos of a streamer spread read
// and written over some weeks, with a few error flags, weak batteries and deep dives among them.
// The same count always gives the same log.
void fillDemoBoxLog(EmulatedStandaloneBox& box, int entries);

#endif
