// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/PortProbe.h"

#include "line/FailureWording.h"
#include "line/LineSequence.h"
#include "modems/AnswerCleaning.h"

namespace linvox {
namespace {

constexpr char kCarriageReturn = '\r';

void AppendKept(QByteArray& gathered, const QByteArray& bytes) {
    const qsizetype room = SerialPortProbe::kKeptAnswerBytes - gathered.size();
    gathered.append(bytes.first(std::min(room, bytes.size())));
}

}  // namespace

SerialPortProbe::SerialPortProbe(SerialLine& line, ModemInventory& inventory)
    : m_line(line), m_inventory(inventory) {}

ProbeOutcome SerialPortProbe::ProbePort(const QString& command, qint16 portNumber, ProbeMode mode) {
    Answer answer;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const LineStatus asked = Ask(portNumber, command);
        if (!asked.done()) {
            return ProbeOutcome::Failed(mode, ProbeErrorText(asked));
        }
        if (!m_line.AwaitInput(QDeadlineTimer(kFirstBytePolls * kPollTime))) {
            return ListedNameOr(portNumber, ProbeOutcome::NoModem(mode), mode);
        }
        GatherAnswer(answer);
        const QByteArray received = answer.gathered.first(answer.cleanedLength);
        // A device that reports of its own accord (its signal, a call ringing in) has not
        // answered, just as one that sends nothing.
        if (HoldsOnlyUnsolicitedCodes(received)) {
            return ListedNameOr(portNumber, ProbeOutcome::NoModem(mode), mode);
        }
        const QString cleaned = CleanAnswer(received, command);
        if (!cleaned.isEmpty()) {
            return ProbeOutcome::Answered(cleaned);
        }
    }
    return ListedNameOr(portNumber, ProbeOutcome::NoData(), mode);
}

LineStatus SerialPortProbe::Ask(qint16 portNumber, const QString& command) {
    if (LineStatus status = Reopen(m_line, portNumber); !status.done()) {
        return status;
    }
    // What the device sent before is discarded before the command is written, not after: a
    // device that answers at once would otherwise lose its answer to the discard.
    if (LineStatus status = m_line.ClearInBuffer(); !status.done()) {
        return status;
    }
    return command.isEmpty() ? LineStatus::Done()
                             : m_line.Output(command.toUtf8() + kCarriageReturn);
}

void SerialPortProbe::GatherAnswer(Answer& answer) {
    // Cleaning once at the end sees what cleaning after every read would have seen last, and
    // costs the same for a flood as for a model name.
    const QDeadlineTimer readsEnd(kReads * kReadTime);
    do {
        AppendKept(answer.gathered, m_line.Input());
        answer.cleanedLength = answer.gathered.size();
    } while (m_line.WaitForMoreInput(readsEnd));
    AppendKept(answer.gathered, m_line.Input());
}

ProbeOutcome SerialPortProbe::ListedNameOr(qint16 portNumber, const ProbeOutcome& unlisted,
                                           ProbeMode mode) {
    const InventoryAnswer<std::optional<QString>> listed = m_inventory.ModemNameForPort(portNumber);
    if (listed.failed()) {
        // Reported as the list's own description.
        return ProbeOutcome::Failed(mode, listed.failure);
    }
    return listed.value ? ProbeOutcome::ListedModem(*listed.value) : unlisted;
}

QString ProbeErrorText(const LineStatus& failure) {
    if (const FailureWording* wording = WordingOf(failure.failure())) {
        return Say(wording->probeText);
    }
    return failure.description();
}

}  // namespace linvox
