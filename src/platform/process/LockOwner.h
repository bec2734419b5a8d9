// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

#include <QByteArray>
#include <QString>

namespace linvox {

// Whose a lock file is, judged alike for both kinds that Linvox meets: a serial device's lock
// file in /var/lock and the settings file's lock. Every writer puts its process id on the first
// line; QLockFile, whose layout Linvox writes too, follows it with the program's file name and
// the host name, a line each. Unix only.

// What the system tells of its processes; tests give their own.
struct ProcessTable {
    qint64 ownId = 0;
    QByteArray hostName;
    // Whether a process with this id, valid as an id, exists, of whichever user.
    std::function<bool(qint64)> runs;
    // The file name of the program that the process runs; empty when that cannot be told.
    std::function<QString(qint64)> programOf;
};

// This system's processes, as /proc and kill() tell of them.
ProcessTable RunningProcesses();

enum class LockOwner {
    // A program that still runs: Linvox, or another that really holds the lock.
    Holding,
    // None: the lock is left behind, to be taken over.
    Gone,
};

// Judges the owner of a lock file from its text and its age. Gone when the process it names has
// ended; when its id is one no process can have (zero, negative, beyond the kernel's type) or this
// process's own (left by a program that exec'd Linvox, or by one that crashed and whose id Linvox
// was given); when the lock names its program and this host, and another program now runs under
// the id; when another host wrote it over 30 seconds ago (its ids mean nothing here); when its id
// cannot be read over 2 seconds after it was made (until then its writer may be writing it).
// Holding otherwise. So a lock that this process still holds counts as gone too: callers keep it
// by their flock, on the lock file or on the device, before they remove anything.
LockOwner JudgeLockOwner(const QByteArray& text, std::chrono::seconds age,
                         const ProcessTable& processes = RunningProcesses());

// What Linvox writes into a lock file it takes, as QLockFile writes it, so that Qt programs and
// Linvox judge it alike.
QByteArray OwnLockText();

}  // namespace linvox
