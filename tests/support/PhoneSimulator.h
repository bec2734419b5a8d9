// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace linvox::testing {

struct ReceivedCommand {
    qint64 monotonicNanoseconds = 0;
    QByteArray text;  // as phone-sim logs it: non-printable bytes and '\' as \xNN
};

// Runs tools/phone-sim for one test and stops it again whatever the outcome.
// Throws std::runtime_error when the simulator does not come up.
class PhoneSimulator {
public:
    enum class DeviceLink { None, InTemporaryDirectory };

    explicit PhoneSimulator(const QStringList& arguments = {}, DeviceLink link = DeviceLink::None);
    ~PhoneSimulator();

    PhoneSimulator(const PhoneSimulator&) = delete;
    PhoneSimulator& operator=(const PhoneSimulator&) = delete;

    QString devicePath() const { return m_devicePath; }
    QString linkPath() const { return m_linkPath; }
    qint64 processId() const { return m_process.processId(); }

    QByteArray transcript() const;
    QList<ReceivedCommand> receivedCommands();
    bool waitForCommands(int count, std::chrono::milliseconds timeout);

    // The exit status if the simulator ended by itself in time, e.g. after a hang-up.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    // SIGTERM, then SIGKILL after a bound; the exit status unless it had to be killed.
    std::optional<int> stop();

private:
    void collectLog();
    std::optional<int> normalExitStatus() const;

    QTemporaryDir m_directory;
    QProcess m_process;
    QString m_devicePath;
    QString m_linkPath;
    QByteArray m_unparsedOutput;
    QList<ReceivedCommand> m_commands;
};

}  // namespace linvox::testing
