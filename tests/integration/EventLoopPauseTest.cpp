// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/EventLoopPause.h"
#include "support/CpuTime.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

namespace linvox {
namespace {

using testing::ProcessCpuTime;

TEST(EventLoopPause, WaitsUntilTheClockShowsThreeMoreSecondsWhileEventsRunAndTheCpuSleeps) {
    EventLoopPause pause;
    int timersFired = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++timersFired; });
    ticker.start(std::chrono::milliseconds(100));
    const qint64 startSecond = QDateTime::currentSecsSinceEpoch();
    const auto cpuBefore = ProcessCpuTime();
    QElapsedTimer elapsed;
    elapsed.start();

    pause.LetSecondsPass(3);

    // It ends in the clock's third second from the start, not later, however busy the machine.
    EXPECT_EQ(QDateTime::currentSecsSinceEpoch() - startSecond, 3);
    EXPECT_GT(elapsed.elapsed(), 2000);
    EXPECT_GE(timersFired, 15);
    EXPECT_LT(ProcessCpuTime() - cpuBefore, std::chrono::milliseconds(100));
}

TEST(EventLoopPause, EndsWhenTheProgramIsEnding) {
    EventLoopPause pause;
    QTimer::singleShot(std::chrono::milliseconds(200), [] { QCoreApplication::exit(0); });
    QElapsedTimer elapsed;
    elapsed.start();

    pause.LetSecondsPass(3);

    // Long before the pause would have ended.
    EXPECT_LT(elapsed.elapsed(), 2000);
    // Let later tests in this process run event loops again.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

}  // namespace
}  // namespace linvox
