// SPDX-License-Identifier: GPL-3.0-or-later
#include "line/LineSequence.h"

namespace linvox {
namespace {

Status ClosePortIfOpen(SerialLine& line) {
    return line.PortOpen() ? line.SetPortOpen(false) : Done{};
}

}  // namespace

Status Reopen(SerialLine& line, qint16 port) {
    if (line.CommPort() != port) {
        if (Status status = ClosePortIfOpen(line); !status.ok()) {
            return status;
        }
        if (Status status = line.SetCommPort(port); !status.ok()) {
            return status;
        }
    }
    if (Status status = ClosePortIfOpen(line); !status.ok()) {
        return status;
    }
    return line.SetPortOpen(true);
}

Status ReopenAndWrite(SerialLine& line, qint16 port, const QByteArray& bytes) {
    if (Status status = Reopen(line, port); !status.ok()) {
        return status;
    }
    if (Status status = line.Output(bytes); !status.ok()) {
        return status;
    }
    return line.ClearInBuffer();
}

}  // namespace linvox
