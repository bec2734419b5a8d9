// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QString>
#include <QTemporaryDir>

namespace linvox {

// A folder for the scratch files of one write, beside the settings file rather than in TMPDIR:
// there the file itself has room. Made when first asked for, removed with the object.
class ScratchFolder {
public:
    explicit ScratchFolder(const QString& settingsFilePath)
        : m_template(settingsFilePath + QStringLiteral(".scratch-XXXXXX")) {}

    // A path no file of this process has had, for QSettings keeps what it parsed of a path while
    // the file's size and time look unchanged; empty when the folder cannot be made.
    QString NewFilePath() {
        if (!m_folder) {
            m_folder = std::make_unique<QTemporaryDir>(m_template);
        }
        return m_folder->isValid() ? m_folder->filePath(QStringLiteral("%1.conf").arg(++m_files))
                                   : QString();
    }

private:
    QString m_template;
    std::unique_ptr<QTemporaryDir> m_folder;
    int m_files = 0;
};

}  // namespace linvox
