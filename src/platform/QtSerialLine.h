// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/SerialLine.h"
#include "platform/DeviceClaim.h"
#include "platform/PortMap.h"

#include <vector>

#include <QSerialPort>

namespace linvox {

// The serial line on a real port, through QSerialPort: 9600 bit/s, 8 data bits, no parity, one
// stop bit, no handshaking, a receive buffer of 1024 bytes (a flooding phone waits in the
// driver). A read, write or resource error closes the port, which QSerialPort would otherwise
// report again and again; so does the device hanging up, which it may not report at all.
class QtSerialLine : public SerialLine {
public:
    explicit QtSerialLine(PortMap portMap);
    ~QtSerialLine() override;

    qint16 CommPort() const override { return m_commPort; }
    LineStatus SetCommPort(qint16 port) override;
    bool PortOpen() const override { return m_port.isOpen(); }
    LineStatus SetPortOpen(bool open) override;
    LineStatus Output(const QByteArray& bytes) override;
    int InBufferCount() const override;
    LineStatus ClearInBuffer() override;
    QByteArray Input() override;
    bool AwaitInput(QDeadlineTimer deadline) override;
    bool WaitForMoreInput(QDeadlineTimer deadline) override;

private:
    LineStatus Open();
    void Close();
    void CloseSoon();

    // The lines whose ports are open. Qt's X11 plugin ends the program with exit() when its
    // display goes away (at a logout, say), in the middle of whatever wait runs, so no line is
    // destroyed; their ports are closed on the way out all the same, since a port left exclusive
    // is refused to every later call while another program keeps the device open.
    static std::vector<QtSerialLine*>& OpenLines();
    static void CloseOpenLines();

    PortMap m_portMap;
    DeviceClaim m_claim;
    QSerialPort m_port;
    qint16 m_commPort = 1;
    quint64 m_openings = 0;
};

}  // namespace linvox
