// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/EventLoopPause.h"

#include "platform/process/EventLoopWait.h"

#include <QDateTime>

namespace linvox {

void EventLoopPause::LetSecondsPass(int seconds) {
    const qint64 start = QDateTime::currentSecsSinceEpoch();
    const qint64 untilTheLastSecond =
        (start + seconds) * 1000 - QDateTime::currentMSecsSinceEpoch();
    EventLoopWait(QDeadlineTimer(untilTheLastSecond, Qt::PreciseTimer)).Until([&] {
        return QDateTime::currentSecsSinceEpoch() - start >= seconds;
    });
}

}  // namespace linvox
