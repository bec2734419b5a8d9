// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modems/PortProbe.h"

#include <functional>
#include <map>

#include <QStringList>

namespace linvox::testing {

// Answers each port from a table, and the rest as a silent unlisted device; logs the port of every
// probe.
class FakeProbe : public PortProbe {
public:
    ProbeOutcome ProbePort(const QString& command, qint16 port) override {
        probes.append(QString::number(port));
        commands.append(command);
        if (duringProbe) {
            duringProbe();
        }
        const auto answer = answers.find(port);
        if (answer == answers.end()) {
            return ProbeOutcome::NoModem();
        }
        return ProbeOutcome::Answered(answer->second);
    }

    std::map<int, QString> answers;
    QStringList probes;
    QStringList commands;
    std::function<void()> duringProbe;
};

}  // namespace linvox::testing
