// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>

#ifdef Q_OS_LINUX
#include <signal.h>
#include <sys/prctl.h>
#endif

namespace linvox::testing {

// Has a child that the test starts end with the test, even when the test crashes or is killed,
// so that no server or phone outlives it holding a display, a device or output pipes.
inline void EndWithTheTest(QProcess& child) {
#ifdef Q_OS_LINUX
    child.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
}

// Asks a server the test started to end, and kills it when it has not within five seconds.
inline void StopServer(QProcess& server) {
    constexpr int kStopTimeoutMs = 5000;
    server.terminate();
    if (!server.waitForFinished(kStopTimeoutMs)) {
        server.kill();
        server.waitForFinished();
    }
}

}  // namespace linvox::testing
