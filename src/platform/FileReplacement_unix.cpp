// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileReplacement.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <QFileInfo>

namespace linvox {

bool FileReplacement::Commit() {
    if (!m_temporary.isOpen() || ::fdatasync(m_temporary.handle()) != 0) {
        return false;
    }
    m_temporary.close();
    if (std::rename(QFile::encodeName(m_temporaryPath).constData(),
                    QFile::encodeName(m_path).constData()) != 0) {
        QFile::remove(m_temporaryPath);
        return false;
    }
    // The rename lives in the folder: without this, a power cut may bring back the old file.
    const int folder = ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = folder >= 0 && ::fsync(folder) == 0;
    if (folder >= 0) {
        ::close(folder);
    }
    return synced;
}

}  // namespace linvox
