// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TerminationSignals.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>

namespace linvox {
namespace {

constexpr std::array kTerminationSignals = {SIGTERM, SIGHUP, SIGINT};

// A signal handler can safely do little more than write to a pipe: it writes a byte to this one,
// and the event loop, woken by it, ends the program.
int g_signalReadEnd = -1;
volatile sig_atomic_t g_signalWriteEnd = -1;

extern "C" void NoteTerminationSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalWriteEnd, &byte, 1);
    errno = savedErrno;
}

// Neither end blocks, nor passes to the programs that Linvox starts (a browser).
bool MakeSignalPipe(int (&ends)[2]) {
    if (::pipe(ends) != 0) {
        return false;
    }
    for (const int end : ends) {
        if (::fcntl(end, F_SETFD, FD_CLOEXEC) != 0 ||
            ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK) != 0) {
            return false;
        }
    }
    return true;
}

// Whether the signals now reach the pipe.
bool CatchTerminationSignals() {
    int ends[2];
    if (!MakeSignalPipe(ends)) {
        return false;
    }
    g_signalReadEnd = ends[0];
    g_signalWriteEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = NoteTerminationSignal;
    sigemptyset(&action.sa_mask);
    // A save or a serial write under way when a signal comes goes on as if none had come.
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : kTerminationSignals) {
        struct sigaction previous {};
        if (::sigaction(signalNumber, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN) {
            ::sigaction(signalNumber, &action, nullptr);
        }
    }
    return true;
}

void EndAsTheUserWould() {
    // In a GUI application's main loop, quit() first closes the windows as the user closes them,
    // and closing the main window ends the program. A start with a link runs no main loop, only
    // the waits of its call: there quit() does nothing, and exit() ends every wait under way.
    QCoreApplication::quit();
    QCoreApplication::exit(0);
}

}  // namespace

void QuitOnTerminationSignals() {
    static const bool caught = CatchTerminationSignals();
    // Goes with the application object it was made for.
    static QPointer<QSocketNotifier> notifier;
    if (!caught || notifier || QCoreApplication::instance() == nullptr) {
        return;
    }
    notifier =
        new QSocketNotifier(g_signalReadEnd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char bytes[16];
        while (::read(g_signalReadEnd, bytes, sizeof bytes) > 0) {
        }
        EndAsTheUserWould();
    });
}

}  // namespace linvox
