// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinvoxProcess.h"

#include <stdexcept>

namespace linvox::testing {
namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kStopTimeoutMs = 5000;

}  // namespace

LinvoxProcess::LinvoxProcess(const QStringList& arguments, const QString& configHome,
                             QProcessEnvironment environment, const std::function<void()>& inChild,
                             const QString& program) {
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    m_process.setProcessEnvironment(environment);
    if (inChild) {
        m_process.setChildProcessModifier(inChild);
    }
    m_process.start(program, arguments);
    if (!m_process.waitForStarted(kStartTimeoutMs)) {
        throw std::runtime_error("linvox did not start: " + m_process.errorString().toStdString());
    }
}

LinvoxProcess::~LinvoxProcess() {
    if (running()) {
        m_process.kill();
        m_process.waitForFinished(kStopTimeoutMs);
    }
}

bool LinvoxProcess::waitForExit(std::chrono::milliseconds timeout) {
    return m_process.waitForFinished(static_cast<int>(timeout.count())) ||
           m_process.state() == QProcess::NotRunning;
}

QString LinvoxProcess::standardError() {
    m_standardError += m_process.readAllStandardError();
    return QString::fromUtf8(m_standardError);
}

QProcessEnvironment LinvoxProcess::HeadlessEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    return environment;
}

}  // namespace linvox::testing
