#pragma once

#include "dial/LineStatus.h"

#include <QSerialPort>

namespace linvox {

// Our hold on a serial device while its port is open, taken before QSerialPort opens it. On
// Linux: the device is opened and locked (flock) first, so a port that another program holds is
// refused before anything about it changes, whatever the spelling of its path and even for root;
// and HUPCL is cleared, so closing after dialing does not drop DTR, which makes some phones end
// the call. On Windows the system itself refuses a second opener, so there is nothing to hold.
class DeviceClaim {
public:
    DeviceClaim() = default;
    ~DeviceClaim();

    DeviceClaim(const DeviceClaim&) = delete;
    DeviceClaim& operator=(const DeviceClaim&) = delete;

    // Takes the device, or tells why not with the line's failure descriptions.
    LineStatus Take(const QString& device);
    // Lets the device go; call after the port is closed.
    void Release();

private:
    int m_descriptor = -1;
};

// Turns a failed QSerialPort::open into the line's failure descriptions, decided from the kind
// of error rather than its translated text.
LineStatus DescribeOpenFailure(const QSerialPort& port);

}  // namespace linvox
