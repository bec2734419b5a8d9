// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace linvox::testing {

// The built linvox program, run as the desktop would run it, and stopped with the object
// whatever the test's outcome.
class LinvoxProcess {
public:
    // Starts linvox with arguments and the settings file in configHome. Without a display
    // unless the environment names one. inChild, when given, runs in the new process just before
    // linvox starts there, to limit what it may do. program: a copy of linvox to run instead.
    LinvoxProcess(const QStringList& arguments, const QString& configHome,
                  QProcessEnvironment environment = HeadlessEnvironment(),
                  const std::function<void()>& inChild = {},
                  const QString& program = QStringLiteral(LINVOX_BINARY_PATH));
    ~LinvoxProcess();

    LinvoxProcess(const LinvoxProcess&) = delete;
    LinvoxProcess& operator=(const LinvoxProcess&) = delete;

    // Waits for the program to end by itself; false if it is still running after timeout.
    bool waitForExit(std::chrono::milliseconds timeout);
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    qint64 processId() const { return m_process.processId(); }
    int exitStatus() const { return m_process.exitCode(); }
    QString standardError();

    static QProcessEnvironment HeadlessEnvironment();

private:
    QProcess m_process;
    QByteArray m_standardError;
};

}  // namespace linvox::testing
