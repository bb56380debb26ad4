#include "platform/ftdiserialports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

namespace {

// Whether the USB device that place belongs to is an FTDI converter. The first folder up from
// place that names a USB vendor is that device; a port on no USB device (a UART on the
// mainboard) has none up to the top of the tree.
bool isOnFtdiDevice(QString place, const QString& devicesRoot)
{
    while (place.startsWith(devicesRoot + QLatin1Char('/'))) {
        QFile vendor(place + QStringLiteral("/idVendor"));
        if (vendor.open(QIODevice::ReadOnly))
            return vendor.read(16).trimmed().toLower() == "0403";
        place = QFileInfo(place).path();
    }
    return false;
}

} // namespace

QStringList ftdiSerialPorts(const QString& sysfsRoot)
{
    const QString devicesRoot = QDir(sysfsRoot + QStringLiteral("/devices")).canonicalPath();
    const QDir ttys(sysfsRoot + QStringLiteral("/class/tty"));
    if (devicesRoot.isEmpty())
        return {};
    QMap<QString, QString> found; // device paths by their places in the tree
    const QStringList names =
        ttys.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        // Virtual terminals and pseudo-terminals have no device behind them.
        const QString device =
            QFileInfo(ttys.filePath(name + QStringLiteral("/device"))).canonicalFilePath();
        if (!device.isEmpty() && isOnFtdiDevice(device, devicesRoot))
            found.insert(QFileInfo(ttys.filePath(name)).canonicalFilePath(),
                         QStringLiteral("/dev/") + name);
    }
    return found.values();
}
