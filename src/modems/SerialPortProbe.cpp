// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/SerialPortProbe.h"

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

SerialPortProbe::SerialPortProbe(SerialLine& line, ManagedModems& managed,
                                 ModemInventory& inventory)
    : m_line(line), m_managed(managed), m_inventory(inventory) {}

ProbeOutcome SerialPortProbe::ProbePort(const QString& command, qint16 portNumber) {
    const Outcome<std::optional<ManagedModem>> managed = m_managed.ModemOn(portNumber);
    if (!managed.ok()) {
        return ProbeOutcome::Failed(managed.failure());
    }
    if (managed.value()) {
        const QString model = CleanAnswer(managed.value()->model.toUtf8(), QString());
        return model.isEmpty() ? ListedNameOr(portNumber, ProbeOutcome::NoData())
                               : ProbeOutcome::Answered(model);
    }
    Answer answer;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const Status asked = Ask(portNumber, command);
        if (!asked.ok()) {
            return ProbeOutcome::Failed(asked.failure());
        }
        if (!m_line.AwaitInput(QDeadlineTimer(kFirstBytePolls * kPollTime))) {
            return ListedNameOr(portNumber, ProbeOutcome::NoModem());
        }
        GatherAnswer(answer);
        const QByteArray received = answer.gathered.first(answer.cleanedLength);
        // A device that reports of its own accord (its signal, a call ringing in) has not
        // answered, just as one that sends nothing.
        if (HoldsOnlyUnsolicitedCodes(received)) {
            return ListedNameOr(portNumber, ProbeOutcome::NoModem());
        }
        const QString cleaned = CleanAnswer(received, command);
        if (!cleaned.isEmpty()) {
            return ProbeOutcome::Answered(cleaned);
        }
    }
    return ListedNameOr(portNumber, ProbeOutcome::NoData());
}

Status SerialPortProbe::Ask(qint16 portNumber, const QString& command) {
    if (Status status = Reopen(m_line, portNumber); !status.ok()) {
        return status;
    }
    // What the device sent before is discarded before the command is written, not after: a
    // device that answers at once would otherwise lose its answer to the discard.
    if (Status status = m_line.ClearInBuffer(); !status.ok()) {
        return status;
    }
    return command.isEmpty() ? Status(Done{}) : m_line.Output(command.toUtf8() + kCarriageReturn);
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

ProbeOutcome SerialPortProbe::ListedNameOr(qint16 portNumber, const ProbeOutcome& unlisted) {
    const Outcome<std::optional<QString>> listed = m_inventory.ModemNameForPort(portNumber);
    if (!listed.ok()) {
        return ProbeOutcome::Failed(listed.failure());
    }
    return listed.value() ? ProbeOutcome::ListedModem(*listed.value()) : unlisted;
}

}  // namespace linvox
