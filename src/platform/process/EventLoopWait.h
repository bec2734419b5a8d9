// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace linvox {

// A wait that lets the window's events run, asleep in between, until what it waits for has come,
// its deadline has passed, or the program is ending: once the application has been told to exit,
// Qt runs no event loop any more, and the wait ends at once. What can bring the awaited wakes it
// (WakeOn), or it looks again now and then (LookEvery). Window thread only.
class EventLoopWait {
public:
    explicit EventLoopWait(QDeadlineTimer deadline);

    // Wakes the wait whenever sender emits signal, to look whether what it waits for has come.
    template <typename Sender, typename Signal>
    void WakeOn(const Sender* sender, Signal signal) {
        QObject::connect(sender, signal, &m_loop, &QEventLoop::quit);
    }

    // Wakes the wait at this interval too, for what comes unannounced.
    void LookEvery(std::chrono::milliseconds interval);

    // Waits until arrived() holds, asking it first and after every wake; returns whether it held.
    bool Until(const std::function<bool()>& arrived);

private:
    QDeadlineTimer m_deadline;
    QEventLoop m_loop;
    QTimer m_timeout;
    QTimer m_look;
};

}  // namespace linvox
