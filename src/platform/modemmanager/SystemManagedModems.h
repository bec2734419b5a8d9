// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/ManagedModems.h"
#include "platform/serial/PortMap.h"

#include <memory>

namespace linvox {

// The modems that a program of the system manages: ModemManager's on Linux, where it may run;
// none on Windows. portMap names the device of a COM number.
std::unique_ptr<ManagedModems> SystemManagedModems(PortMap portMap);

}  // namespace linvox
