#pragma once

#include "dial/OperatorRouting.h"
#include "line/Pause.h"
#include "line/SerialLine.h"
#include "messages/MessageSink.h"

#include <QString>

namespace linvox {

class SettingsStore;

// Results of SendDialCommand.
inline const QString kDialSent = QStringLiteral("OK");
inline const QString kDialFailed = QStringLiteral("ERROR");
inline const QString kDialRefused;

// Show-errors flags: only exactly kShowErrors shows a failure.
inline constexpr qint16 kSilent = 0;
inline constexpr qint16 kShowErrors = 1;

// Places calls: routes a dial string to its port, writes it with a CR and lets three seconds
// pass before returning. The phone's answer is not read.
class Dialer {
public:
    Dialer(SerialLine& line, const SettingsStore& settings, MessageSink& messages, Pause& pause);

    // Returns kDialSent once the command is written and the wait is over; kDialRefused when the
    // number's form is refused (the user has been told, whatever showErrors says, and the line
    // is untouched); kDialFailed when routing's settings, the line or the write fail, showing the
    // failure titled "Модем" when showErrors is kShowErrors. The caller's text is not changed.
    QString SendDialCommand(const QString& dialString, qint16 showErrors);

private:
    LineStatus WriteToRoutedPort(const QString& dialString, OperatorCode code);

    SerialLine& m_line;
    const SettingsStore& m_settings;
    MessageSink& m_messages;
    Pause& m_pause;
};

// The lines that tell the user what a serial line failure means: the dial routine's wording of
// the three usual kinds, and the failure's own description for any other.
QString ModemErrorMessage(const LineStatus& status);

// Dials once silently and, only when that fails with kDialFailed, once more showing the failure,
// so a lasting failure is reported exactly once and a passing one not at all. Returns the
// result of the last attempt.
QString DialWithOneRetry(Dialer& dialer, const QString& dialString);

}  // namespace linvox
