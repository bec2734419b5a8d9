#include "modems/PortProbe.h"

#include "dial/LineSequence.h"
#include "modems/AnswerCleaning.h"

namespace linvox {
namespace {

constexpr char kCarriageReturn = '\r';

struct ErrorWording {
    LineFailure failure;
    QString text;
};

const ErrorWording kErrorWordings[] = {
    {LineFailure::InvalidPortNumber, QStringLiteral("Неверный порт")},
    {LineFailure::DeviceNotOpen, QStringLiteral("Не удаётся подключиться")},
    {LineFailure::PortAlreadyOpen, QStringLiteral("Порт модема используется другой программой")},
};

QByteArray CommandBytes(const QString& command) {
    return command.isEmpty() ? QByteArray() : command.toUtf8() + kCarriageReturn;
}

void AppendKept(QByteArray& gathered, const QByteArray& bytes) {
    const qsizetype room = SerialPortProbe::kKeptAnswerBytes - gathered.size();
    gathered.append(bytes.first(std::min(room, bytes.size())));
}

}  // namespace

SerialPortProbe::SerialPortProbe(SerialLine& line, ModemInventory& inventory)
    : m_line(line), m_inventory(inventory) {}

QString SerialPortProbe::ProbePort(const QString& command, qint16 portNumber, qint16 report) {
    const bool reporting = report == kReportMode;
    Answer answer;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const LineStatus opened = ReopenAndWrite(m_line, portNumber, CommandBytes(command));
        if (!opened.done()) {
            return reporting ? ProbeErrorText(opened) : kProbeFailed;
        }
        if (!m_line.AwaitInput(QDeadlineTimer(kFirstBytePolls * kPollTime))) {
            return ListedNameOr(portNumber, reporting ? kUnknownDevice : kProbeFailed, reporting);
        }
        GatherAnswer(answer);
        const QString cleaned = CleanAnswer(answer.gathered.first(answer.cleanedLength), command);
        if (!cleaned.isEmpty()) {
            return cleaned;
        }
    }
    return ListedNameOr(portNumber, kNoAnswerData, reporting);
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

QString SerialPortProbe::ListedNameOr(qint16 portNumber, const QString& unlisted, bool reporting) {
    const InventoryAnswer<QString> listed = m_inventory.ModemNameForPort(portNumber);
    if (listed.failed()) {
        return reporting ? ProbeErrorText(LineStatus::Failed(listed.failure)) : kProbeFailed;
    }
    return listed.value == kNoModemListed ? unlisted : listed.value;
}

QString ProbeErrorText(const LineStatus& failure) {
    for (const ErrorWording& wording : kErrorWordings) {
        if (failure.failure() == wording.failure) {
            return wording.text;
        }
    }
    return failure.description();
}

}  // namespace linvox
