// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortLock.h"

#include "SystemError.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace linvox::phonesim {

PortLock::PortLock(const std::string& devicePath)
    : m_device(::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
    if (!m_device.isOpen())
        throwSystemError("opening " + devicePath + " to hold it");
    if (ioctl(m_device.get(), TIOCEXCL) != 0)
        throwSystemError("TIOCEXCL on " + devicePath);
    if (flock(m_device.get(), LOCK_EX | LOCK_NB) != 0)
        throwSystemError("locking " + devicePath);
}

}  // namespace linvox::phonesim
