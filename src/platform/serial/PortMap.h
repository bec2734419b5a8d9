// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsBackend.h"

#include <QString>

namespace linvox {

// The settings group that maps COM numbers to devices on Linux.
inline const QString kPortsGroup = QStringLiteral("ports");

// "COM<n>": the name of a port number, as the system lists modems' ports and as [ports] keys it.
inline QString ComPortName(qint16 port) {
    return QStringLiteral("COM%1").arg(port);
}

// Which device a COM number names. On Linux the group [ports] of the settings maps "COM<n>" to
// a device path (such as /dev/serial/by-id/usb-…-if00 or /dev/rfcomm0); without an entry COM<n>
// is /dev/ttyS<n-1>. On Windows COM<n> is the Windows port itself. Read afresh at every lookup,
// so an entry edited meanwhile is used by the next open.
class PortMap {
public:
    // settings outlives the map; Windows does not consult it.
    explicit PortMap(SettingsBackend& settings) : m_settings(settings) {}

    // The device path of a port number of 1 or more.
    QString DevicePath(qint16 port) const;

private:
    SettingsBackend& m_settings;
};

}  // namespace linvox
