// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/LockOwner.h"
#include "platform/serial/SerialLockFile.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace linvox {
namespace {

const QString kDeviceDirectory = QStringLiteral("/dev/");
// A process id, a program and a host name, as the longest layout (QLockFile's) begins.
constexpr qint64 kLongestLockText = 512;

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
    const std::chrono::seconds age{QDateTime::currentSecsSinceEpoch() -
                                   file.lastModified().toSecsSinceEpoch()};
    return JudgeLockOwner(lock.read(kLongestLockText), age) == LockOwner::Gone
               ? LockFileState::LeftBehind
               : LockFileState::HeldByAnother;
}

void RemoveLeftBehindLockFile(const QString& realDevice) {
    // Looked at again: another program may have put its own lock in the place of the one found.
    if (LockFileStateOf(realDevice) == LockFileState::LeftBehind) {
        QFile::remove(LockFilePath(realDevice));
    }
}

OwnLockFile WriteOwnLockFile(const QString& realDevice) {
    RemoveLeftBehindLockFile(realDevice);
    const QByteArray path = QFile::encodeName(LockFilePath(realDevice));
    const int descriptor =
        ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        return errno == EEXIST && LockFileStateOf(realDevice) == LockFileState::HeldByAnother
                   ? OwnLockFile::HeldByAnother
                   : OwnLockFile::NotWritten;
    }
    const QByteArray text = OwnLockText();
    const bool written =
        ::write(descriptor, text.constData(), static_cast<size_t>(text.size())) == text.size();
    ::close(descriptor);
    // One cut short on a full disk is removed rather than left for others to judge.
    if (!written) {
        ::unlink(path.constData());
    }
    return written ? OwnLockFile::Written : OwnLockFile::NotWritten;
}

}  // namespace linvox
