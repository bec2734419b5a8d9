// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>

namespace linvox::testing {

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
