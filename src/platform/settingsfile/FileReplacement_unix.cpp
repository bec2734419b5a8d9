// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile/FileReplacement.h"
#include "platform/settingsfile/SaveFailure.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <QFileInfo>

namespace linvox {

Status FileReplacement::Commit() {
    if (!m_temporary.isOpen()) {
        return SaveFailure(m_path, EBADF);
    }
    if (::fdatasync(m_temporary.handle()) != 0) {
        return SaveFailure(m_path, errno);
    }
    m_temporary.close();
    if (std::rename(QFile::encodeName(m_temporaryPath).constData(),
                    QFile::encodeName(m_path).constData()) != 0) {
        const int error = errno;
        QFile::remove(m_temporaryPath);
        return SaveFailure(m_path, error);
    }
    // The rename lives in the folder: without this, a power cut may bring back the old file. The
    // file is replaced whatever comes of it, and some file systems refuse to sync a folder, so a
    // refusal here is not a failed save.
    const int folder = ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return Done{};
}

}  // namespace linvox
