// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"
#include "Simulator.h"

#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    using linvox::phonesim::CommandLine;
    constexpr int kUsageExitStatus = 2;
    constexpr int kFailureExitStatus = 1;

    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const CommandLine commandLine = linvox::phonesim::parseCommandLine(arguments);
    const std::string usage(linvox::phonesim::usageText());
    switch (commandLine.outcome) {
        case CommandLine::Outcome::ShowHelp:
            std::fputs(usage.c_str(), stdout);
            return 0;
        case CommandLine::Outcome::Invalid:
            std::fprintf(stderr, "phone-sim: %s\n%s", commandLine.error.c_str(), usage.c_str());
            return kUsageExitStatus;
        case CommandLine::Outcome::Run:
            break;
    }

    try {
        linvox::phonesim::Simulator simulator(commandLine.options);
        simulator.run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "phone-sim: %s\n", error.what());
        return kFailureExitStatus;
    }
    return 0;
}
