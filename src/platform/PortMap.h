#pragma once

#include "settings/SettingsFile.h"

#include <QList>
#include <QString>

namespace linvox {

// Which device a COM number names. On Linux the group [ports] of the settings file maps
// "COM<n>" to a device path (such as /dev/serial/by-id/usb-…-if00 or /dev/rfcomm0); without an
// entry COM<n> is /dev/ttyS<n-1>. On Windows COM<n> is the Windows port itself. Read afresh at
// every lookup, so an entry edited meanwhile is used by the next open.
// "COM<n>": the name of a port number, as the system lists modems' ports and as [ports] keys it.
inline QString ComPortName(qint16 port) {
    return QStringLiteral("COM%1").arg(port);
}

class PortMap {
public:
    explicit PortMap(SettingsLocation location);

    // The device path of a port number of 1 or more.
    QString DevicePath(qint16 port) const;

#ifndef Q_OS_WIN
    struct Mapping {
        qint16 port;
        QString device;
    };

    // The entries of [ports] whose key is the name of a COM number, ComPortName(n) with n from 1
    // to 32767, by COM number. Other keys ("COM03", "COM+4", "com4") name no port, for listing as
    // for opening.
    QList<Mapping> Mappings() const;

    // A device that the system lists: its node (/dev/ttyACM0), and the path under which it is
    // remembered, the same whenever it comes back (/dev/serial/by-id/usb-…-if00).
    struct AttachedDevice {
        QString node;
        QString stablePath;
    };

    struct Numbering {
        // The COM number of each device, in the order given; 0 for a device left without one.
        QList<qint16> ports;
        // Whether the new numbers were stored. When refused, every device that had no number
        // is left without: a number that the file does not hold would open another device in
        // every other process (a call from a link, the next start).
        StoreStatus stored = StoreStatus::Stored();
    };

    // The COM number of each device: that of the entry naming the same device (links resolved),
    // or else the first number from 3 that no entry uses, remembered under its stable path so
    // that the device keeps it whenever it comes back, whatever node the system gives it then.
    // [ports] is read, the numbers chosen and the new entries written as one step under the
    // store's lock: programs numbering devices at the same moment never give one number twice,
    // and none loses an entry of another.
    Numbering NumberDevices(const QList<AttachedDevice>& devices);
#endif

private:
    SettingsFile m_file;
};

}  // namespace linvox
