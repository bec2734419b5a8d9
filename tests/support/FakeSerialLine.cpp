// SPDX-License-Identifier: GPL-3.0-or-later
#include "FakeSerialLine.h"

namespace linvox::testing {

Status FakeSerialLine::SetCommPort(qint16 port) {
    log.append(QStringLiteral("CommPort=%1").arg(port));
    if (m_open) {
        return Failure(FailureCode::PortAlreadyOpen);
    }
    if (port < 1) {
        return Failure(FailureCode::InvalidPortNumber);
    }
    m_port = port;
    return Done{};
}

Status FakeSerialLine::SetPortOpen(bool open) {
    log.append(open ? QStringLiteral("PortOpen=true") : QStringLiteral("PortOpen=false"));
    if (!open) {
        m_open = false;
        return Done{};
    }
    if (!openFailures.isEmpty()) {
        return openFailures.takeFirst();
    }
    m_open = true;
    if (onOpen) {
        onOpen(*this);
    }
    return Done{};
}

Status FakeSerialLine::Output(const QByteArray& bytes) {
    log.append(QStringLiteral("Output=") + QString::fromLatin1(bytes));
    if (!m_open) {
        return Failure(FailureCode::DeviceNotOpen);
    }
    if (outputFailure) {
        return *outputFailure;
    }
    if (onOutput) {
        onOutput(*this);
    }
    return Done{};
}

Status FakeSerialLine::ClearInBuffer() {
    log.append(QStringLiteral("InBufferCount=0"));
    if (!m_open) {
        return Failure(FailureCode::DeviceNotOpen);
    }
    incoming.clear();
    return Done{};
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
