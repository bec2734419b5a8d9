// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DeviceClaim.h"

namespace linvox {

DeviceClaim::DeviceClaim(std::function<void()> hungUp) : m_hungUp(std::move(hungUp)) {}

DeviceClaim::~DeviceClaim() = default;

LineStatus DeviceClaim::Take(const QString& device) {
    m_device = device;
    return LineStatus::Done();
}

void DeviceClaim::Release() {}

LineStatus DescribeOpenFailure(const QSerialPort& port) {
    switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return LineStatus::InvalidPortNumber();
        case QSerialPort::PermissionError:  // Windows refuses a port that another program holds
            return LineStatus::PortAlreadyOpen();
        case QSerialPort::OpenError:
        case QSerialPort::ResourceError:
            return LineStatus::DeviceNotOpen();
        default:
            return LineStatus::System(port.errorString());
    }
}

}  // namespace linvox
