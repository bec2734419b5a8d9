// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <string>

namespace linvox::phonesim {

// What the modem lacks when the phone stands in for one that ModemManager manages.
struct ModemManagerProfile {
    bool voice = true;
    bool sim = true;
};

// Complete answers, keyed by the command's text after "AT" in upper case.
using AnswerTable = std::map<std::string, std::string, std::less<>>;

// The answers with which ModemManager's generic plugin sets the modem up, enables it and
// sees it registered; modelAnswer answers AT+CGMM, which becomes the modem's Model property.
AnswerTable modemManagerAnswers(const std::string& modelAnswer, ModemManagerProfile profile);

}  // namespace linvox::phonesim
