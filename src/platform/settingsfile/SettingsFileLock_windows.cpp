// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile/SaveFailure.h"
#include "platform/settingsfile/SettingsFileLock.h"

#include <chrono>

#include <QLockFile>

namespace linvox {
namespace {

// A writer holds the lock for a few milliseconds; one that keeps it this long has hung.
constexpr std::chrono::seconds kLongestWait{10};

}  // namespace

struct SettingsFileLock::Hold {
    explicit Hold(const QString& path) : file(path) {}
    QLockFile file;
};

SettingsFileLock::SettingsFileLock(const QString& settingsFilePath)
    : m_settingsFilePath(settingsFilePath), m_path(settingsFilePath + QStringLiteral(".lock")) {}

SettingsFileLock::~SettingsFileLock() = default;

Status SettingsFileLock::Take() {
    m_hold = std::make_unique<Hold>(m_path);
    if (m_hold->file.tryLock(kLongestWait)) {
        return Done{};
    }
    switch (m_hold->file.error()) {
        case QLockFile::LockFailedError:
            return Failure(FailureCode::SettingsFileLocked, m_settingsFilePath, m_path);
        case QLockFile::PermissionError:
            return SaveFailure(m_settingsFilePath, EACCES);
        default:
            return SaveFailure(m_settingsFilePath, 0);
    }
}

}  // namespace linvox
