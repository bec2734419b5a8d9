// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile/FileReplacement.h"
#include "platform/settingsfile/SaveFailure.h"

#include <cerrno>
#include <windows.h>

namespace linvox {
namespace {

const wchar_t* NativePath(const QString& path) {
    return reinterpret_cast<const wchar_t*>(path.utf16());
}

// The system's last error as the errno that tells the same: the user's rights, or something else.
int LastErrorAsErrno() {
    return ::GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
}

// The file's contents on disk; Qt gives no Win32 handle of a file it has open.
bool FlushToDisk(const QString& path) {
    const HANDLE file = ::CreateFileW(NativePath(path), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool flushed = ::FlushFileBuffers(file) != 0;
    ::CloseHandle(file);
    return flushed;
}

}  // namespace

Status FileReplacement::Commit() {
    if (!m_temporary.isOpen()) {
        return SaveFailure(m_path, EBADF);
    }
    m_temporary.close();
    if (!FlushToDisk(m_temporaryPath) ||
        !::MoveFileExW(NativePath(m_temporaryPath), NativePath(m_path),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const int error = LastErrorAsErrno();
        QFile::remove(m_temporaryPath);
        return SaveFailure(m_path, error);
    }
    return Done{};
}

}  // namespace linvox
