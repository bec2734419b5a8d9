// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "line/SerialLine.h"

#include <functional>
#include <optional>

#include <QByteArray>
#include <QStringList>

namespace linvox::testing {

// A serial line that logs what is done to it ("CommPort=3", "PortOpen=true", "Output=ATD…\r",
// "InBufferCount=0", "Input") and fails where a test tells it to.
class FakeSerialLine : public SerialLine {
public:
    qint16 CommPort() const override { return m_port; }
    Status SetCommPort(qint16 port) override;
    bool PortOpen() const override { return m_open; }
    Status SetPortOpen(bool open) override;
    Status Output(const QByteArray& bytes) override;
    int InBufferCount() const override { return static_cast<int>(incoming.size()); }
    Status ClearInBuffer() override;
    QByteArray Input() override;
    bool AwaitInput(QDeadlineTimer deadline) override;
    bool WaitForMoreInput(QDeadlineTimer deadline) override;

    QStringList log;
    // What the coming opens come to, taken one per open; opens beyond the list succeed.
    QList<Failure> openFailures;
    // What every write comes to.
    std::optional<Failure> outputFailure;
    // What the "phone" has sent and not yet been read.
    QByteArray incoming;
    // What the "phone" sends while the line is waited on: each wait brings the next piece, and a
    // wait with none left returns as when its deadline passes.
    QList<QByteArray> arrivals;
    // Runs after every open, e.g. to let the phone answer.
    std::function<void(FakeSerialLine&)> onOpen;
    // Runs after every write that the line takes, as a phone that answers at once.
    std::function<void(FakeSerialLine&)> onOutput;

private:
    bool Deliver();

    qint16 m_port = 1;
    bool m_open = false;
};

}  // namespace linvox::testing
