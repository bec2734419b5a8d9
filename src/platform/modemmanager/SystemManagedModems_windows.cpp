// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/modemmanager/SystemManagedModems.h"

namespace linvox {

// Windows lets no program hold a port it does not use: every port is Linvox's to open.
std::unique_ptr<ManagedModems> SystemManagedModems(PortMap) {
    return std::make_unique<NoManagedModems>();
}

}  // namespace linvox
