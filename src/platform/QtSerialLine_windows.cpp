// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtSerialLine.h"

#include <chrono>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>

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

// Turns a failed QSerialPort::open into the line's failure descriptions, decided from the kind
// of error rather than its translated text.
LineStatus DescribeOpenFailure(const QSerialPort& port) {
    switch (port.error()) {
        case QSerialPort::DeviceNotFoundError:
            return LineStatus::InvalidPortNumber();
        case QSerialPort::PermissionError:  // Windows refuses a port that another program holds
            return LineStatus::PortAlreadyOpen();
        case QSerialPort::OpenError:
        case QSerialPort::ResourceError:
            return LineStatus::DeviceNotOpen();
        default:
            return LineStatus::System(port.errorString());
    }
}

}  // namespace

// Windows itself refuses a second opener of a port, so QSerialPort alone holds it. Counts its
// openings, so that a late close applies only to the opening that failed.
struct QtSerialLine::Port : QSerialPort {
    quint64 openings = 0;
};

QtSerialLine::QtSerialLine(PortMap portMap)
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

QtSerialLine::~QtSerialLine() {
    Close();
}

bool QtSerialLine::PortOpen() const {
    return m_port->isOpen();
}

LineStatus QtSerialLine::Open() {
    m_port->setPortName(m_portMap.DevicePath(m_commPort));
    ++m_port->openings;
    return m_port->open(QIODevice::ReadWrite) ? LineStatus::Done() : DescribeOpenFailure(*m_port);
}

void QtSerialLine::Close() {
    m_port->close();
}

LineStatus QtSerialLine::Output(const QByteArray& bytes) {
    if (!m_port->isOpen()) {
        return LineStatus::DeviceNotOpen();
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
        return LineStatus::DeviceNotOpen();
    }
    return m_port->bytesToWrite() > 0 ? LineStatus::DeviceNotOpen() : LineStatus::Done();
}

int QtSerialLine::InBufferCount() const {
    return static_cast<int>(m_port->bytesAvailable());
}

LineStatus QtSerialLine::ClearInBuffer() {
    if (!m_port->isOpen()) {
        return LineStatus::DeviceNotOpen();
    }
    m_port->clear(QSerialPort::Input);
    return LineStatus::Done();
}

QByteArray QtSerialLine::Input() {
    return m_port->readAll();
}

bool QtSerialLine::AwaitInput(QDeadlineTimer deadline) {
    // Qt's Windows backend announces no I/O completion that arrives while a synchronous wait
    // runs: when the phone's answer comes with the completion of Output's write, readyRead never
    // follows, and the answer stays unread. A wait of no time takes such a completion in, so the
    // wait looks for input now and at every wake instead of trusting the signal alone.
    const auto inputArrived = [this] {
        if (m_port->isOpen() && m_port->bytesAvailable() == 0) {
            m_port->waitForReadyRead(0);
        }
        return m_port->bytesAvailable() > 0;
    };
    if (!m_port->isOpen() || inputArrived()) {
        return m_port->bytesAvailable() > 0;
    }
    // Bytes reach QSerialPort's buffer only while events run, so one nested loop both keeps the
    // window live and learns of the first byte; it sleeps in between.
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    // A coarse timer may fire 5 % late, 75 ms on a silent port's wait.
    timeout.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (inputArrived() || !m_port->isOpen()) {
            loop.quit();
        }
    });
    QObject::connect(m_port.get(), &QSerialPort::readyRead, &loop, &QEventLoop::quit);
    // The wait of no time reports a timeout as an error; only an error that ends the line ends
    // the wait.
    QObject::connect(m_port.get(), &QSerialPort::errorOccurred, &loop,
                     [&loop](QSerialPort::SerialPortError error) {
                         if (EndsTheConnection(error)) {
                             loop.quit();
                         }
                     });
    timeout.start(std::chrono::ceil<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()));
    look.start(kUnannouncedInputLook);
    loop.exec();
    return m_port->bytesAvailable() > 0;
}

bool QtSerialLine::WaitForMoreInput(QDeadlineTimer deadline) {
    // A flooding phone would satisfy a wait of no time forever: the deadline ends it.
    if (!m_port->isOpen() || deadline.hasExpired() || EndsTheConnection(m_port->error())) {
        return false;
    }
    return m_port->waitForReadyRead(static_cast<int>(deadline.remainingTime()));
}

}  // namespace linvox
