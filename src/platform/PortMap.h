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

    // The entries of [ports] whose key is "COM<n>" with n from 1 to 32767, by COM number.
    QList<Mapping> Mappings() const;

    struct Numbering {
        qint16 port = 0;
        // Whether a new entry was stored; a refused one leaves the number valid for this run.
        StoreStatus stored = StoreStatus::Stored();
    };

    // The COM number of a device: that of the entry naming the same device (links resolved),
    // or else the first number from 3 that no entry uses, remembered under stablePath so the
    // device keeps it whenever it comes back, whatever node the system gives it then.
    Numbering NumberDevice(const QString& deviceNode, const QString& stablePath);
#endif

private:
    SettingsFile m_file;
};

}  // namespace linvox
