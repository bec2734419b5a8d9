// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/EventLoopPause.h"

#include <QDateTime>
#include <QEventLoop>
#include <QTimer>

namespace linvox {

void EventLoopPause::LetSecondsPass(int seconds) {
    const qint64 start = QDateTime::currentSecsSinceEpoch();
    while (QDateTime::currentSecsSinceEpoch() - start < seconds) {
        const qint64 untilNextSecond = 1000 - QDateTime::currentMSecsSinceEpoch() % 1000;
        QEventLoop loop;
        QTimer::singleShot(std::chrono::milliseconds(untilNextSecond), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        if (loop.exec() != 0) {
            return;  // the program is ending: QEventLoop refuses to run then
        }
    }
}

}  // namespace linvox
