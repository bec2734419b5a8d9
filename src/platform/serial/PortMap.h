// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"
#include "settings/SettingsBackend.h"

#include <algorithm>

#include <QString>

namespace linvox {

// The settings group that maps COM numbers to devices on Linux.
inline const QString kPortsGroup = QStringLiteral("ports");

// "COM<n>": the name of a port number, as the system lists modems' ports and as [ports] keys it.
inline QString ComPortName(qint16 port) {
    return QStringLiteral("COM%1").arg(port);
}

// Whether a device path holds a NUL or another control character, which no device's path has: the
// system would take a NUL for its end and open, and lock, the device before it.
inline bool HoldsControlCharacter(const QString& path) {
    return std::any_of(path.begin(), path.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

// Which device a COM number names. On Linux the group [ports] of the settings maps "COM<n>" to
// a device path (such as /dev/serial/by-id/usb-…-if00 or /dev/rfcomm0); without an entry COM<n>
// is /dev/ttyS<n-1>. On Windows COM<n> is the Windows port itself. Read afresh at every lookup,
// so an entry edited meanwhile is used by the next open.
class PortMap {
public:
    // settings outlives the map; Windows does not consult it.
    explicit PortMap(SettingsBackend& settings) : m_settings(settings) {}

    // The device path of a port number of 1 or more. A path in [ports] that holds a control
    // character is an unusable setting (SettingsNotRead, because of DevicePathHasControl).
    Outcome<QString> DevicePath(qint16 port) const;

private:
    SettingsBackend& m_settings;
};

}  // namespace linvox
