// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/TerminationSignals.h"

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

// A signal handler can safely do little more than set a flag and write to a pipe: the event loop,
// woken by the byte, ends the program.
volatile sig_atomic_t g_requested = 0;
int g_signalReadEnd = -1;
volatile sig_atomic_t g_signalWriteEnd = -1;
// Which of the signals the handler took over, and so gives back to their default at the first.
std::array<volatile sig_atomic_t, kTerminationSignals.size()> g_caught{};

extern "C" void NoteTerminationSignal(int) {
    const int savedErrno = errno;
    g_requested = 1;
    // A second signal finds the default action: it ends the program at once.
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    for (std::size_t i = 0; i < kTerminationSignals.size(); ++i) {
        if (g_caught[i] != 0) {
            ::sigaction(kTerminationSignals[i], &defaultAction, nullptr);
        }
    }
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalWriteEnd, &byte, 1);
    errno = savedErrno;
}

void EndAsTheUserWould() {
    // In a GUI application's main loop, quit() first closes the windows as the user closes them,
    // and closing the main window ends the program. A start with a link runs no main loop, only
    // the waits of its call: there quit() does nothing, and exit() ends every wait under way.
    QCoreApplication::quit();
    QCoreApplication::exit(0);
}

}  // namespace

void CatchTerminationSignals() {
    int ends[2];
    // Neither end blocks, nor passes to the programs that Linvox starts (a browser).
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    g_signalReadEnd = ends[0];
    g_signalWriteEnd = ends[1];
    struct sigaction action {};
    action.sa_handler = NoteTerminationSignal;
    sigemptyset(&action.sa_mask);
    // A save or a serial write under way when a signal comes goes on as if none had come.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kTerminationSignals.size(); ++i) {
        struct sigaction previous {};
        if (::sigaction(kTerminationSignals[i], nullptr, &previous) == 0 &&
            previous.sa_handler != SIG_IGN) {
            g_caught[i] = 1;
            ::sigaction(kTerminationSignals[i], &action, nullptr);
        }
    }
}

bool TerminationRequested() {
    return g_requested != 0;
}

void QuitOnTerminationSignals() {
    // Goes with the application object it was made for.
    static QPointer<QSocketNotifier> notifier;
    if (g_signalReadEnd < 0 || notifier || QCoreApplication::instance() == nullptr) {
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
