// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dial/OperatorRouting.h"
#include "line/ManagedModems.h"
#include "line/Pause.h"
#include "line/SerialLine.h"
#include "messages/MessageSink.h"

#include <QString>

namespace linvox {

class SettingsStore;

// What SendDialCommand came to: the routine's "OK", "ERROR" and empty text.
enum class DialResult {
    Sent,     // the command was written and the wait is over
    Failed,   // the settings, the line or the write failed
    Refused,  // the number's form was refused, and the user told so
    // The program was asked to end before the command went out: nothing was sent, and the user,
    // who asked, needs no telling.
    Interrupted,
};

// Whether SendDialCommand tells the user of a failure. The flag that asks for it was a 16-bit
// number of which only exactly 1 counted; the callers only ever asked with 0 or 1.
enum class ShowErrors { No, Yes };

// Places calls: routes a dial string to its port, writes it with a CR and lets three seconds
// pass before returning. The phone's answer is not read. A port whose modem another program
// manages is never written to: the call goes through that program.
class Dialer {
public:
    Dialer(SerialLine& line, ManagedModems& managed, const SettingsStore& settings,
           MessageSink& messages, Pause& pause);

    // Returns Sent once the command is written and the wait is over; Refused when the number's
    // form is refused (the user has been told, whatever showErrors says, and the line is
    // untouched); Failed when routing's settings, the line or the write fail, showing the failure
    // titled "Модем" when showErrors says so; Interrupted, silently, when the program is ending
    // before the command went out. The caller's text is not changed.
    DialResult SendDialCommand(const QString& dialString, ShowErrors showErrors);

private:
    Status WriteToRoutedPort(const QString& dialString, OperatorCode code);

    SerialLine& m_line;
    ManagedModems& m_managed;
    const SettingsStore& m_settings;
    MessageSink& m_messages;
    Pause& m_pause;
};

// The lines that tell the user what a serial line failure means: the dial routine's wording of
// the three usual kinds, and the failure's own words for any other.
QString ModemErrorMessage(const Failure& failure);

// Dials once silently and, only when that fails, once more showing the failure, so a lasting
// failure is reported exactly once and a passing one not at all. Returns the result of the last
// attempt.
DialResult DialWithOneRetry(Dialer& dialer, const QString& dialString);

}  // namespace linvox
