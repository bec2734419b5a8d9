// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace linvox::testing {

// A Wine prefix of the test program's own, made afresh in a temporary folder (about 12 s); its
// Windows processes are ended and the folder removed with the object, whatever the outcome.
// Programs run in it as on a Windows PC: on the given X display, or without one, in a neutral
// locale. Its COM ports are only those that linkComPort makes: Wine does not see the machine's
// own serial ports (tests/windows/wine-harness/noserialports.c), so no program in the prefix
// reaches them.
class WinePrefix {
public:
    enum class Harness {
        None,
        // Programs started with startWithHarness read from simulated phones, and the management
        // service lists the modems they are given (tests/windows/wine-harness).
        SerialAndModemList,
    };

    // display: ":<n>" for DISPLAY, or empty for none. Throws std::runtime_error when the prefix
    // cannot be made.
    explicit WinePrefix(const QString& display = {}, Harness harness = Harness::None);
    ~WinePrefix();

    WinePrefix(const WinePrefix&) = delete;
    WinePrefix& operator=(const WinePrefix&) = delete;

    struct Outcome {
        bool finished = false;
        int exitStatus = -1;
        QString output;
    };

    // Runs a Windows program (a path on this machine, or a command of Wine's own such as "reg")
    // with arguments to its end, or stops it after timeout.
    Outcome run(const QStringList& arguments, std::chrono::milliseconds timeout) const;

    // Empties the Windows clipboard from inside the prefix (wine-harness/emptyclipboard.c says why
    // not from the X display); whether it is empty.
    bool emptyClipboard() const;

    // Starts a Windows program without waiting for it; it ends with the prefix at the latest.
    std::unique_ptr<QProcess> start(const QStringList& arguments) const;

    // Starts a Windows program that shows its window (linvox.exe started bare) so that it reads
    // from the COM ports as on Windows, while the management service lists modems, in order:
    // "COM3=Name;COM4=Other name". Only with Harness::SerialAndModemList.
    std::unique_ptr<QProcess> startWithHarness(const QString& program, const QString& modems) const;

    // Waits until every Windows process of the prefix has ended.
    void waitUntilIdle() const;

    // Makes COM<number> the device at path.
    void linkComPort(int number, const QString& path) const;

    // A text value of a registry key such as "HKCU\Software\Classes\tel"; name empty for the
    // key's default value. Nothing when the key or the value is absent.
    void setValue(const QString& key, const QString& name, const QString& value) const;
    std::optional<QString> value(const QString& key, const QString& name) const;
    bool hasKey(const QString& key) const;
    // Copies a key with everything below it.
    void copyKey(const QString& from, const QString& to) const;

    // Linvox's settings, under HKCU\Software\VB and VBA Program Settings\MyApp\linvox; a text,
    // or any other type of registry value as reg add writes it.
    void setSetting(const QString& name, const QString& text) const;
    void setSetting(const QString& name, const QString& type, const QString& data) const;
    std::optional<QString> setting(const QString& name) const;

    // The folder on this machine that is the user's folder in the prefix (C:\users\<name>).
    QString userFolder() const;

    // Windows programs started from now on see the user's locale and interface language of a
    // glibc locale ("uk_UA", "ru_RU"), compiled for the tests with localedef. Throws
    // std::runtime_error when it cannot be compiled. A new prefix's user is Russian, so that the
    // tests meet Linvox's own texts.
    void setUserLocale(const QString& locale);

private:
    // Ends the prefix's server and every Windows program still running in it.
    void stopServer() const;
    Outcome runIn(const QProcessEnvironment& environment, const QStringList& arguments,
                  std::chrono::milliseconds timeout) const;
    // Wine's reg with its arguments, in a neutral locale.
    Outcome runRegistryTool(const QStringList& arguments) const;

    QProcessEnvironment m_environment;
    QTemporaryDir m_folder;
};

// The path of a file of this machine as Windows programs in a Wine prefix name it.
QString WindowsPath(const QString& path);

}  // namespace linvox::testing
