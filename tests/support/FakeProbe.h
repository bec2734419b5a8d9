#pragma once

#include "modems/PortProbe.h"

#include <functional>
#include <map>

#include <QStringList>

namespace linvox::testing {

// Answers each port from a table, and the rest as a silent unlisted device; logs every probe as
// "port/report".
class FakeProbe : public PortProbe {
public:
    QString ProbePort(const QString& command, qint16 port, qint16 report) override {
        probes.append(QStringLiteral("%1/%2").arg(port).arg(report));
        commands.append(command);
        if (duringProbe) {
            duringProbe();
        }
        const auto answer = answers.find(port);
        if (answer == answers.end()) {
            return report == kReportMode ? kUnknownDevice : kProbeFailed;
        }
        return answer->second;
    }

    std::map<int, QString> answers;
    QStringList probes;
    QStringList commands;
    std::function<void()> duringProbe;
};

}  // namespace linvox::testing
