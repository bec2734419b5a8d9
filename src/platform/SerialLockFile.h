#pragma once

#include <QString>

namespace linvox {

// The lock files that terminal programs leave in /var/lock while they use a serial device:
// "LCK..<device>" holding the process id as ten characters and a newline. QSerialPort takes one
// of its own under the same name, but counts any lock file whose program name it cannot match
// as stale and deletes it, so a foreign lock must be seen before QSerialPort looks.

// The path of the lock file of a device given with its links resolved: its path under /dev with
// every '/' turned into '_', as QSerialPort and the classic terminal programs name it.
QString LockFilePath(const QString& realDevice);

// Whether a lock file of the device is held by a process that still runs. One whose process id
// cannot be read counts as held too: its owner may be writing it this very moment. A lock of an
// ended process is not held, and QSerialPort replaces it with its own.
bool HeldThroughLockFile(const QString& realDevice);

}  // namespace linvox
