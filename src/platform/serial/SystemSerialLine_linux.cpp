// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/EventLoopWait.h"
#include "platform/process/TerminationSignals.h"
#include "platform/serial/DeviceClaim_linux.h"
#include "platform/serial/SystemSerialLine.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

#include <QDeadlineTimer>
#include <QSocketNotifier>

namespace linvox {
namespace {

constexpr speed_t kBitsPerSecond = B9600;
constexpr qsizetype kReceiveBufferBytes = 1024;
// A command is a few dozen bytes, on the wire in well under this at 9600 bit/s.
constexpr std::chrono::milliseconds kWriteTimeout{1000};

// Puts the line's settings on the device, keeping its own in before: raw bytes at 9600 bit/s,
// 8 data bits, no parity, one stop bit, no handshaking. A read on the non-blocking device then
// fails with EAGAIN while nothing has arrived, so that one returning nothing tells of a hang-up.
// Whether the device took them.
bool SetLineSettings(int descriptor, termios& before) {
    if (::tcgetattr(descriptor, &before) != 0) {
        return false;
    }
    termios settings = before;
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | CRTSCTS);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, kBitsPerSecond);
    ::cfsetospeed(&settings, kBitsPerSecond);
    return ::tcsetattr(descriptor, TCSANOW, &settings) == 0;
}

// Sleeps until the descriptor is ready for the events or has hung up, or the deadline passes;
// whether it is ready or has hung up.
bool AwaitDescriptor(int descriptor, short events, QDeadlineTimer deadline) {
    pollfd watched{descriptor, events, 0};
    int ready = 0;
    do {
        ready = ::poll(&watched, 1, static_cast<int>(deadline.remainingTime()));
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

}  // namespace

// The terminal device itself, read and written on its descriptor. Not through QSerialPort: that
// insists on a lock file of its own, and where the user may not write /var/lock (Fedora and Arch
// keep it so) makes it in /tmp, where no other program looks for it and a crash leaves it.
struct SystemSerialLine::Port {
    DeviceClaim claim;
    // Reads what arrives while events run, until the receive buffer is full; it is enabled again
    // as the buffer is emptied.
    QSocketNotifier arrivals{QSocketNotifier::Read};
    QByteArray received;
    // Put back when the port closes.
    termios settingsBefore{};

    bool open() const { return claim.descriptor() >= 0; }

    // Reads what the driver holds, as far as the receive buffer has room. False when the device
    // has hung up or is gone, which only closing the port ends.
    bool Read() {
        if (const qsizetype room = kReceiveBufferBytes - received.size(); room > 0) {
            char bytes[kReceiveBufferBytes];
            const ssize_t count = ::read(claim.descriptor(), bytes, static_cast<size_t>(room));
            if (count > 0) {
                received.append(bytes, count);
            } else if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
                return false;
            }
        }
        return true;
    }
};

SystemSerialLine::SystemSerialLine(PortMap portMap)
    : m_portMap(std::move(portMap)), m_port(std::make_unique<Port>()) {
    Lines().push_back(this);
    QObject::connect(&m_port->arrivals, &QSocketNotifier::activated, &m_port->arrivals, [this] {
        // A device that hung up, or a full buffer, would give notice again and again.
        if (!m_port->Read()) {
            Close();
        } else if (m_port->received.size() >= kReceiveBufferBytes) {
            m_port->arrivals.setEnabled(false);
        }
    });
}

SystemSerialLine::~SystemSerialLine() {
    Close();
    std::erase(Lines(), this);
}

std::vector<SystemSerialLine*>& SystemSerialLine::Lines() {
    static std::vector<SystemSerialLine*> lines;
    // Registered once the list is made, so that it runs before the list goes.
    [[maybe_unused]] static const int closedAtExit = std::atexit(CloseEveryLine);
    return lines;
}

void SystemSerialLine::CloseEveryLine() {
    for (SystemSerialLine* line : Lines()) {
        line->Close();
    }
}

bool SystemSerialLine::PortOpen() const {
    return m_port->open();
}

Status SystemSerialLine::Open() {
    const Outcome<QString> device = m_portMap.DevicePath(m_commPort);
    if (!device.ok()) {
        return device.failure();
    }
    if (Status claimed = m_port->claim.Take(device.value()); !claimed.ok()) {
        return claimed;
    }
    const int descriptor = m_port->claim.descriptor();
    if (!SetLineSettings(descriptor, m_port->settingsBefore)) {
        m_port->claim.Release();
        return Failure(FailureCode::DeviceNotOpen);
    }
    m_port->received.clear();
    m_port->arrivals.setSocket(descriptor);
    m_port->arrivals.setEnabled(true);
    return Done{};
}

void SystemSerialLine::Close() {
    if (!m_port->open()) {
        return;
    }
    m_port->arrivals.setEnabled(false);
    m_port->received.clear();
    const int descriptor = m_port->claim.descriptor();
    // What a stalled phone never took is dropped, so that the close does not wait for it to drain,
    // and no half command reaches the phone when it wakes. Only then: on a pseudo-terminal, which
    // holds nothing back, a flush would drop what the other end has not read yet.
    if (int queued = 0; ::ioctl(descriptor, TIOCOUTQ, &queued) == 0 && queued > 0) {
        ::tcflush(descriptor, TCOFLUSH);
    }
    ::tcsetattr(descriptor, TCSANOW, &m_port->settingsBefore);
    m_port->claim.Release();
}

Status SystemSerialLine::Output(const QByteArray& bytes) {
    if (!m_port->open()) {
        return Failure(FailureCode::DeviceNotOpen);
    }
    if (TerminationRequested()) {
        return Failure(FailureCode::Interrupted);
    }
    // "Sent" means taken by the driver, in time: a phone that takes nothing is given up on.
    const int descriptor = m_port->claim.descriptor();
    const QDeadlineTimer deadline(kWriteTimeout);
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t count =
            ::write(descriptor, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent));
        if (count > 0) {
            sent += count;
        } else if (count < 0 && errno == EAGAIN) {
            if (!AwaitDescriptor(descriptor, POLLOUT, deadline)) {
                return Failure(FailureCode::DeviceNotOpen);
            }
        } else if (count == 0 || errno != EINTR) {
            Close();
            return Failure(FailureCode::DeviceNotOpen);
        }
    }
    return Done{};
}

int SystemSerialLine::InBufferCount() const {
    return static_cast<int>(m_port->received.size());
}

Status SystemSerialLine::ClearInBuffer() {
    if (!m_port->open()) {
        return Failure(FailureCode::DeviceNotOpen);
    }
    ::tcflush(m_port->claim.descriptor(), TCIFLUSH);
    m_port->received.clear();
    m_port->arrivals.setEnabled(true);
    return Done{};
}

QByteArray SystemSerialLine::Input() {
    if (m_port->open()) {
        m_port->arrivals.setEnabled(true);
    }
    return std::exchange(m_port->received, {});
}

bool SystemSerialLine::AwaitInput(QDeadlineTimer deadline) {
    // Bytes are read only while events run, so one wait both keeps the window live and learns of
    // the first byte; it wakes after the read that each notice starts, which may close the port.
    EventLoopWait wait(deadline);
    wait.WakeOn(&m_port->arrivals, &QSocketNotifier::activated);
    wait.Until([this] { return !m_port->open() || !m_port->received.isEmpty(); });
    return !m_port->received.isEmpty();
}

bool SystemSerialLine::WaitForMoreInput(QDeadlineTimer deadline) {
    // A flooding phone would satisfy a wait of no time forever: the deadline ends it. A full
    // buffer takes nothing more until it is read.
    if (!m_port->open() || deadline.hasExpired() ||
        m_port->received.size() >= kReceiveBufferBytes ||
        !AwaitDescriptor(m_port->claim.descriptor(), POLLIN, deadline)) {
        return false;
    }
    const qsizetype before = m_port->received.size();
    if (!m_port->Read()) {
        Close();
        return false;
    }
    return m_port->received.size() > before;
}

}  // namespace linvox
