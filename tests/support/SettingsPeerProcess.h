// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace linvox::testing {

// A settings-peer process on a settings file: another program reading and writing the same file,
// for tests of what one process sees of another's writes and of writers racing. Stopped with the
// object.
class SettingsPeerProcess {
public:
    // inChild, when given, runs in the new process just before the peer starts there.
    explicit SettingsPeerProcess(
        const QString& settingsFile,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
        const std::function<void()>& inChild = {});
    ~SettingsPeerProcess();

    SettingsPeerProcess(const SettingsPeerProcess&) = delete;
    SettingsPeerProcess& operator=(const SettingsPeerProcess&) = delete;

    QString ask(const QString& command);
    // Hands the command over at once, not when the answer is awaited.
    void send(const QString& command);
    // The next answer, or "<no answer>" when none comes in time: a peer that hangs fails the
    // test instead of hanging it.
    QString answer(std::chrono::milliseconds timeout = std::chrono::seconds(5));

private:
    QProcess m_process;
};

}  // namespace linvox::testing
