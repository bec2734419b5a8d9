#pragma once

#include "dial/SerialLine.h"

namespace linvox {

// The opening sequence shared by dialing and probing: switch the line to port (closing it first
// when another port is open), close the port if it is still open, open it afresh, write bytes
// (none when empty) and discard what the phone has sent so far. The port is left open.
LineStatus ReopenAndWrite(SerialLine& line, qint16 port, const QByteArray& bytes);

}  // namespace linvox
