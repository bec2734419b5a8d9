// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// The lock files that terminal programs leave in /var/lock while they use a serial device:
// "LCK..<device>" holding the process id as ten characters and a newline. QSerialPort takes one
// of its own under the same name, but counts any lock file whose program name it cannot match
// as stale and deletes it, so a foreign lock must be seen before QSerialPort looks.

// The folder where programs look for each other's lock files.
inline const QString kLockFolder = QStringLiteral("/var/lock");

// The path of the lock file of a device given with its links resolved: its path under /dev with
// every '/' turned into '_', as QSerialPort and the classic terminal programs name it.
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

// Removes the device's lock file if it is still one left behind. QSerialPort would take some of
// them for live locks and refuse the port: an id cut to 32 bits names a running process, and
// this process's own id runs. Call holding the device, so that the lock is no live one of ours.
void RemoveLeftBehindLockFile(const QString& realDevice);

}  // namespace linvox
