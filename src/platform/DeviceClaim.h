// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/LineStatus.h"

#include <functional>
#include <memory>

#include <QSerialPort>
#include <QSocketNotifier>

namespace linvox {

// Our hold on a serial device while its port is open, taken before QSerialPort opens it. On
// Linux: a device that another program holds — by a lock file in /var/lock, by flock, or by the
// exclusive-open flag, which does not stop root — is refused before anything about it changes,
// whatever the spelling of its path; so is every device while /var/lock cannot be written, as
// QSerialPort's lock file would then go where no other program looks. The device is then opened
// and locked (flock), a lock file left behind is removed for QSerialPort to make its own, and
// HUPCL is cleared, so closing after dialing does not drop DTR, which makes some phones end the
// call. On Windows the system itself refuses a second opener, so there is nothing to hold.
//
// On Linux the claim also watches for the device hanging up while it is taken (a phone unplugged,
// the far end of a pseudo-terminal closed) and then calls hungUp, once, from the event loop.
// QSerialPort of Qt 6.8 no longer reports a hang-up as an error: it reads the end of the file
// again and again for as long as the port stays open.
class DeviceClaim {
public:
    explicit DeviceClaim(std::function<void()> hungUp = {});
    ~DeviceClaim();

    DeviceClaim(const DeviceClaim&) = delete;
    DeviceClaim& operator=(const DeviceClaim&) = delete;

    // Takes the device, or tells why not.
    LineStatus Take(const QString& device);
    // Lets the device go; call after the port is closed.
    void Release();

    // The device last taken, for QSerialPort to open: on Linux with its links resolved, so that
    // QSerialPort's own lock file is named after the real device, as other programs look for it.
    const QString& device() const { return m_device; }

private:
    std::function<void()> m_hungUp;
    int m_descriptor = -1;
    std::unique_ptr<QSocketNotifier> m_hangUpWatch;
    QString m_device;
};

// Turns a failed QSerialPort::open into the line's failure descriptions, decided from the kind
// of error rather than its translated text.
LineStatus DescribeOpenFailure(const QSerialPort& port);

}  // namespace linvox
