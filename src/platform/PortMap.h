#pragma once

#include "settings/SettingsLocation.h"

#include <QString>

namespace linvox {

// Which device a COM number names. On Linux the group [ports] of the settings file maps
// "COM<n>" to a device path (such as /dev/serial/by-id/usb-…-if00 or /dev/rfcomm0); without an
// entry COM<n> is /dev/ttyS<n-1>. On Windows COM<n> is the Windows port itself. Read afresh at
// every lookup, so an entry edited meanwhile is used by the next open.
class PortMap {
public:
    explicit PortMap(SettingsLocation location);

    // The device path of a port number of 1 or more.
    QString DevicePath(qint16 port) const;

private:
    SettingsLocation m_location;
};

}  // namespace linvox
