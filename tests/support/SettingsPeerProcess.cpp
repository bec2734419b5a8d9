// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsPeerProcess.h"

#include <QDeadlineTimer>

namespace linvox::testing {

SettingsPeerProcess::SettingsPeerProcess(const QString& settingsFile,
                                         const QProcessEnvironment& environment,
                                         const std::function<void()>& inChild) {
    m_process.setProcessEnvironment(environment);
    if (inChild) {
        m_process.setChildProcessModifier(inChild);
    }
    m_process.start(LINVOX_SETTINGS_PEER_PATH, {settingsFile});
    m_process.waitForStarted();
}

SettingsPeerProcess::~SettingsPeerProcess() {
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QString SettingsPeerProcess::ask(const QString& command) {
    send(command);
    return answer();
}

void SettingsPeerProcess::send(const QString& command) {
    m_process.write(command.toUtf8() + '\n');
    m_process.waitForBytesWritten();
}

QString SettingsPeerProcess::answer(std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            return QStringLiteral("<no answer>");
        }
    }
    return QString::fromUtf8(m_process.readLine()).chopped(1);
}

}  // namespace linvox::testing
