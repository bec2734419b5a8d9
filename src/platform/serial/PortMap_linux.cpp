// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/PortMap.h"

namespace linvox {

QString PortMap::DevicePath(qint16 port) const {
    const QString mapped = m_settings.Read(kPortsGroup, ComPortName(port)).value_or(QString());
    return mapped.isEmpty() ? QStringLiteral("/dev/ttyS%1").arg(port - 1) : mapped;
}

}  // namespace linvox
