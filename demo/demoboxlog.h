#ifndef DEMOBOXLOG_H
#define DEMOBOXLOG_H

class EmulatedStandaloneBox;

// Fills the box's log with the given number of varied entries: the 40 Kelvos of a streamer read
// and written over some weeks, their batteries slowly draining, with a few error flags and deep
// dives among them. Most Kelvos are set alike; a few need a look: two with another activation
// depth, one with another filter, two weak batteries, one low supercapacitor and one that keeps
// an error flag. The same count always gives the same log.
void fillDemoBoxLog(EmulatedStandaloneBox& box, int entries);

#endif
