// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <optional>

#include <QString>

namespace linvox {

// Our hold on a serial device while its port is open. A device that another program holds — by
// a live lock file in /var/lock, by flock, or by the exclusive-open flag, which does not stop
// root — is refused before anything about it changes, whatever the spelling of its path.
//
// Taking, in this order: the lock file is read; the device is opened, locked (flock) and checked
// for another's exclusive flag; our lock file is written in /var/lock under the real device's
// name; the device is set exclusive; HUPCL is cleared, so that closing after dialing does not drop
// DTR, which makes some phones end the call; and the driver's closing wait is set to none, as
// ModemManager does, so that a close never waits for a stalled phone to drain. Release undoes it
// in the reverse order, the lock file last, so that no other program takes the device while it
// is still ours. HUPCL stays cleared: the call must outlive our close.
//
// Where the user may not write /var/lock (as on Fedora and Arch), the flock and the exclusive flag
// hold the device alone, as serial tools there do: a lock file anywhere else would be read by no
// other program. Only root may change the closing wait of most drivers; for others the output is
// flushed before closing all the same.
class DeviceClaim {
public:
    DeviceClaim() = default;
    ~DeviceClaim();

    DeviceClaim(const DeviceClaim&) = delete;
    DeviceClaim& operator=(const DeviceClaim&) = delete;

    // Takes the device, or tells why not.
    Status Take(const QString& device);
    // Lets the device go.
    void Release();

    // The open device, non-blocking, while it is taken; else -1.
    int descriptor() const { return m_descriptor; }

private:
    int m_descriptor = -1;
    // The device whose lock file we wrote; empty when we wrote none.
    QString m_lockedDevice;
    // The driver's closing wait before we took the device; none when we changed nothing.
    std::optional<unsigned short> m_closingWaitBefore;
};

}  // namespace linvox
