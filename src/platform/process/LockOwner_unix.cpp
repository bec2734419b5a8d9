// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/LockOwner.h"
#include "platform/process/RunningProcess.h"

#include <limits>
#include <sys/types.h>
#include <unistd.h>

#include <QFile>
#include <QList>
#include <QSysInfo>

namespace linvox {
namespace {

// A writer puts its process id into the lock file the moment it has made it: a file still
// without one at this age was left by a writer that ended in between.
constexpr std::chrono::seconds kUnreadableLockAge{2};
// Process ids of another host cannot be checked here; as QLockFile judges, such a lock is left
// behind once it is this old.
constexpr std::chrono::seconds kOtherHostLockAge{30};

}  // namespace

ProcessTable RunningProcesses() {
    return {::getpid(), QSysInfo::machineHostName().toUtf8(), ProcessMayRun, ProgramOf};
}

LockOwner JudgeLockOwner(const QByteArray& text, std::chrono::seconds age,
                         const ProcessTable& processes) {
    const QList<QByteArray> lines = text.split('\n');
    bool isNumber = false;
    const qint64 processId = lines.first().trimmed().toLongLong(&isNumber);
    if (!isNumber) {
        return age > kUnreadableLockAge ? LockOwner::Gone : LockOwner::Holding;
    }
    // Cut to 32 bits, 4294967297 would name process 1.
    if (processId <= 0 || processId > std::numeric_limits<pid_t>::max()) {
        return LockOwner::Gone;
    }
    const QByteArray host = lines.value(2);
    if (!host.isEmpty() && host != processes.hostName) {
        return age > kOtherHostLockAge ? LockOwner::Gone : LockOwner::Holding;
    }
    if (processId == processes.ownId || !processes.runs(processId)) {
        return LockOwner::Gone;
    }
    // Only QLockFile's whole layout, with this host's name, tells what its second line is; a
    // program that cannot be told (another user's) may be the one named.
    const QByteArray program = lines.value(1);
    if (host.isEmpty() || program.isEmpty()) {
        return LockOwner::Holding;
    }
    const QString running = processes.programOf(processId);
    return !running.isEmpty() && running != QString::fromUtf8(program) ? LockOwner::Gone
                                                                       : LockOwner::Holding;
}

QByteArray OwnLockText() {
    return QByteArray::number(::getpid()) + '\n' + QFile::encodeName(ProgramOf(::getpid())) + '\n' +
           QSysInfo::machineHostName().toUtf8() + '\n';
}

}  // namespace linvox
