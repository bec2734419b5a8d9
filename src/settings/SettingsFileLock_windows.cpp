#include "settings/SettingsFileLock.h"
#include "settings/StoreStatus.h"

#include <chrono>

#include <QLockFile>

namespace linvox {
namespace {

// A writer holds the lock for a few milliseconds; one that keeps it this long has hung.
constexpr std::chrono::seconds kLongestWait{10};

}  // namespace

SettingsFileLock::~SettingsFileLock() = default;

QString SettingsFileLock::Take() {
    m_lockFile = std::make_unique<QLockFile>(m_path);
    if (m_lockFile->tryLock(kLongestWait)) {
        return {};
    }
    switch (m_lockFile->error()) {
        case QLockFile::LockFailedError:
            return LockHeldRefusal(m_settingsFilePath, m_path);
        case QLockFile::PermissionError:
            return AccessRefusal(m_settingsFilePath);
        default:
            return WriteRefusal(m_settingsFilePath);
    }
}

}  // namespace linvox
