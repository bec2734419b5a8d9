// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the start-up benchmark: the least a program can do to put a dial string on a
// serial line, with nothing to read, route or show.
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("usage: open-and-write <device> <text>\n", stderr);
        return 2;
    }
    const int device = ::open(argv[1], O_RDWR | O_NOCTTY);
    if (device < 0) {
        std::perror(argv[1]);
        return 1;
    }
    const std::size_t length = std::strlen(argv[2]);
    const bool written = ::write(device, argv[2], length) == static_cast<ssize_t>(length) &&
                         ::write(device, "\r", 1) == 1;
    ::close(device);
    return written ? 0 : 1;
}
