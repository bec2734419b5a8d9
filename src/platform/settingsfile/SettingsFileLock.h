// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"

#include <memory>

#include <QString>

namespace linvox {

// The lock that writers of a settings file take in turn: "<file>.lock" beside it, the lock file
// that QSettings takes for its own writes, so Linvox and programs writing the file through
// QSettings never write it at the same time. Held from Take until the object goes.
class SettingsFileLock {
public:
    explicit SettingsFileLock(const QString& settingsFilePath);
    ~SettingsFileLock();

    SettingsFileLock(const SettingsFileLock&) = delete;
    SettingsFileLock& operator=(const SettingsFileLock&) = delete;

    // Takes the lock, waiting while another writer holds it; done when taken, else why not. A
    // lock path that can never be a lock file — a directory, a FIFO, a device, a link — is
    // refused at once: opening a FIFO would block, and waiting for the others would never end. A
    // lock file left by a writer that ended is taken over; a writer that keeps the lock for
    // seconds has hung, and then the lock is refused (SettingsFileLocked). A termination request
    // ends the wait at once (Interrupted), so that a program asked to end saves nothing more.
    Status Take();

private:
    // The lock as the system holds it, let go with the object; none until taken.
    struct Hold;

    QString m_settingsFilePath;
    QString m_path;
    std::unique_ptr<Hold> m_hold;
};

}  // namespace linvox
