// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CloseWatch.h"
#include "CommandAssembler.h"
#include "DeviceLink.h"
#include "FloodText.h"
#include "ModemResponder.h"
#include "Options.h"
#include "OutputQueue.h"
#include "PortLock.h"
#include "PseudoTerminal.h"
#include "StdoutLog.h"
#include "TerminationSignals.h"
#include "Transcript.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace linvox::phonesim {

// Runs the phone on a pseudo-terminal until a termination signal or a hang-up.
class Simulator {
public:
    explicit Simulator(Options options);

    void run();

private:
    using Clock = OutputQueue::Clock;

    void receive(Clock::time_point now);
    void acceptAfterClose();
    bool stalled() const { return m_closeWatch.has_value(); }
    void handleBytes(std::string_view bytes, std::int64_t receivedAt, Clock::time_point now);
    void queueAnswer(std::string answer, Clock::time_point now);
    void writeOutput(Clock::time_point now);
    void writeFlood(Clock::time_point now);
    bool readyToHangUp(Clock::time_point now) const;
    short pollEvents(Clock::time_point now) const;
    int pollTimeoutMilliseconds(Clock::time_point now) const;
    bool echoing() const;

    Options m_options;
    TerminationSignals m_signals;
    PseudoTerminal m_terminal;
    std::optional<PortLock> m_portLock;
    std::optional<CloseWatch> m_closeWatch;
    std::optional<DeviceLink> m_deviceLink;
    std::optional<Transcript> m_transcript;
    StdoutLog m_log;
    CommandAssembler m_assembler;
    ModemResponder m_responder;
    OutputQueue m_output;
    FloodText m_flood;
    unsigned m_commandsHandled = 0;
    bool m_hangUpRequested = false;
    Clock::time_point m_lastOutputAt{};
};

}  // namespace linvox::phonesim
