// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dial/Dialer.h"
#include "messages/MessageSink.h"
#include "modems/ProbeOutcome.h"

#include <ostream>

#include <QString>

// Lets GoogleTest print Qt texts and messages readably in failure reports.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text << '"';
}

namespace linvox {
enum class OperatorCode : qint16;

inline void PrintTo(OperatorCode code, std::ostream* out) {
    *out << "operator " << static_cast<int>(code);
}

inline void PrintTo(DialResult result, std::ostream* out) {
    *out << (result == DialResult::Sent          ? "sent"
             : result == DialResult::Failed      ? "failed"
             : result == DialResult::Interrupted ? "interrupted"
                                                 : "refused");
}

inline void PrintTo(const Failure& failure, std::ostream* out) {
    *out << "{code " << static_cast<int>(failure.code()) << ", \"" << Say(failure) << "\"}";
}

template <typename Value>
void PrintTo(const Outcome<Value>& outcome, std::ostream* out) {
    if (outcome.ok()) {
        *out << "ok";
    } else {
        PrintTo(outcome.failure(), out);
    }
}

inline void PrintTo(const ProbeOutcome& outcome, std::ostream* out) {
    *out << "{kind " << static_cast<int>(outcome.kind()) << ", \"" << ProbeResultText(outcome)
         << "\"}";
}

inline void PrintTo(const Message& message, std::ostream* out) {
    *out << "{\"" << message.text.toStdString() << "\", \"" << message.title.toStdString() << "\", "
         << (message.icon == MessageIcon::Critical ? "critical" : "no icon") << '}';
}
}  // namespace linvox
