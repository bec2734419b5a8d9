// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtSerialLine.h"

namespace linvox {

LineStatus QtSerialLine::SetCommPort(qint16 port) {
    if (PortOpen()) {
        return LineStatus::PortAlreadyOpen();
    }
    if (port < 1) {
        return LineStatus::InvalidPortNumber();
    }
    m_commPort = port;
    return LineStatus::Done();
}

LineStatus QtSerialLine::SetPortOpen(bool open) {
    if (!open) {
        Close();
        return LineStatus::Done();
    }
    if (PortOpen()) {
        return LineStatus::PortAlreadyOpen();
    }
    return Open();
}

}  // namespace linvox
