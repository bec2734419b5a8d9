// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/PortMap.h"

namespace linvox {

Outcome<QString> PortMap::DevicePath(qint16 port) const {
    return ComPortName(port);
}

}  // namespace linvox
