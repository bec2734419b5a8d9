// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/EventLoopWait.h"
#include "platform/serial/SystemSerialLine.h"

#include <chrono>

#include <QDeadlineTimer>
#include <QSerialPort>

namespace linvox {
namespace {

constexpr qint32 kBitsPerSecond = 9600;
constexpr qint64 kReceiveBufferBytes = 1024;
// A command is a few dozen bytes, on the wire in well under this at 9600 bit/s.
constexpr std::chrono::milliseconds kWriteTimeout{1000};
// How often the wait for the first byte looks for input that no readyRead announced.
constexpr std::chrono::milliseconds kUnannouncedInputLook{50};

bool EndsTheConnection(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
           error == QSerialPort::ResourceError;
}

// Turns a failed QSerialPort::open into the line's failures, decided from the kind of error
// rather than its translated text.
Failure OpenFailureOf(const QSerialPort& port) {
    switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return Failure(FailureCode::InvalidPortNumber, port.portName());
        case QSerialPort::PermissionError:  // Windows refuses a port that another program holds
            return Failure(FailureCode::PortAlreadyOpen, port.portName());
        case QSerialPort::OpenError:
        case QSerialPort::ResourceError:
            return Failure(FailureCode::DeviceNotOpen, port.portName());
        default:
            return Failure(FailureCode::ForeignError, port.portName(), port.errorString());
    }
}

}  // namespace

// Windows itself refuses a second opener of a port, so QSerialPort alone holds it. Counts its
// openings, so that a late close applies only to the opening that failed.
struct SystemSerialLine::Port : QSerialPort {
    quint64 openings = 0;
};

SystemSerialLine::SystemSerialLine(PortMap portMap)
    : m_portMap(std::move(portMap)), m_port(std::make_unique<Port>()) {
    m_port->setBaudRate(kBitsPerSecond);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    m_port->setReadBufferSize(kReceiveBufferBytes);
    QObject::connect(m_port.get(), &QSerialPort::errorOccurred, m_port.get(),
                     [this](QSerialPort::SerialPortError error) {
                         if (!EndsTheConnection(error)) {
                             return;
                         }
                         // Not inside QSerialPort's own call that is reporting the error; and
                         // only the opening that failed: a caller may have closed and opened the
                         // port again before events run.
                         const quint64 failedOpening = m_port->openings;
                         QMetaObject::invokeMethod(
                             m_port.get(),
                             [this, failedOpening] {
                                 if (m_port->openings == failedOpening) {
                                     Close();
                                 }
                             },
                             Qt::QueuedConnection);
                     });
}

SystemSerialLine::~SystemSerialLine() {
    Close();
}

bool SystemSerialLine::PortOpen() const {
    return m_port->isOpen();
}

Status SystemSerialLine::Open() {
    m_port->setPortName(m_portMap.DevicePath(m_commPort).value());
    ++m_port->openings;
    if (!m_port->open(QIODevice::ReadWrite)) {
        return OpenFailureOf(*m_port);
    }
    return Done{};
}

void SystemSerialLine::Close() {
    m_port->close();
}

Status SystemSerialLine::Output(const QByteArray& bytes) {
    if (!m_port->isOpen()) {
        return Failure(FailureCode::DeviceNotOpen);
    }
    m_port->clearError();
    // "Sent" must mean on the line, not in a buffer that a vanished phone never drains.
    m_port->write(bytes);
    const QDeadlineTimer deadline(kWriteTimeout);
    while (m_port->bytesToWrite() > 0 && m_port->error() == QSerialPort::NoError &&
           !deadline.hasExpired()) {
        m_port->waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
    }
    if (EndsTheConnection(m_port->error())) {
        Close();
        return Failure(FailureCode::DeviceNotOpen);
    }
    if (m_port->bytesToWrite() > 0) {
        return Failure(FailureCode::DeviceNotOpen);
    }
    return Done{};
}

int SystemSerialLine::InBufferCount() const {
    return static_cast<int>(m_port->bytesAvailable());
}

Status SystemSerialLine::ClearInBuffer() {
    if (!m_port->isOpen()) {
        return Failure(FailureCode::DeviceNotOpen);
    }
    m_port->clear(QSerialPort::Input);
    return Done{};
}

QByteArray SystemSerialLine::Input() {
    return m_port->readAll();
}

bool SystemSerialLine::AwaitInput(QDeadlineTimer deadline) {
    // Qt's Windows backend announces no I/O completion that arrives while a synchronous wait
    // runs: when the phone's answer comes with the completion of Output's write, readyRead never
    // follows, and the answer stays unread. A wait of no time takes such a completion in, so the
    // wait looks for input now and then instead of trusting the signal alone.
    const auto inputArrived = [this] {
        if (m_port->isOpen() && m_port->bytesAvailable() == 0) {
            m_port->waitForReadyRead(0);
        }
        return m_port->bytesAvailable() > 0;
    };
    // Bytes reach QSerialPort's buffer only while events run, so one wait both keeps the window
    // live and learns of the first byte. The wait of no time reports a timeout as an error; only
    // an error that ends the line ends the wait.
    EventLoopWait wait(deadline);
    wait.WakeOn(m_port.get(), &QSerialPort::readyRead);
    wait.WakeOn(m_port.get(), &QSerialPort::errorOccurred);
    wait.LookEvery(kUnannouncedInputLook);
    wait.Until(
        [&] { return inputArrived() || !m_port->isOpen() || EndsTheConnection(m_port->error()); });
    return m_port->bytesAvailable() > 0;
}

bool SystemSerialLine::WaitForMoreInput(QDeadlineTimer deadline) {
    // A flooding phone would satisfy a wait of no time forever: the deadline ends it.
    if (!m_port->isOpen() || deadline.hasExpired() || EndsTheConnection(m_port->error())) {
        return false;
    }
    return m_port->waitForReadyRead(static_cast<int>(deadline.remainingTime()));
}

}  // namespace linvox
