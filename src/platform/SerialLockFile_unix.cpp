// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RunningProcess.h"
#include "platform/SerialLockFile.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

namespace linvox {
namespace {

const QString kDeviceDirectory = QStringLiteral("/dev/");
// A process id, a program and a host name, as the longest layout (QLockFile's) begins.
constexpr qint64 kLongestLockText = 512;

// Whether a lock in QLockFile's layout (process id, program, host) was written on this host by
// another program than the one that now runs under its id: its owner ended and the id was given
// again. QLockFile judges its own locks so; a lock that names no program is never judged so.
bool IdGivenToAnotherProgram(const QList<QByteArray>& lines, qint64 processId) {
    if (lines.size() < 3 || lines[1].isEmpty() ||
        QString::fromUtf8(lines[2]) != QSysInfo::machineHostName()) {
        return false;
    }
    const QString running = ProgramOf(processId);
    return !running.isEmpty() && running != QString::fromUtf8(lines[1]);
}

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
    const QList<QByteArray> lines = lock.read(kLongestLockText).split('\n');
    bool isNumber = false;
    const qint64 processId = lines.first().trimmed().toLongLong(&isNumber);
    const bool heldByAnother = !isNumber || (processId != ::getpid() && ProcessMayRun(processId) &&
                                             !IdGivenToAnotherProgram(lines, processId));
    return heldByAnother ? LockFileState::HeldByAnother : LockFileState::LeftBehind;
}

void RemoveLeftBehindLockFile(const QString& realDevice) {
    // Looked at again: another program may have put its own lock in the place of the one found.
    if (LockFileStateOf(realDevice) == LockFileState::LeftBehind) {
        QFile::remove(LockFilePath(realDevice));
    }
}

}  // namespace linvox
