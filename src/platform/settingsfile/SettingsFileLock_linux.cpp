// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/LockOwner.h"
#include "platform/process/TerminationSignals.h"
#include "platform/settingsfile/SaveFailure.h"
#include "platform/settingsfile/SettingsFileLock.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>

namespace linvox {
namespace {

// A writer holds the lock for a few milliseconds; one that keeps it this long has hung.
constexpr std::chrono::seconds kLongestWait{10};
// Waiters look again at growing intervals up to this, so a queue of writers clears in turns of
// a few milliseconds each.
constexpr std::chrono::milliseconds kLongestPause{8};
// Every live writer holds its flock on the lock file: one that nobody holds at this age is left
// behind, whichever program its process id names now, as QLockFile judges.
constexpr std::chrono::seconds kUnheldLockAge{30};
constexpr qsizetype kLongestLockText = 256;

Failure NotALockFile(const QString& path, mode_t mode) {
    if (S_ISLNK(mode)) {
        return Failure(FailureCode::SettingsLockIsLink, path);
    }
    if (S_ISDIR(mode)) {
        return Failure(FailureCode::SettingsLockIsFolder, path);
    }
    return Failure(FailureCode::SettingsLockIsNoFile, path);
}

// Whether the writer that made the lock file has ended without removing it, judged from what it
// wrote in it and its age.
bool LeftBehind(int descriptor, const struct stat& status) {
    QByteArray text(kLongestLockText, '\0');
    const ssize_t length = ::pread(descriptor, text.data(), text.size(), 0);
    text.truncate(std::max<ssize_t>(length, 0));
    const std::chrono::seconds age{std::time(nullptr) - status.st_mtime};
    return age > kUnheldLockAge || JudgeLockOwner(text, age) == LockOwner::Gone;
}

// Removes the lock file when the writer that made it is gone; whether it is gone now, so that
// taking the lock may be tried again at once.
bool RemoveIfLeftBehind(const QByteArray& path) {
    const int descriptor = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return errno == ENOENT;
    }
    // Every live writer holds an flock on its lock file: a free one is left behind, or its
    // writer is taking or leaving it this very moment, which the contents tell apart.
    struct stat status {};
    bool removed = false;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        ::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && LeftBehind(descriptor, status)) {
        // Still the file examined (no other can take its inode while it is open here); waiters
        // examining it too are held off by the flock.
        struct stat current {};
        removed = ::stat(path.constData(), &current) == 0 && current.st_dev == status.st_dev &&
                  current.st_ino == status.st_ino && ::unlink(path.constData()) == 0;
    }
    ::close(descriptor);
    return removed;
}

}  // namespace

struct SettingsFileLock::Hold {
    int descriptor;
    QByteArray path;

    Hold(int heldDescriptor, QByteArray heldPath)
        : descriptor(heldDescriptor), path(std::move(heldPath)) {}
    ~Hold() {
        // Removed before it is let go, so a waiter that finds the flock free finds no file.
        ::unlink(path.constData());
        ::close(descriptor);
    }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
};

SettingsFileLock::SettingsFileLock(const QString& settingsFilePath)
    : m_settingsFilePath(settingsFilePath), m_path(settingsFilePath + QStringLiteral(".lock")) {}

SettingsFileLock::~SettingsFileLock() = default;

Status SettingsFileLock::Take() {
    const QByteArray path = QFile::encodeName(m_path);
    const QDeadlineTimer deadline(kLongestWait);
    std::chrono::milliseconds pause{1};
    for (;;) {
        struct stat status {};
        if (::lstat(path.constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
            return NotALockFile(m_path, status.st_mode);
        }
        const int created =
            ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (created >= 0) {
            ::flock(created, LOCK_EX);
            const QByteArray owner = OwnLockText();
            // One whose owner could not be written, on a full disk, still holds through its flock.
            [[maybe_unused]] const ssize_t written =
                ::write(created, owner.constData(), static_cast<size_t>(owner.size()));
            m_hold = std::make_unique<Hold>(created, path);
            return Done{};
        }
        if (errno != EEXIST) {
            return SaveFailure(m_settingsFilePath, errno);
        }
        if (RemoveIfLeftBehind(path)) {
            continue;
        }
        if (TerminationRequested()) {
            return Failure(FailureCode::Interrupted, m_settingsFilePath);
        }
        if (deadline.hasExpired()) {
            return Failure(FailureCode::SettingsFileLocked, m_settingsFilePath, m_path);
        }
        std::this_thread::sleep_for(std::min(pause, std::chrono::ceil<std::chrono::milliseconds>(
                                                        deadline.remainingTimeAsDuration())));
        pause = std::min(pause * 2, kLongestPause);
    }
}

}  // namespace linvox
