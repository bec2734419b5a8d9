// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventLoop.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace linvox::testing {
namespace {

constexpr std::chrono::milliseconds kCheckInterval{5};

}  // namespace

void RunEventsFor(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

bool RunEventsUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        RunEventsFor(kCheckInterval);
    }
    return true;
}

}  // namespace linvox::testing
