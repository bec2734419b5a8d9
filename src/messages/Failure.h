// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <utility>
#include <variant>

#include <QString>

namespace linvox {

// What went wrong, by kind. Callers decide by the code, never by words.
enum class FailureCode {
    // The serial line. path: the device, where one is known.
    InvalidPortNumber,     // the port number names no usable device
    DeviceNotOpen,         // the device cannot be reached
    PortAlreadyOpen,       // another program holds the port
    PortAccessDenied,      // the user may not open it; detail: the group that grants access
    ModemWithoutVoice,     // the modem's manager makes no voice calls on it; path: the device
    StoredNumberOverflow,  // a stored port number does not fit 16 bits
    Interrupted,           // a termination request ended the operation before it was done
    SystemError,           // systemError: the errno
    ForeignError,          // detail: the words of the library that failed (Qt's), as it gave them
    BusError,              // path: the object; detail: the D-Bus error's name, ": ", its message

    // The settings store. path: the settings file, unless said otherwise.
    SettingsNotRead,       // cause: why the store cannot be read
    SettingNotSaved,       // cause: why the store refused the write
    SettingsFileSetAside,  // no failure of the save: detail is where the damaged file was kept
    SettingsFileTooLarge,
    DevicePathHasControl,  // detail: the COM number whose device path in [ports] holds one
    SettingsLinkLeadsNowhere,
    SettingsFileIsFolder,
    SettingsFileIsNoFile,
    SettingsFileNotReadable,
    SettingsFolderNotSearchable,  // detail: the folder on the way
    SettingsFileNotWritable,      // systemError: the errno, where one was had
    SettingsFileNotWritten,       // systemError: the errno, where one was had
    SettingsFileLocked,           // detail: the lock file
    SettingsFileDamagedNotRewritten,
    SettingsFileDamagedNotSetAside,
    SettingsLockIsLink,  // path: the lock file
    SettingsLockIsFolder,
    SettingsLockIsNoFile,

    // The system's list of modems.
    ModemListNotRead,   // cause: why
    DeviceListNotRead,  // systemError: the errno of udev
    AllComNumbersTaken,
    DevicesLeftUnnumbered,  // detail: the devices, "; " between them; cause: the refused store
    WmiUnavailable,         // systemError: the HRESULT
    WmiQueryFailed,         // systemError: the HRESULT
    ModemPropertyNotText,   // detail: the property's name

    // Showing the window.
    NoDisplayAnswers,
    NoWaylandPlugin,
    NoX11Plugin,
    WindowPartMissing,  // detail: the loader's words
};

// A failure: its code and the facts that tell it, without words. A failure can come of another,
// its cause, which is told after it.
class Failure {
public:
    explicit Failure(FailureCode code, QString path = {}, QString detail = {}, int systemError = 0)
        : m_code(code),
          m_path(std::move(path)),
          m_detail(std::move(detail)),
          m_systemError(systemError) {}

    // This failure, come of cause.
    Failure Because(Failure cause) const {
        Failure failure = *this;
        failure.m_cause = std::make_shared<const Failure>(std::move(cause));
        return failure;
    }

    FailureCode code() const { return m_code; }
    const QString& path() const { return m_path; }
    const QString& detail() const { return m_detail; }
    int systemError() const { return m_systemError; }
    // Null when it has none.
    const Failure* cause() const { return m_cause.get(); }

    friend bool operator==(const Failure& a, const Failure& b) {
        return a.m_code == b.m_code && a.m_path == b.m_path && a.m_detail == b.m_detail &&
               a.m_systemError == b.m_systemError &&
               (a.m_cause && b.m_cause ? *a.m_cause == *b.m_cause : a.m_cause == b.m_cause);
    }

private:
    FailureCode m_code;
    QString m_path;
    QString m_detail;
    int m_systemError;
    std::shared_ptr<const Failure> m_cause;
};

// The failure in the words of the run's language, with its facts and its cause.
QString Say(const Failure& failure);

// The value that a success has when it has no other.
struct Done {
    friend bool operator==(Done, Done) = default;
};

// What an operation came to: its value, or its failure.
template <typename Value>
class [[nodiscard]] Outcome {
public:
    Outcome(Value success) : m_outcome(std::move(success)) {}
    Outcome(Failure failure) : m_outcome(std::move(failure)) {}

    bool ok() const { return std::holds_alternative<Value>(m_outcome); }
    // Only when ok.
    const Value& value() const { return std::get<Value>(m_outcome); }
    Value& value() { return std::get<Value>(m_outcome); }
    // Only when not ok.
    const Failure& failure() const { return std::get<Failure>(m_outcome); }
    bool failedWith(FailureCode code) const { return !ok() && failure().code() == code; }

    friend bool operator==(const Outcome&, const Outcome&) = default;

private:
    std::variant<Value, Failure> m_outcome;
};

// Done, or why not.
using Status = Outcome<Done>;

}  // namespace linvox
