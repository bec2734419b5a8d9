// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include <csignal>

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // A file-size limit must refuse a settings save like a full disk, not end the program with
    // its lock file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    return linvox::RunLinvox(argc, argv);
}
