// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminationSignals.h"

#include "SystemError.h"

#include <array>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace linvox::phonesim {
namespace {

volatile sig_atomic_t g_signalWriteEnd = -1;

constexpr std::array kTerminationSignals = {SIGTERM, SIGINT, SIGHUP};

extern "C" void notifyTermination(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_signalWriteEnd, &byte, 1);
    errno = savedErrno;
}

void makeNonBlocking(int descriptor) {
    const int flags = fcntl(descriptor, F_GETFL);
    if (flags < 0 || fcntl(descriptor, F_SETFL, flags | O_NONBLOCK) != 0)
        throwSystemError("fcntl on signal pipe");
}

}  // namespace

TerminationSignals::TerminationSignals() {
    std::array<int, 2> ends{};
    if (pipe(ends.data()) != 0)
        throwSystemError("pipe");
    m_readEnd = FileDescriptor(ends[0]);
    m_writeEnd = FileDescriptor(ends[1]);
    makeNonBlocking(ends[0]);
    makeNonBlocking(ends[1]);
    g_signalWriteEnd = ends[1];

    struct sigaction action {};
    action.sa_handler = notifyTermination;
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : kTerminationSignals)
        sigaction(signalNumber, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

TerminationSignals::~TerminationSignals() {
    for (const int signalNumber : kTerminationSignals)
        signal(signalNumber, SIG_DFL);
    g_signalWriteEnd = -1;
}

}  // namespace linvox::phonesim
