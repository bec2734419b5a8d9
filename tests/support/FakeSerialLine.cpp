// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSerialLine.h"

namespace linvox::testing {

LineStatus FakeSerialLine::SetCommPort(qint16 port) {
    log.append(QStringLiteral("CommPort=%1").arg(port));
    if (m_open) {
        return LineStatus::PortAlreadyOpen();
    }
    if (port < 1) {
        return LineStatus::InvalidPortNumber();
    }
    m_port = port;
    return LineStatus::Done();
}

LineStatus FakeSerialLine::SetPortOpen(bool open) {
    log.append(open ? QStringLiteral("PortOpen=true") : QStringLiteral("PortOpen=false"));
    if (!open) {
        m_open = false;
        return LineStatus::Done();
    }
    const LineStatus opened =
        openFailures.isEmpty() ? LineStatus::Done() : openFailures.takeFirst();
    if (!opened.done()) {
        return opened;
    }
    m_open = true;
    if (onOpen) {
        onOpen(*this);
    }
    return LineStatus::Done();
}

LineStatus FakeSerialLine::Output(const QByteArray& bytes) {
    log.append(QStringLiteral("Output=") + QString::fromLatin1(bytes));
    if (!m_open) {
        return LineStatus::DeviceNotOpen();
    }
    if (!outputFailure.done()) {
        return outputFailure;
    }
    if (onOutput) {
        onOutput(*this);
    }
    return LineStatus::Done();
}

LineStatus FakeSerialLine::ClearInBuffer() {
    log.append(QStringLiteral("InBufferCount=0"));
    if (!m_open) {
        return LineStatus::DeviceNotOpen();
    }
    incoming.clear();
    return LineStatus::Done();
}

QByteArray FakeSerialLine::Input() {
    log.append(QStringLiteral("Input"));
    return std::exchange(incoming, {});
}

bool FakeSerialLine::Deliver() {
    if (!m_open || arrivals.isEmpty()) {
        return false;
    }
    incoming += arrivals.takeFirst();
    return true;
}

bool FakeSerialLine::AwaitInput(QDeadlineTimer) {
    log.append(QStringLiteral("AwaitInput"));
    Deliver();
    return !incoming.isEmpty();
}

bool FakeSerialLine::WaitForMoreInput(QDeadlineTimer) {
    log.append(QStringLiteral("WaitForMoreInput"));
    return Deliver();
}

}  // namespace linvox::testing
