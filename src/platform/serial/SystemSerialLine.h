// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/SerialLine.h"
#include "platform/serial/PortMap.h"

#include <memory>
#include <vector>

namespace linvox {

// The serial line on a real port: 9600 bit/s, 8 data bits, no parity, one stop bit, no
// handshaking, a receive buffer of 1024 bytes (a flooding phone waits in the driver). On Linux
// the terminal device is read and written directly, on Windows through QSerialPort. A phone that
// hangs up or vanishes closes the port, which would otherwise report its failure again and again.
// Once the program is asked to end, the port opens no more and nothing more is written
// (Interrupted).
class SystemSerialLine : public SerialLine {
public:
    explicit SystemSerialLine(PortMap portMap);
    ~SystemSerialLine() override;

    qint16 CommPort() const override { return m_commPort; }
    Status SetCommPort(qint16 port) override;
    bool PortOpen() const override;
    Status SetPortOpen(bool open) override;
    Status Output(const QByteArray& bytes) override;
    int InBufferCount() const override;
    Status ClearInBuffer() override;
    QByteArray Input() override;
    bool AwaitInput(QDeadlineTimer deadline) override;
    bool WaitForMoreInput(QDeadlineTimer deadline) override;

private:
    // The open port as the platform holds it.
    struct Port;

    Status Open();
    void Close();

    // Every line there is, on Linux. Qt's X11 plugin ends the program with exit() when its display
    // goes away (at a logout, say), in the middle of whatever wait runs, so no line is destroyed;
    // their ports are closed on the way out all the same, since a port left exclusive is refused
    // to every later call while another program keeps the device open.
    static std::vector<SystemSerialLine*>& Lines();
    static void CloseEveryLine();

    PortMap m_portMap;
    std::unique_ptr<Port> m_port;
    qint16 m_commPort = 1;
};

}  // namespace linvox
