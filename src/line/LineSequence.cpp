// SPDX-License-Identifier: GPL-3.0-or-later
#include "line/LineSequence.h"

namespace linvox {
namespace {

LineStatus ClosePortIfOpen(SerialLine& line) {
    return line.PortOpen() ? line.SetPortOpen(false) : LineStatus::Done();
}

}  // namespace

LineStatus Reopen(SerialLine& line, qint16 port) {
    if (line.CommPort() != port) {
        if (LineStatus status = ClosePortIfOpen(line); !status.done()) {
            return status;
        }
        if (LineStatus status = line.SetCommPort(port); !status.done()) {
            return status;
        }
    }
    if (LineStatus status = ClosePortIfOpen(line); !status.done()) {
        return status;
    }
    return line.SetPortOpen(true);
}

LineStatus ReopenAndWrite(SerialLine& line, qint16 port, const QByteArray& bytes) {
    if (LineStatus status = Reopen(line, port); !status.done()) {
        return status;
    }
    if (LineStatus status = line.Output(bytes); !status.done()) {
        return status;
    }
    return line.ClearInBuffer();
}

}  // namespace linvox
