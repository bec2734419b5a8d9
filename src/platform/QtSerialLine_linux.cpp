// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DeviceClaim_linux.h"
#include "platform/QtSerialLine.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

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
struct QtSerialLine::Port {
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

QtSerialLine::QtSerialLine(PortMap portMap)
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

QtSerialLine::~QtSerialLine() {
    Close();
    std::erase(Lines(), this);
}

std::vector<QtSerialLine*>& QtSerialLine::Lines() {
    static std::vector<QtSerialLine*> lines;
    // Registered once the list is made, so that it runs before the list goes.
    [[maybe_unused]] static const int closedAtExit = std::atexit(CloseEveryLine);
    return lines;
}

void QtSerialLine::CloseEveryLine() {
    for (QtSerialLine* line : Lines()) {
        line->Close();
    }
}

bool QtSerialLine::PortOpen() const {
    return m_port->open();
}

LineStatus QtSerialLine::Open() {
    if (LineStatus claimed = m_port->claim.Take(m_portMap.DevicePath(m_commPort));
        !claimed.done()) {
        return claimed;
    }
    const int descriptor = m_port->claim.descriptor();
    if (!SetLineSettings(descriptor, m_port->settingsBefore)) {
        m_port->claim.Release();
        return LineStatus::DeviceNotOpen();
    }
    m_port->received.clear();
    m_port->arrivals.setSocket(descriptor);
    m_port->arrivals.setEnabled(true);
    return LineStatus::Done();
}

void QtSerialLine::Close() {
    if (!m_port->open()) {
        return;
    }
    m_port->arrivals.setEnabled(false);
    m_port->received.clear();
    ::tcsetattr(m_port->claim.descriptor(), TCSANOW, &m_port->settingsBefore);
    m_port->claim.Release();
}

LineStatus QtSerialLine::Output(const QByteArray& bytes) {
    if (!m_port->open()) {
        return LineStatus::DeviceNotOpen();
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
                return LineStatus::DeviceNotOpen();
            }
        } else if (count == 0 || errno != EINTR) {
            Close();
            return LineStatus::DeviceNotOpen();
        }
    }
    return LineStatus::Done();
}

int QtSerialLine::InBufferCount() const {
    return static_cast<int>(m_port->received.size());
}

LineStatus QtSerialLine::ClearInBuffer() {
    if (!m_port->open()) {
        return LineStatus::DeviceNotOpen();
    }
    ::tcflush(m_port->claim.descriptor(), TCIFLUSH);
    m_port->received.clear();
    m_port->arrivals.setEnabled(true);
    return LineStatus::Done();
}

QByteArray QtSerialLine::Input() {
    if (m_port->open()) {
        m_port->arrivals.setEnabled(true);
    }
    return std::exchange(m_port->received, {});
}

bool QtSerialLine::AwaitInput(QDeadlineTimer deadline) {
    // Bytes are read only while events run, so one nested loop both keeps the window live and
    // learns of the first byte; it sleeps until then.
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    // A coarse timer may fire 5 % late, 75 ms on a silent port's wait.
    timeout.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    // Connected after the read that each notice starts, which may also close the port.
    QObject::connect(&m_port->arrivals, &QSocketNotifier::activated, &loop, &QEventLoop::quit);
    while (m_port->open() && m_port->received.isEmpty() && !deadline.hasExpired()) {
        timeout.start(
            std::chrono::ceil<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()));
        loop.exec();
    }
    return !m_port->received.isEmpty();
}

bool QtSerialLine::WaitForMoreInput(QDeadlineTimer deadline) {
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
