// SPDX-License-Identifier: GPL-3.0-or-later
#include "Simulator.h"

#include "MonotonicClock.h"
#include "SystemError.h"

#include <array>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>
#include <utility>

namespace linvox::phonesim {
namespace {

constexpr std::size_t kReadSize = 4096;
constexpr std::size_t kSplitPieceSize = 3;
constexpr std::chrono::milliseconds kSplitPause{20};
// Hanging up discards what the client has not read yet, so the last answer gets
// time to be read. The kernel hands written bytes to the slave asynchronously,
// hence the settle time before trusting an empty slave queue.
constexpr std::chrono::milliseconds kHangUpSettle{50};
constexpr std::chrono::milliseconds kHangUpDrainCheck{10};
constexpr std::chrono::milliseconds kHangUpDrainLimit{1000};

// Whether a command line dials: "ATD" and the number, in any case.
bool isDial(std::string_view command) {
    return command.size() > 2 && (command[2] == 'D' || command[2] == 'd');
}

std::optional<ModemManagerProfile> modemManagerProfile(const Options& options) {
    if (!options.modemManager)
        return std::nullopt;
    return ModemManagerProfile{.voice = !options.noVoice, .sim = !options.noSim};
}

}  // namespace

Simulator::Simulator(Options options)
    : m_options(std::move(options)),
      m_responder(m_options.model, m_options.modelAnswer, m_options.answerError,
                  modemManagerProfile(m_options)) {
    if (m_options.busy)
        m_portLock.emplace(m_terminal.slavePath());
    if (m_options.stallUntilClosed) {
        m_closeWatch.emplace(m_terminal.slavePath());
        m_terminal.suspendTowardsMaster();
    }
    if (!m_options.linkPath.empty())
        m_deviceLink.emplace(m_options.linkPath, m_terminal.slavePath());
    if (!m_options.transcriptPath.empty())
        m_transcript.emplace(m_options.transcriptPath);
    m_log.deviceReady(m_terminal.slavePath());
}

void Simulator::run() {
    while (true) {
        const Clock::time_point now = Clock::now();
        writeOutput(now);
        if (readyToHangUp(now)) {
            m_portLock.reset();
            m_terminal.close();
            return;
        }

        std::array<pollfd, 3> watched{{
            {m_signals.descriptor(), POLLIN, 0},
            {m_terminal.masterDescriptor(), pollEvents(now), 0},
            {m_closeWatch ? m_closeWatch->descriptor() : -1, POLLIN, 0},
        }};
        const int ready = poll(watched.data(), watched.size(), pollTimeoutMilliseconds(now));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            throwSystemError("poll");
        if (watched[0].revents != 0)
            return;
        if (watched[2].revents != 0)
            acceptAfterClose();
        if ((watched[1].revents & POLLIN) != 0)
            receive(Clock::now());
        else if ((watched[1].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0)
            throw std::runtime_error("the pseudo-terminal master reported an error");
    }
}

void Simulator::receive(Clock::time_point now) {
    std::array<char, kReadSize> buffer{};
    const ssize_t count = ::read(m_terminal.masterDescriptor(), buffer.data(), buffer.size());
    const std::int64_t receivedAt = monotonicNanoseconds();
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return;
    if (count < 0)
        throwSystemError("reading from the pseudo-terminal");

    const std::string_view bytes(buffer.data(), static_cast<std::size_t>(count));
    if (m_transcript)
        m_transcript->append(bytes);
    handleBytes(bytes, receivedAt, now);
}

void Simulator::acceptAfterClose() {
    if (m_closeWatch->takeCloses()) {
        m_closeWatch.reset();
        m_terminal.resumeTowardsMaster();
    }
}

void Simulator::handleBytes(std::string_view bytes, std::int64_t receivedAt,
                            Clock::time_point now) {
    if (m_options.hangUpAfterCommands == 0U) {
        m_hangUpRequested = true;
        return;
    }
    std::string echo;
    for (const char byte : bytes) {
        if (echoing())
            echo += byte;
        const std::optional<std::string> command = m_assembler.feed(byte);
        // A bare CR is no command: modems ignore empty lines.
        if (!command || command->empty())
            continue;
        m_log.commandReceived(receivedAt, *command);
        m_output.enqueue(std::exchange(echo, {}), now);
        if (!m_options.silent)
            queueAnswer(m_responder.answer(*command),
                        isDial(*command) ? now + m_options.dialDelay : now);
        if (++m_commandsHandled == m_options.hangUpAfterCommands) {
            m_hangUpRequested = true;
            break;
        }
    }
    m_output.enqueue(std::move(echo), now);
}

void Simulator::queueAnswer(std::string answer, Clock::time_point now) {
    const Clock::time_point answerAt = now + m_options.answerDelay;
    if (!m_options.splitAnswers) {
        m_output.enqueue(std::move(answer), answerAt);
        return;
    }
    for (std::size_t offset = 0; offset < answer.size(); offset += kSplitPieceSize)
        m_output.enqueue(answer.substr(offset, kSplitPieceSize), answerAt, kSplitPause);
}

void Simulator::writeOutput(Clock::time_point now) {
    if (m_output.writeDue(m_terminal.masterDescriptor(), now) > 0)
        m_lastOutputAt = now;
    if (m_options.flood && !m_hangUpRequested && !m_output.hasDuePiece(now))
        writeFlood(now);
}

void Simulator::writeFlood(Clock::time_point now) {
    const std::string_view text = m_flood.next();
    const ssize_t written = ::write(m_terminal.masterDescriptor(), text.data(), text.size());
    if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return;
    if (written < 0)
        throwSystemError("flooding the pseudo-terminal");
    m_flood.consumed(static_cast<std::size_t>(written));
    m_lastOutputAt = now;
}

bool Simulator::readyToHangUp(Clock::time_point now) const {
    if (!m_hangUpRequested || !m_output.empty())
        return false;
    const Clock::duration sinceLastOutput = now - m_lastOutputAt;
    return sinceLastOutput >= kHangUpDrainLimit ||
           (sinceLastOutput >= kHangUpSettle && m_terminal.unreadBySlave() == 0);
}

short Simulator::pollEvents(Clock::time_point now) const {
    short events = m_hangUpRequested || stalled() ? 0 : POLLIN;
    if (m_output.hasDuePiece(now) || (m_options.flood && !m_hangUpRequested))
        events |= POLLOUT;
    return events;
}

int Simulator::pollTimeoutMilliseconds(Clock::time_point now) const {
    constexpr int kWaitForEvent = -1;
    if (m_hangUpRequested && m_output.empty())
        return static_cast<int>(kHangUpDrainCheck.count());
    const std::optional<Clock::time_point> nextDue = m_output.nextDueTime();
    // Nothing scheduled, or a due piece waits for POLLOUT: only an event can change anything.
    if (!nextDue || *nextDue <= now)
        return kWaitForEvent;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*nextDue - now).count());
}

bool Simulator::echoing() const {
    return !m_options.silent && m_responder.echoEnabled();
}

}  // namespace linvox::phonesim
