// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QtGlobal>

namespace linvox {

// The program's one serial line to a phone, with the properties the dial routine and the port
// probe rely on. A failure is told by its code: InvalidPortNumber, DeviceNotOpen, PortAlreadyOpen,
// PortAccessDenied, Interrupted (the program is ending: nothing more goes out), or the system's
// own. Line settings are fixed: 9600 bit/s, 8 data bits, no parity, one stop bit, no
// handshaking. Window thread only; callers close and reopen the port before each use.
class SerialLine {
public:
    virtual ~SerialLine() = default;

    // The port number last set; 1 is COM1.
    virtual qint16 CommPort() const = 0;
    // Chooses the port that the next open uses. Only while the port is closed.
    virtual Status SetCommPort(qint16 port) = 0;

    virtual bool PortOpen() const = 0;
    // Opens (true) the port numbered CommPort, or closes it (false).
    virtual Status SetPortOpen(bool open) = 0;

    // Writes the bytes to the line unchanged.
    virtual Status Output(const QByteArray& bytes) = 0;

    // How many received bytes wait to be read.
    virtual int InBufferCount() const = 0;
    // Discards every received byte not yet read (setting InBufferCount to 0).
    virtual Status ClearInBuffer() = 0;

    // Every received byte waiting, removed from the buffer.
    virtual QByteArray Input() = 0;

    // Lets the window's events run, asleep in between, until received bytes wait to be read or
    // the deadline passes; returns whether any wait.
    virtual bool AwaitInput(QDeadlineTimer deadline) = 0;
    // Waits without letting the window's events run until more bytes have arrived or the
    // deadline passes; returns whether more arrived. False also once the line has failed.
    virtual bool WaitForMoreInput(QDeadlineTimer deadline) = 0;
};

}  // namespace linvox
