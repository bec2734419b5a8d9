// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modems/PortProbe.h"

#include <functional>
#include <map>

#include <QStringList>

namespace linvox::testing {

// Answers each port from a table, and the rest as a silent unlisted device; logs every probe as
// "port/0" (silent) or "port/1" (report).
class FakeProbe : public PortProbe {
public:
    ProbeOutcome ProbePort(const QString& command, qint16 port, ProbeMode mode) override {
        probes.append(QStringLiteral("%1/%2").arg(port).arg(mode == ProbeMode::Report ? 1 : 0));
        commands.append(command);
        if (duringProbe) {
            duringProbe();
        }
        const auto answer = answers.find(port);
        if (answer == answers.end()) {
            return ProbeOutcome::NoModem(mode);
        }
        return ProbeOutcome::Answered(answer->second);
    }

    std::map<int, QString> answers;
    QStringList probes;
    QStringList commands;
    std::function<void()> duringProbe;
};

}  // namespace linvox::testing
