// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RunningProcess.h"
#include "platform/SerialLockFile.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>

namespace linvox {
namespace {

const QString kDeviceDirectory = QStringLiteral("/dev/");
// A process id as ten characters, its newline and some room for other layouts' extra lines.
constexpr qint64 kLongestLockText = 64;

}  // namespace

QString LockFilePath(const QString& realDevice) {
    QString name = realDevice.startsWith(kDeviceDirectory) ? realDevice.mid(kDeviceDirectory.size())
                                                           : realDevice;
    name.replace(u'/', u'_');
    return kLockFolder + QStringLiteral("/LCK..") + name;
}

LockFileState LockFileStateOf(const QString& realDevice) {
    const QFileInfo file(LockFilePath(realDevice));
    if (!file.exists()) {
        return LockFileState::None;
    }
    // Anything but a readable regular file (a FIFO would block the read) cannot be shown stale.
    QFile lock(file.filePath());
    if (!file.isFile() || !lock.open(QIODevice::ReadOnly)) {
        return LockFileState::HeldByAnother;
    }
    bool isNumber = false;
    const qint64 processId =
        lock.read(kLongestLockText).split('\n').first().trimmed().toLongLong(&isNumber);
    const bool heldByAnother = !isNumber || (processId != ::getpid() && ProcessMayRun(processId));
    return heldByAnother ? LockFileState::HeldByAnother : LockFileState::LeftBehind;
}

void RemoveLeftBehindLockFile(const QString& realDevice) {
    // Looked at again: another program may have put its own lock in the place of the one found.
    if (LockFileStateOf(realDevice) == LockFileState::LeftBehind) {
        QFile::remove(LockFilePath(realDevice));
    }
}

}  // namespace linvox
