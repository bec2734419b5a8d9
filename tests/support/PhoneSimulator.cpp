// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhoneSimulator.h"

#include "ChildLifetime.h"
#include "platform/serial/SerialLockFile.h"

#include <stdexcept>

#include <QDeadlineTimer>
#include <QFile>

#ifndef LINVOX_PHONE_SIM_PATH
#error "LINVOX_PHONE_SIM_PATH must name the built phone-sim executable"
#endif

namespace linvox::testing {
namespace {

constexpr std::chrono::seconds kStartupLimit{5};
constexpr std::chrono::seconds kStopGrace{3};

int remainingMilliseconds(const QDeadlineTimer& deadline) {
    return static_cast<int>(deadline.remainingTime());
}

}  // namespace

PhoneSimulator::PhoneSimulator(const QStringList& arguments, DeviceLink link) {
    if (!m_directory.isValid())
        throw std::runtime_error("cannot create a temporary directory for phone-sim");
    QStringList allArguments = arguments;
    allArguments << QStringLiteral("--transcript")
                 << m_directory.filePath(QStringLiteral("transcript"));
    if (link == DeviceLink::InTemporaryDirectory) {
        m_linkPath = m_directory.filePath(QStringLiteral("phone"));
        allArguments << QStringLiteral("--link") << m_linkPath;
    }

    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    EndWithTheTest(m_process);
    m_process.start(QStringLiteral(LINVOX_PHONE_SIM_PATH), allArguments);
    const QDeadlineTimer deadline(kStartupLimit);
    while (!m_unparsedOutput.contains('\n') &&
           m_process.waitForReadyRead(remainingMilliseconds(deadline)))
        m_unparsedOutput += m_process.readAllStandardOutput();

    const qsizetype lineEnd = m_unparsedOutput.indexOf('\n');
    if (lineEnd < 0) {
        stop();
        throw std::runtime_error("phone-sim did not print its device path: " +
                                 m_process.errorString().toStdString());
    }
    m_devicePath = QString::fromUtf8(m_unparsedOutput.left(lineEnd));
    m_unparsedOutput.remove(0, lineEnd + 1);
    // The terminal is new, so a lock file under its name was left by an earlier terminal of the
    // same number (a program killed while it dialed), and may name a process id reused since.
    QFile::remove(LockFilePath(m_devicePath));
}

PhoneSimulator::~PhoneSimulator() {
    stop();
}

QByteArray PhoneSimulator::transcript() const {
    QFile file(m_directory.filePath(QStringLiteral("transcript")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<ReceivedCommand> PhoneSimulator::receivedCommands() {
    collectLog();
    return m_commands;
}

bool PhoneSimulator::waitForCommands(int count, std::chrono::milliseconds timeout) {
    const QDeadlineTimer deadline(timeout);
    collectLog();
    while (m_commands.size() < count && m_process.waitForReadyRead(remainingMilliseconds(deadline)))
        collectLog();
    return m_commands.size() >= count;
}

std::optional<int> PhoneSimulator::waitForExit(std::chrono::milliseconds timeout) {
    if (m_process.state() != QProcess::NotRunning &&
        !m_process.waitForFinished(static_cast<int>(timeout.count())))
        return std::nullopt;
    return normalExitStatus();
}

std::optional<int> PhoneSimulator::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return normalExitStatus();
    m_process.terminate();
    if (!m_process.waitForFinished(
            static_cast<int>(std::chrono::milliseconds(kStopGrace).count()))) {
        m_process.kill();
        m_process.waitForFinished();
        return std::nullopt;
    }
    return normalExitStatus();
}

void PhoneSimulator::collectLog() {
    while (m_process.waitForReadyRead(0)) {
    }
    m_unparsedOutput += m_process.readAllStandardOutput();
    for (qsizetype lineEnd = m_unparsedOutput.indexOf('\n'); lineEnd >= 0;
         lineEnd = m_unparsedOutput.indexOf('\n')) {
        const QByteArray line = m_unparsedOutput.left(lineEnd);
        m_unparsedOutput.remove(0, lineEnd + 1);
        const qsizetype separator = line.indexOf(' ');
        m_commands.append({line.left(separator).toLongLong(), line.mid(separator + 1)});
    }
}

std::optional<int> PhoneSimulator::normalExitStatus() const {
    if (m_process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return m_process.exitCode();
}

}  // namespace linvox::testing
