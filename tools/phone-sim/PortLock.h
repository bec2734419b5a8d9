// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileDescriptor.h"

#include <string>

namespace linvox::phonesim {

// Holds a device the way another program using it would: open, TIOCEXCL and an
// exclusive flock, so clients that honour either find the port busy.
class PortLock {
public:
    explicit PortLock(const std::string& devicePath);

private:
    FileDescriptor m_device;
};

}  // namespace linvox::phonesim
