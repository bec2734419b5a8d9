// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/SerialLine.h"

namespace linvox {

// Switches the line to port (closing it first when another port is open), closes the port if
// it is still open and opens it afresh. Dialing and probing both start so.
Status Reopen(SerialLine& line, qint16 port);

// The dial's sequence: Reopen, write bytes and discard what the phone has sent so far. The port
// is left open.
Status ReopenAndWrite(SerialLine& line, qint16 port, const QByteArray& bytes);

}  // namespace linvox
