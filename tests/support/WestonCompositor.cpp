// SPDX-License-Identifier: GPL-3.0-or-later
#include "WestonCompositor.h"

#include "ChildLifetime.h"
#include "EventLoop.h"
#include "LinvoxProcess.h"

#include <stdexcept>

#include <QFileInfo>

namespace linvox::testing {
namespace {

using namespace std::chrono_literals;

const QString kSocketName = QStringLiteral("linvox-test");

}  // namespace

WestonCompositor::WestonCompositor() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDirectory.path());
    m_compositor.setProcessEnvironment(environment);
    EndWithTheTest(m_compositor);
    m_compositor.start(QStringLiteral("weston"), {QStringLiteral("--backend=headless-backend.so"),
                                                  QStringLiteral("--socket=") + kSocketName,
                                                  QStringLiteral("--idle-time=0")});
    // Weston binds and listens on its socket in one step.
    const QString socket = m_runtimeDirectory.filePath(kSocketName);
    if (!RunEventsUntil(
            [&] {
                return QFileInfo::exists(socket) || m_compositor.state() == QProcess::NotRunning;
            },
            15s) ||
        m_compositor.state() == QProcess::NotRunning) {
        m_compositor.kill();
        m_compositor.waitForFinished();
        throw std::runtime_error("weston did not start: " +
                                 m_compositor.readAllStandardError().toStdString());
    }
}

WestonCompositor::~WestonCompositor() {
    StopServer(m_compositor);
}

QProcessEnvironment WestonCompositor::environment() const {
    QProcessEnvironment session = LinvoxProcess::HeadlessEnvironment();
    session.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDirectory.path());
    session.insert(QStringLiteral("WAYLAND_DISPLAY"), kSocketName);
    session.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    return session;
}

}  // namespace linvox::testing
