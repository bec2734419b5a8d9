// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cerrno>
#include <limits>
#include <signal.h>

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

namespace linvox {

// Whether a process with this id may be running, as lock files name their owners (Unix only).
// An id that no process can have — zero, negative, beyond the 32 bits of a process id — never
// runs: cut to 32 bits, 4294967297 would name process 1. A process of another user runs too.
inline bool ProcessMayRun(qint64 processId) {
    if (processId <= 0 || processId > std::numeric_limits<pid_t>::max()) {
        return false;
    }
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

// The program a process runs, by the file name of its executable, as QLockFile names it in its
// lock files; empty when that cannot be read (a process of another user, or no /proc).
inline QString ProgramOf(qint64 processId) {
    QString program =
        QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(processId))).fileName();
    // Still the same program when its file was replaced while it ran, as by an upgrade.
    const QString replacedMark = QStringLiteral(" (deleted)");
    if (program.endsWith(replacedMark)) {
        program.chop(replacedMark.size());
    }
    return program;
}

}  // namespace linvox
