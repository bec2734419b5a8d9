// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/EventLoopWait.h"

namespace linvox {

EventLoopWait::EventLoopWait(QDeadlineTimer deadline) : m_deadline(deadline) {
    m_timeout.setSingleShot(true);
    // A coarse timer may fire 5 % late, 75 ms on a silent port's wait.
    m_timeout.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timeout, &QTimer::timeout, &m_loop, &QEventLoop::quit);
    QObject::connect(&m_look, &QTimer::timeout, &m_loop, &QEventLoop::quit);
}

void EventLoopWait::LookEvery(std::chrono::milliseconds interval) {
    m_look.start(interval);
}

bool EventLoopWait::Until(const std::function<bool()>& arrived) {
    while (!arrived()) {
        if (m_deadline.hasExpired()) {
            return false;
        }
        m_timeout.start(
            std::chrono::ceil<std::chrono::milliseconds>(m_deadline.remainingTimeAsDuration()));
        // -1: the application has been told to exit, and Qt refuses to run the loop.
        if (m_loop.exec() < 0) {
            return arrived();
        }
    }
    return true;
}

}  // namespace linvox
