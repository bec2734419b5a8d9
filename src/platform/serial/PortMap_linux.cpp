// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/PortMap.h"

namespace linvox {

Outcome<QString> PortMap::DevicePath(qint16 port) const {
    const QString mapped = m_settings.Read(kPortsGroup, ComPortName(port)).value_or(QString());
    if (HoldsControlCharacter(mapped)) {
        return Failure(FailureCode::SettingsNotRead)
            .Because(Failure(FailureCode::DevicePathHasControl, {}, ComPortName(port)));
    }
    return mapped.isEmpty() ? QStringLiteral("/dev/ttyS%1").arg(port - 1) : mapped;
}

}  // namespace linvox
