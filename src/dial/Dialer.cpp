// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/Dialer.h"

#include "dial/DialString.h"
#include "line/FailureWording.h"
#include "line/LineSequence.h"
#include "settings/SettingsStore.h"

namespace linvox {
namespace {

constexpr int kSecondsForThePhoneToDial = 3;
constexpr char kCarriageReturn = '\r';

Message ModemFailureMessage(const Failure& failure) {
    return {JoinLines({Say(Phrase::ModemConnectionFailed), ModemErrorMessage(failure)}),
            Say(Phrase::ModemTitle), MessageIcon::Critical};
}

}  // namespace

Dialer::Dialer(SerialLine& line, ManagedModems& managed, const SettingsStore& settings,
               MessageSink& messages, Pause& pause)
    : m_line(line),
      m_managed(managed),
      m_settings(settings),
      m_messages(messages),
      m_pause(pause) {}

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
    const Status status = WriteToRoutedPort(dialString, code);
    if (status.ok()) {
        return DialResult::Sent;
    }
    if (status.failedWith(FailureCode::Interrupted)) {
        return DialResult::Interrupted;
    }
    if (showErrors == ShowErrors::Yes) {
        m_messages.Show(ModemFailureMessage(status.failure()));
    }
    return DialResult::Failed;
}

Status Dialer::WriteToRoutedPort(const QString& dialString, OperatorCode code) {
    // Defaults stand in for absent settings only: with settings that exist but cannot be read,
    // the defaults would name a port the user never chose.
    if (const Status usable = m_settings.Usable(); !usable.ok()) {
        return Failure(FailureCode::SettingsNotRead).Because(usable.failure());
    }
    const std::optional<qint16> port = SelectDialPort(code, m_settings);
    if (!port) {
        return Failure(FailureCode::StoredNumberOverflow);
    }
    const Outcome<ManagedCall> managed = m_managed.Dial(*port, NumberOf(dialString));
    if (!managed.ok()) {
        return managed.failure();
    }
    if (managed.value() == ManagedCall::Placed) {
        return Done{};
    }
    const Status status = ReopenAndWrite(m_line, *port, dialString.toLatin1() + kCarriageReturn);
    if (status.ok()) {
        m_pause.LetSecondsPass(kSecondsForThePhoneToDial);
    }
    return status;
}

QString ModemErrorMessage(const Failure& failure) {
    if (const FailureWording* wording = WordingOf(failure.code())) {
        return JoinLines({Say(wording->dialFirstLine), Say(wording->dialSecondLine)});
    }
    return Say(failure);
}

DialResult DialWithOneRetry(Dialer& dialer, const QString& dialString) {
    const DialResult first = dialer.SendDialCommand(dialString, ShowErrors::No);
    if (first != DialResult::Failed) {
        return first;
    }
    return dialer.SendDialCommand(dialString, ShowErrors::Yes);
}

}  // namespace linvox
