#include "dial/SendDialCommand.h"

#include "dial/DialString.h"
#include "line/LineSequence.h"
#include "settings/SettingsStore.h"
#include "settings/StoredNumber.h"

namespace linvox {
namespace {

constexpr int kSecondsForThePhoneToDial = 3;
constexpr char kCarriageReturn = '\r';
const QString kLineBreak = QStringLiteral("\r\n");

struct FailureWording {
    LineFailure failure;
    QString firstLine;
    QString secondLine;
};

const FailureWording kFailureWordings[] = {
    {LineFailure::InvalidPortNumber,
     QStringLiteral("Неправильно указан порт модема для этого оператора!"),
     QStringLiteral("Измените настройки!")},
    {LineFailure::DeviceNotOpen, QStringLiteral("Не удаётся подключиться к модему!"),
     QStringLiteral("Возможно Ваш телефон отключен.")},
    {LineFailure::PortAlreadyOpen, QStringLiteral("Не удаётся подключиться к модему!"),
     QStringLiteral("Порт модема используется другой программой.")},
};

Message ModemFailureMessage(const LineStatus& status) {
    return {QStringLiteral("Ошибка соединения с модемом:") + kLineBreak + ModemErrorMessage(status),
            QStringLiteral("Модем"), MessageIcon::Critical};
}

}  // namespace

Dialer::Dialer(SerialLine& line, const SettingsStore& settings, MessageSink& messages, Pause& pause)
    : m_line(line), m_settings(settings), m_messages(messages), m_pause(pause) {}

QString Dialer::SendDialCommand(const QString& dialString, qint16 showErrors) {
    if (!HoldsPlainNumber(dialString)) {
        m_messages.Show(WrongNumberFormMessage());
        return kDialRefused;
    }
    QString routedCopy = dialString;
    const OperatorCode code = GetOperator(routedCopy, m_messages);
    if (code == OperatorCode::Refused) {
        return kDialRefused;
    }
    const LineStatus status = WriteToRoutedPort(dialString, code);
    if (status.done()) {
        return kDialSent;
    }
    if (showErrors == kShowErrors) {
        m_messages.Show(ModemFailureMessage(status));
    }
    return kDialFailed;
}

LineStatus Dialer::WriteToRoutedPort(const QString& dialString, OperatorCode code) {
    // Defaults stand in for absent settings only: with settings that exist but cannot be read,
    // the defaults would name a port the user never chose.
    if (const QString unusable = m_settings.UnusableReason(); !unusable.isEmpty()) {
        return LineStatus::Failed(UnreadSettingsText(unusable));
    }
    const std::optional<qint16> port = SelectDialPort(code, m_settings);
    if (!port) {
        return LineStatus::Failed(QString::fromLatin1(kOverflowDescription));
    }
    const LineStatus status =
        ReopenAndWrite(m_line, *port, dialString.toLatin1() + kCarriageReturn);
    if (status.done()) {
        m_pause.LetSecondsPass(kSecondsForThePhoneToDial);
    }
    return status;
}

QString ModemErrorMessage(const LineStatus& status) {
    for (const FailureWording& wording : kFailureWordings) {
        if (status.failure() == wording.failure) {
            return wording.firstLine + kLineBreak + wording.secondLine;
        }
    }
    return status.description();
}

QString DialWithOneRetry(Dialer& dialer, const QString& dialString) {
    const QString first = dialer.SendDialCommand(dialString, kSilent);
    if (first != kDialFailed) {
        return first;
    }
    return dialer.SendDialCommand(dialString, kShowErrors);
}

}  // namespace linvox
