// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/LineStatus.h"

#include <QString>

namespace linvox {

// Our hold on a serial device while its port is open. A device that another program holds — by
// a live lock file in /var/lock, by flock, or by the exclusive-open flag, which does not stop
// root — is refused before anything about it changes, whatever the spelling of its path. The
// device is then opened, locked (flock) and set exclusive, our lock file is written in /var/lock
// under the real device's name, and HUPCL is cleared, so closing after dialing does not drop DTR,
// which makes some phones end the call. Where the user may not write /var/lock (as on Fedora and
// Arch), the flock and the exclusive flag hold the device alone, as serial tools there do: a lock
// file anywhere else would be read by no other program.
class DeviceClaim {
public:
    DeviceClaim() = default;
    ~DeviceClaim();

    DeviceClaim(const DeviceClaim&) = delete;
    DeviceClaim& operator=(const DeviceClaim&) = delete;

    // Takes the device, or tells why not.
    LineStatus Take(const QString& device);
    // Lets the device go.
    void Release();

    // The open device, non-blocking, while it is taken; else -1.
    int descriptor() const { return m_descriptor; }

private:
    int m_descriptor = -1;
    // The device whose lock file we wrote; empty when we wrote none.
    QString m_lockedDevice;
};

}  // namespace linvox
