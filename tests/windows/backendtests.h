#ifndef BACKENDTESTS_H
#define BACKENDTESTS_H

// The Windows backends of platform/, each run against its stand-in library.
void testCr95hfWindowsLibrary();
void testD2xxWindowsLibrary();

#endif
