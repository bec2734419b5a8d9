// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ModemManagerAnswers.h"

#include <optional>
#include <string>
#include <string_view>

namespace linvox::phonesim {

// Answers command lines the way a phone's modem does, in verbose result form.
class ModemResponder {
public:
    // modelAnswer, when given, is the whole answer to AT+GMM in place of model's; with
    // modemManager it answers also what ModemManager asks, AT+CGMM like AT+GMM.
    ModemResponder(const std::string& model, std::optional<std::string> modelAnswer,
                   bool answerError, std::optional<ModemManagerProfile> modemManager = {});

    // The complete answer to send; may switch echo on or off.
    std::string answer(std::string_view command);

    bool echoEnabled() const { return m_echoEnabled; }

private:
    std::string m_modelAnswer;
    AnswerTable m_moreAnswers;
    bool m_answerError;
    bool m_echoEnabled = true;
};

}  // namespace linvox::phonesim
