// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// The lock files that terminal programs leave in /var/lock while they use a serial device:
// "LCK..<device>" holding the process id as ten characters and a newline, or, as Qt programs
// and Linvox write it, in QLockFile's layout (see LockOwner.h).

// The folder where programs look for each other's lock files.
inline const QString kLockFolder = QStringLiteral("/var/lock");

// The path of the lock file of a device given with its links resolved: its path under /dev with
// every '/' turned into '_', as Qt programs and the classic terminal programs name it.
QString LockFilePath(const QString& realDevice);

enum class LockFileState {
    None,
    // Its owner still runs, as JudgeLockOwner tells, or it is no readable regular file.
    HeldByAnother,
    // Its owner is gone, as JudgeLockOwner tells.
    LeftBehind,
};

// What the device's lock file says.
LockFileState LockFileStateOf(const QString& realDevice);

// Removes the device's lock file if it is still one left behind. Call holding the device, so that
// the lock is no live one of ours.
void RemoveLeftBehindLockFile(const QString& realDevice);

enum class OwnLockFile {
    Written,
    // None could be written, as where the user may not write the lock folder (Fedora and Arch
    // keep it so); a lock file left behind there stays for those who may remove it.
    NotWritten,
    // Another program's live lock file is there.
    HeldByAnother,
};

// Writes this process's lock file for the device, in place of one left behind. Call holding the
// device; remove the file when letting it go.
OwnLockFile WriteOwnLockFile(const QString& realDevice);

}  // namespace linvox
