// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile/FileReplacement.h"

#include "platform/settingsfile/SaveFailure.h"

#include <cerrno>

#include <QFileInfo>
#include <QRandomGenerator>

namespace linvox {
namespace {

constexpr int kNamesTried = 16;

}  // namespace

FileReplacement::FileReplacement(const QString& path) : m_path(path) {
    // A file kept elsewhere through a link, as dotfiles are, stays a link: the file it leads to
    // is replaced, beside itself.
    if (const QFileInfo file(path); file.isSymLink() && !file.canonicalFilePath().isEmpty()) {
        m_path = file.canonicalFilePath();
    }
}

FileReplacement::~FileReplacement() {
    if (m_temporary.isOpen()) {
        m_temporary.close();
        QFile::remove(m_temporaryPath);
    }
}

Status FileReplacement::Create() {
    // A name of its own, tried again in the unlikely case that another writer has it.
    int error = EEXIST;
    for (int attempt = 0; attempt < kNamesTried && error == EEXIST; ++attempt) {
        m_temporaryPath = m_path + QStringLiteral(".save-") +
                          QString::number(QRandomGenerator::global()->generate(), 36);
        m_temporary.setFileName(m_temporaryPath);
        // Unbuffered, so that a write cut short (as under a file-size limit) is seen at once.
        if (m_temporary.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            if (const QFileInfo replaced(m_path); replaced.exists()) {
                m_temporary.setPermissions(replaced.permissions());
            }
            return Done{};
        }
        error = errno;
    }
    return SaveFailure(m_path, error);
}

Status FileReplacement::Write(const QByteArray& contents, const QDateTime& modified) {
    if (!m_temporary.isOpen()) {
        if (Status created = Create(); !created.ok()) {
            return created;
        }
    }
    // QFile leaves the errno of the system call that failed.
    errno = 0;
    if (m_temporary.resize(0) && m_temporary.seek(0) &&
        m_temporary.write(contents) == contents.size() &&
        m_temporary.setFileTime(modified, QFileDevice::FileModificationTime)) {
        return Done{};
    }
    return SaveFailure(m_path, errno);
}

}  // namespace linvox
