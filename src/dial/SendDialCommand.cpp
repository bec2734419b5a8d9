// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/SendDialCommand.h"

#include "dial/DialString.h"
#include "line/FailureWording.h"
#include "line/LineSequence.h"
#include "settings/SettingsStore.h"

namespace linvox {
namespace {

constexpr int kSecondsForThePhoneToDial = 3;
constexpr char kCarriageReturn = '\r';
const QString kLineBreak = QStringLiteral("\r\n");

Message ModemFailureMessage(const LineStatus& status) {
    return {Say(Phrase::ModemConnectionFailed) + kLineBreak + ModemErrorMessage(status),
            Say(Phrase::ModemTitle), MessageIcon::Critical};
}

}  // namespace

Dialer::Dialer(SerialLine& line, const SettingsStore& settings, MessageSink& messages, Pause& pause)
    : m_line(line), m_settings(settings), m_messages(messages), m_pause(pause) {}

DialResult Dialer::SendDialCommand(const QString& dialString, ShowErrors showErrors) {
    if (!HoldsPlainNumber(dialString)) {
        m_messages.Show(WrongNumberFormMessage());
        return DialResult::Refused;
    }
    QString routedCopy = dialString;
    const OperatorCode code = GetOperator(routedCopy, m_messages);
    if (code == OperatorCode::Refused) {
        return DialResult::Refused;
    }
    const LineStatus status = WriteToRoutedPort(dialString, code);
    if (status.done()) {
        return DialResult::Sent;
    }
    if (showErrors == ShowErrors::Yes) {
        m_messages.Show(ModemFailureMessage(status));
    }
    return DialResult::Failed;
}

LineStatus Dialer::WriteToRoutedPort(const QString& dialString, OperatorCode code) {
    // Defaults stand in for absent settings only: with settings that exist but cannot be read,
    // the defaults would name a port the user never chose.
    if (const QString unusable = m_settings.UnusableReason(); !unusable.isEmpty()) {
        return LineStatus::UnreadableSettings(unusable);
    }
    const std::optional<qint16> port = SelectDialPort(code, m_settings);
    if (!port) {
        return LineStatus::StoredNumberOverflow();
    }
    const LineStatus status =
        ReopenAndWrite(m_line, *port, dialString.toLatin1() + kCarriageReturn);
    if (status.done()) {
        m_pause.LetSecondsPass(kSecondsForThePhoneToDial);
    }
    return status;
}

QString ModemErrorMessage(const LineStatus& status) {
    if (const FailureWording* wording = WordingOf(status.failure())) {
        return Say(wording->dialFirstLine) + kLineBreak + Say(wording->dialSecondLine);
    }
    return status.description();
}

DialResult DialWithOneRetry(Dialer& dialer, const QString& dialString) {
    const DialResult first = dialer.SendDialCommand(dialString, ShowErrors::No);
    if (first != DialResult::Failed) {
        return first;
    }
    return dialer.SendDialCommand(dialString, ShowErrors::Yes);
}

}  // namespace linvox
