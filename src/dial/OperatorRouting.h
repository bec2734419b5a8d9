// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dial/Operators.h"
#include "messages/MessageSink.h"

#include <optional>

#include <QString>

namespace linvox {

class SettingsStore;

// The message for a number whose form is refused.
Message WrongNumberFormMessage();

// Strips every "+", then "ATD", then ";" from text itself (callers pass a copy), and gives the
// operator of the prefix: characters 1-3 of a 10-character number, 3-5 of a 12-character one.
// Any other length shows WrongNumberFormMessage and gives Refused.
OperatorCode GetOperator(QString& text, MessageSink& messages);

// The stored port of an operator; nothing for Refused or when the stored text overflows 16 bits.
std::optional<qint16> GetOperatorPort(OperatorCode code, const SettingsStore& settings);

// The port for a call to an operator: the one port of key "port" in single-phone mode, the
// operator's own port otherwise. Nothing when the stored text overflows 16 bits.
std::optional<qint16> SelectDialPort(OperatorCode code, const SettingsStore& settings);

}  // namespace linvox
