#ifndef FTDISERIALPORTS_H
#define FTDISERIALPORTS_H

#include <QStringList>

// The serial ports of FTDI converters (USB vendor 0x0403) that the kernel's device tree under
// sysfsRoot (normally /sys) lists, as device paths such as /dev/ttyUSB0, in the order of their
// places in that tree, which is the order udev lists them in. It reads the tree directly: a
// udev enumeration of every tty costs several milliseconds, and the reader search at start-up
// looks for the box three times.
QStringList ftdiSerialPorts(const QString& sysfsRoot);

#endif
