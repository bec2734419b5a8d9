// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileReplacement.h"

#include <windows.h>

namespace linvox {
namespace {

const wchar_t* NativePath(const QString& path) {
    return reinterpret_cast<const wchar_t*>(path.utf16());
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

bool FileReplacement::Commit() {
    if (!m_temporary.isOpen()) {
        return false;
    }
    m_temporary.close();
    if (!FlushToDisk(m_temporaryPath) ||
        !::MoveFileExW(NativePath(m_temporaryPath), NativePath(m_path),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        QFile::remove(m_temporaryPath);
        return false;
    }
    return true;
}

}  // namespace linvox
