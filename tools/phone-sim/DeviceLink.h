// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace linvox::phonesim {

// A symlink to the device that exists for the lifetime of this object.
class DeviceLink {
public:
    DeviceLink(std::string linkPath, std::string targetPath);
    ~DeviceLink();

    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

private:
    std::string m_linkPath;
    std::string m_targetPath;
};

}  // namespace linvox::phonesim
