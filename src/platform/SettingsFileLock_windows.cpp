// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsFileLock.h"
#include "platform/SettingsFileRefusals.h"
#include "settings/StoreStatus.h"

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

QString SettingsFileLock::Take() {
    m_hold = std::make_unique<Hold>(m_path);
    if (m_hold->file.tryLock(kLongestWait)) {
        return {};
    }
    switch (m_hold->file.error()) {
        case QLockFile::LockFailedError:
            return LockHeldRefusal(m_settingsFilePath, m_path);
        case QLockFile::PermissionError:
            return AccessRefusal(m_settingsFilePath);
        default:
            return WriteRefusal(m_settingsFilePath);
    }
}

}  // namespace linvox
