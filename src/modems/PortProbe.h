// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modems/ProbeOutcome.h"

#include <QString>

namespace linvox {

// The command that asks a phone or modem for its model.
inline const QString kIdentifyCommand = QStringLiteral("AT+GMM");

// Asks the device on one port what it is.
class PortProbe {
public:
    virtual ~PortProbe() = default;

    // Sends command (nothing when empty) with a CR to port portNumber and gives the device's
    // cleaned answer; when the device stays silent, or sends only unsolicited result codes, the
    // name of the modem the system lists on the port, or NoModem. A failure gives Failed: nothing
    // fails towards the caller. The port is left open.
    virtual ProbeOutcome ProbePort(const QString& command, qint16 portNumber) = 0;
};

}  // namespace linvox
