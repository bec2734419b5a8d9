// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdlib>

#include <QCoreApplication>

namespace linvox::bench {

// Runs a benchmark's main function with the number of runs its command line asks for (at least
// one), or defaultRuns, inside the Qt application object that serial lines and settings need.
inline int RunBenchmark(int argc, char* argv[], int defaultRuns, int (*main)(int runs)) {
    QCoreApplication application(argc, argv);
    return main(argc > 1 ? std::max(1, std::atoi(argv[1])) : defaultRuns);
}

}  // namespace linvox::bench
