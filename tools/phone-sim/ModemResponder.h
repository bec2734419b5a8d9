// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace linvox::phonesim {

// Answers command lines the way a phone's modem does, in verbose result form.
class ModemResponder {
public:
    ModemResponder(std::string model, bool answerError);

    // The complete answer to send; may switch echo on or off.
    std::string answer(std::string_view command);

    bool echoEnabled() const { return m_echoEnabled; }

private:
    std::string m_model;
    bool m_answerError;
    bool m_echoEnabled = true;
};

}  // namespace linvox::phonesim
