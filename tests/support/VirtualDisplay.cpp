// SPDX-License-Identifier: GPL-3.0-or-later
#include "VirtualDisplay.h"

#include "ChildLifetime.h"

#include <stdexcept>

#include <QDeadlineTimer>

namespace linvox::testing {
namespace {

constexpr int kStartTimeoutMs = 10000;

}  // namespace

VirtualDisplay::VirtualDisplay() {
    // -displayfd picks a free display number and writes it to our pipe once the server is up.
    // -noreset keeps the server as a desktop session's is, instead of starting over (and
    // recompiling its keyboard map) each time its last client leaves.
    EndWithTheTest(m_server);
    m_server.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                    QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!m_server.canReadLine()) {
        if (deadline.hasExpired() || m_server.state() == QProcess::NotRunning ||
            !m_server.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            m_server.kill();
            m_server.waitForFinished();
            throw std::runtime_error("Xvfb did not start: " +
                                     m_server.readAllStandardError().toStdString());
        }
    }
    m_name = QLatin1Char(':') + QString::fromLatin1(m_server.readLine()).trimmed();
}

VirtualDisplay::~VirtualDisplay() {
    StopServer(m_server);
}

QProcessEnvironment VirtualDisplay::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("DISPLAY"), m_name);
    return environment;
}

}  // namespace linvox::testing
