// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"
#include "platform/process/TerminationSignals.h"

#include <csignal>

int main(int argc, char* argv[]) {
    // Before anything else: a logout or a kill that comes early must not let a dial go out.
    linvox::CatchTerminationSignals();
#ifdef SIGXFSZ
    // A file-size limit must refuse a settings save like a full disk, not end the program with
    // its lock file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    return linvox::RunLinvox(argc, argv);
}
