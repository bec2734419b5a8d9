// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/serial/SystemSerialLine.h"

#include "platform/process/TerminationSignals.h"

namespace linvox {

Status SystemSerialLine::SetCommPort(qint16 port) {
    if (PortOpen()) {
        return Failure(FailureCode::PortAlreadyOpen);
    }
    if (port < 1) {
        return Failure(FailureCode::InvalidPortNumber);
    }
    m_commPort = port;
    return Done{};
}

Status SystemSerialLine::SetPortOpen(bool open) {
    if (!open) {
        Close();
        return Done{};
    }
    if (PortOpen()) {
        return Failure(FailureCode::PortAlreadyOpen);
    }
    // A program asked to end reaches no device any more.
    if (TerminationRequested()) {
        return Failure(FailureCode::Interrupted);
    }
    return Open();
}

}  // namespace linvox
