// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"

#include "EscapedBytes.h"

#include <charconv>
#include <functional>
#include <map>

namespace linvox::phonesim {
namespace {

constexpr std::chrono::milliseconds kLongestAnswerDelay = std::chrono::hours(1);

std::optional<unsigned> parseCount(std::string_view text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [position, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || position != end)
        return std::nullopt;
    return value;
}

using ValueSetter = std::function<bool(Options&, std::string_view)>;
using FlagSetter = std::function<void(Options&)>;

// Sets a delay given in milliseconds, up to the longest answer delay.
ValueSetter delaySetter(std::chrono::milliseconds Options::*delay) {
    return [delay](Options& options, std::string_view value) {
        const auto milliseconds = parseCount(value);
        if (!milliseconds || std::chrono::milliseconds(*milliseconds) > kLongestAnswerDelay)
            return false;
        options.*delay = std::chrono::milliseconds(*milliseconds);
        return true;
    };
}

const std::map<std::string_view, ValueSetter>& valueOptions() {
    static const std::map<std::string_view, ValueSetter> setters = {
        {"--link",
         [](Options& options, std::string_view value) {
             options.linkPath = value;
             return !value.empty();
         }},
        {"--transcript",
         [](Options& options, std::string_view value) {
             options.transcriptPath = value;
             return !value.empty();
         }},
        {"--model",
         [](Options& options, std::string_view value) {
             options.model = value;
             return true;
         }},
        {"--model-answer",
         [](Options& options, std::string_view value) {
             options.modelAnswer = unescapeBytes(value);
             return options.modelAnswer.has_value();
         }},
        {"--delay", delaySetter(&Options::answerDelay)},
        {"--dial-delay", delaySetter(&Options::dialDelay)},
        {"--hang-up-after",
         [](Options& options, std::string_view value) {
             options.hangUpAfterCommands = parseCount(value);
             return options.hangUpAfterCommands.has_value();
         }},
    };
    return setters;
}

const std::map<std::string_view, FlagSetter>& flagOptions() {
    static const std::map<std::string_view, FlagSetter> setters = {
        {"--error", [](Options& options) { options.answerError = true; }},
        {"--silent", [](Options& options) { options.silent = true; }},
        {"--split", [](Options& options) { options.splitAnswers = true; }},
        {"--flood", [](Options& options) { options.flood = true; }},
        {"--busy", [](Options& options) { options.busy = true; }},
        {"--stall-until-closed", [](Options& options) { options.stallUntilClosed = true; }},
        {"--modem-manager", [](Options& options) { options.modemManager = true; }},
        {"--no-voice", [](Options& options) { options.noVoice = true; }},
        {"--no-sim", [](Options& options) { options.noSim = true; }},
    };
    return setters;
}

CommandLine invalid(std::string error) {
    CommandLine commandLine;
    commandLine.outcome = CommandLine::Outcome::Invalid;
    commandLine.error = std::move(error);
    return commandLine;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string_view>& arguments) {
    CommandLine commandLine;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string_view argument = arguments[index];
        if (argument == "--help" || argument == "-h") {
            commandLine.outcome = CommandLine::Outcome::ShowHelp;
            return commandLine;
        }
        if (const auto flag = flagOptions().find(argument); flag != flagOptions().end()) {
            flag->second(commandLine.options);
            continue;
        }
        const auto option = valueOptions().find(argument);
        if (option == valueOptions().end())
            return invalid("unknown option " + std::string(argument));
        if (index + 1 == arguments.size())
            return invalid(std::string(argument) + " needs a value");
        const std::string_view value = arguments[++index];
        if (!option->second(commandLine.options, value))
            return invalid("bad value for " + std::string(argument) + ": " + std::string(value));
    }
    // Without --modem-manager nothing answers those commands, so the variant would go unseen.
    const Options& options = commandLine.options;
    if ((options.noVoice || options.noSim) && !options.modemManager)
        return invalid(std::string(options.noVoice ? "--no-voice" : "--no-sim") +
                       " needs --modem-manager");
    return commandLine;
}

std::string_view usageText() {
    return "usage: phone-sim [options]\n"
           "Simulates a phone on a pseudo-terminal. Prints the device path as the first\n"
           "line on stdout, then one line per received command: <CLOCK_MONOTONIC ns> <text>.\n"
           "\n"
           "  --link PATH           also create a symlink PATH to the device (removed on exit)\n"
           "  --transcript PATH     append every received byte to PATH\n"
           "  --model TEXT          answer to AT+GMM (default \"PHONE-SIM 1\")\n"
           "  --model-answer BYTES  answer to AT+GMM with exactly BYTES after the echo, in\n"
           "                        place of CR LF TEXT CR LF CR LF OK CR LF; BYTES may hold\n"
           "                        \\r, \\n, \\t, \\\\ and \\xHH (two hexadecimal digits)\n"
           "  --error               answer ERROR to every command\n"
           "  --silent              never answer or echo\n"
           "  --delay MS            wait MS milliseconds before each answer\n"
           "  --dial-delay MS       wait MS milliseconds more before answering a dial command\n"
           "  --split               send answers in small pieces with pauses between them\n"
           "  --flood               write text continuously as fast as the device accepts it\n"
           "  --hang-up-after N     close the device and exit after N answered commands\n"
           "                        (0: as soon as the first byte arrives)\n"
           "  --busy                hold the device open with TIOCEXCL and an exclusive flock\n"
           "  --stall-until-closed  accept no bytes, so that writes to the device block, until\n"
           "                        another program has closed it\n"
           "  --modem-manager       also answer the commands with which ModemManager's\n"
           "                        generic plugin sets up a registered GSM modem with\n"
           "                        voice calls; AT+CGMM answers like AT+GMM\n"
           "  --no-voice            with --modem-manager: fail its voice check (ATH)\n"
           "  --no-sim              with --modem-manager: answer AT+CPIN? with SIM not\n"
           "                        inserted, so that the modem fails\n"
           "  --help                show this text\n";
}

}  // namespace linvox::phonesim
