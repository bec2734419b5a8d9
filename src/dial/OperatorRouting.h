#pragma once

#include "messages/MessageSink.h"
#include "settings/SettingKeys.h"

#include <array>
#include <optional>
#include <string_view>

#include <QString>

namespace linvox {

class SettingsStore;

enum class OperatorCode : qint16 {
    Refused = 0,  // the number's form was rejected
    Mts = 1,
    Kyivstar = 2,
    Life = 3,
    Beeline = 4,
    Other = 5,
};

// An operator, the three-character prefixes that name it and the key of its port.
struct OperatorRoute {
    OperatorCode code;
    SettingKey portKey;
    std::array<std::string_view, 4> prefixes;
};

// Walked in this order; the first exact prefix match wins, and no match means Other.
inline constexpr std::array<OperatorRoute, 5> kOperatorRoutes{{
    {OperatorCode::Mts, kPortMtsKey, {"050", "066", "095", "099"}},
    {OperatorCode::Kyivstar, kPortKyivstarKey, {"067", "096", "097", "098"}},
    {OperatorCode::Life, kPortLifeKey, {"063", "093"}},
    {OperatorCode::Beeline, kPortBeelineKey, {"068"}},
    {OperatorCode::Other, kPortKey, {}},
}};

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
