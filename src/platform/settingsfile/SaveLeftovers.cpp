// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile/SaveLeftovers.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace linvox {
namespace {

// What a save names its files after the settings file's name: the new contents, with a random
// base-36 number of 32 bits, beside the file or beside a dated copy being put aside; the scratch
// folder, with QTemporaryDir's six random letters.
QRegularExpression LeftoverNames(const QString& fileName) {
    return QRegularExpression(
        QStringLiteral("^%1(?:(?:\\.unreadable-\\d{8}-\\d{6}-\\d{3}\\.bak)?\\.save-[0-9a-z]{1,7}|"
                       "\\.scratch-[A-Za-z0-9]{6})$")
            .arg(QRegularExpression::escape(fileName)));
}

void RemoveLeftoversBeside(const QString& filePath) {
    const QFileInfo file(filePath);
    const QRegularExpression leftover = LeftoverNames(file.fileName());
    const QDir folder = file.absoluteDir();
    const QFileInfoList entries =
        folder.entryInfoList({file.fileName() + QStringLiteral(".*")},
                             QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System |
                                 QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (!leftover.match(entry.fileName()).hasMatch()) {
            continue;
        }
        if (entry.isDir()) {
            QDir(entry.filePath()).removeRecursively();
        } else {
            QFile::remove(entry.filePath());
        }
    }
}

}  // namespace

void RemoveLeftoversOfEndedSaves(const QString& settingsFilePath) {
    RemoveLeftoversBeside(settingsFilePath);
    if (const QFileInfo file(settingsFilePath);
        file.isSymLink() && !file.canonicalFilePath().isEmpty()) {
        RemoveLeftoversBeside(file.canonicalFilePath());
    }
}

}  // namespace linvox
