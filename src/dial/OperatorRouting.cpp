// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/OperatorRouting.h"

#include "messages/Phrases.h"
#include "settings/SettingsStore.h"

#include <algorithm>

namespace linvox {
namespace {

constexpr qsizetype kNationalLength = 10;
constexpr qsizetype kInternationalLength = 12;

OperatorCode OperatorOfPrefix(QStringView prefix) {
    for (const Operator& route : kOperators) {
        const bool matches = std::any_of(
            route.prefixes.begin(), route.prefixes.end(), [&](std::string_view candidate) {
                return !candidate.empty() &&
                       prefix == QLatin1StringView(candidate.data(), candidate.size());
            });
        if (matches) {
            return route.code;
        }
    }
    return OperatorCode::Other;
}

const Operator* RouteOf(OperatorCode code) {
    const auto route = std::find_if(kOperators.begin(), kOperators.end(),
                                    [&](const Operator& r) { return r.code == code; });
    return route == kOperators.end() ? nullptr : &*route;
}

}  // namespace

Message WrongNumberFormMessage() {
    return {Say(Phrase::WrongNumberForm), Say(Phrase::NumberCheckTitle), MessageIcon::Critical};
}

OperatorCode GetOperator(QString& text, MessageSink& messages) {
    text.remove(u'+');
    text.remove(QStringLiteral("ATD"));
    text.remove(u';');
    switch (text.size()) {
        case kNationalLength:
            return OperatorOfPrefix(QStringView(text).mid(0, 3));
        case kInternationalLength:
            return OperatorOfPrefix(QStringView(text).mid(2, 3));
        default:
            messages.Show(WrongNumberFormMessage());
            return OperatorCode::Refused;
    }
}

std::optional<qint16> GetOperatorPort(OperatorCode code, const SettingsStore& settings) {
    const Operator* route = RouteOf(code);
    return route ? settings.Read(route->port) : std::nullopt;
}

std::optional<qint16> SelectDialPort(OperatorCode code, const SettingsStore& settings) {
    if (settings.Read(kPhoneMode) == PhoneMode::Single) {
        return settings.Read(kPortForOthers);
    }
    return GetOperatorPort(code, settings);
}

}  // namespace linvox
