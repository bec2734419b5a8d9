// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace linvox::phonesim {

struct Options {
    std::string linkPath;
    std::string transcriptPath;
    std::string model = "PHONE-SIM 1";
    // What to send in answer to AT+GMM after the echo, byte for byte, instead of the model.
    std::optional<std::string> modelAnswer;
    std::chrono::milliseconds answerDelay{0};
    // Further wait before the answer to a dial command, as a phone that takes long to dial.
    std::chrono::milliseconds dialDelay{0};
    std::optional<unsigned> hangUpAfterCommands;
    bool answerError = false;
    bool silent = false;
    bool splitAnswers = false;
    bool flood = false;
    bool busy = false;
    // Accept nothing until another program has opened and closed the device.
    bool stallUntilClosed = false;
    // Also answer what ModemManager asks of a modem it sets up and calls through.
    bool modemManager = false;
    // With modemManager: fail its voice check, or report no SIM.
    bool noVoice = false;
    bool noSim = false;
};

struct CommandLine {
    enum class Outcome { Run, ShowHelp, Invalid };

    Outcome outcome = Outcome::Run;
    Options options;
    std::string error;
};

CommandLine parseCommandLine(const std::vector<std::string_view>& arguments);

std::string_view usageText();

}  // namespace linvox::phonesim
