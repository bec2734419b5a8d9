// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModemResponder.h"

#include <algorithm>
#include <cctype>

namespace linvox::phonesim {
namespace {

bool equalsIgnoringCase(std::string_view text, std::string_view expected) {
    return std::ranges::equal(text, expected, [](char left, char right) {
        return std::toupper(static_cast<unsigned char>(left)) ==
               std::toupper(static_cast<unsigned char>(right));
    });
}

std::string verbose(std::string_view text) {
    return "\r\n" + std::string(text) + "\r\n";
}

std::string upperCase(std::string_view text) {
    std::string upper(text);
    std::ranges::transform(upper, upper.begin(), [](char character) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
    });
    return upper;
}

}  // namespace

ModemResponder::ModemResponder(const std::string& model, std::optional<std::string> modelAnswer,
                               bool answerError, std::optional<ModemManagerProfile> modemManager)
    : m_modelAnswer(modelAnswer ? std::move(*modelAnswer) : verbose(model) + verbose("OK")),
      m_answerError(answerError) {
    if (modemManager)
        m_moreAnswers = modemManagerAnswers(m_modelAnswer, *modemManager);
}

std::string ModemResponder::answer(std::string_view command) {
    const std::string ok = verbose("OK");
    const std::string error = verbose("ERROR");
    if (m_answerError || command.size() < 2 || !equalsIgnoringCase(command.substr(0, 2), "AT"))
        return error;

    const std::string_view body = command.substr(2);
    if (body.empty())
        return ok;
    if (equalsIgnoringCase(body, "E0") || equalsIgnoringCase(body, "E1")) {
        m_echoEnabled = body.back() == '1';
        return ok;
    }
    if (equalsIgnoringCase(body, "+GMM"))
        return m_modelAnswer;
    if (equalsIgnoringCase(body.substr(0, 1), "D") && body.ends_with(';'))
        return ok;
    if (const auto found = m_moreAnswers.find(upperCase(body)); found != m_moreAnswers.end())
        return found->second;
    return error;
}

}  // namespace linvox::phonesim
