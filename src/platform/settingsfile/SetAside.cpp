// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile/SetAside.h"

#include "platform/settingsfile/FileReplacement.h"
#include "platform/settingsfile/IniText.h"

#include <optional>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace linvox {
namespace {

// The values that QSettings reads back as they were in one round of writing them (it would
// answer from what it cached on writing, so a copy is read); nothing when they cannot be written.
std::optional<QVariantMap> ReadBackAsWritten(const QVariantMap& values, ScratchFolder& scratch) {
    const QString written = scratch.NewFilePath();
    const QString copy = scratch.NewFilePath();
    if (written.isEmpty() || !WriteValues(written, values)) {
        return std::nullopt;
    }
    // QSettings makes no file when it can write none of the values.
    if (!QFileInfo::exists(written)) {
        return QVariantMap();
    }
    if (!QFile::copy(written, copy)) {
        return std::nullopt;
    }
    QVariantMap kept;
    const QVariantMap readBack = ReadIni(copy).values;
    for (auto value = readBack.begin(); value != readBack.end(); ++value) {
        // The value as it was read: one that only compares equal may have changed its type.
        if (values.contains(value.key()) && values.value(value.key()) == value.value()) {
            kept.insert(value.key(), values.value(value.key()));
        }
    }
    return kept;
}

// The values that can be carried into a new file. QSettings lists keys that name no setting (""
// from a line "=5") or alias another ("/port" from a section "[]"), and changes some lists that
// hold control characters; each round drops what did not come back, until all does.
std::optional<QVariantMap> KeptByQSettings(QVariantMap values, ScratchFolder& scratch) {
    while (!values.isEmpty()) {
        std::optional<QVariantMap> kept = ReadBackAsWritten(values, scratch);
        if (!kept || kept->size() == values.size()) {
            return kept;
        }
        values = std::move(*kept);
    }
    return values;
}

QString BackupPath(const QString& path) {
    return path + QStringLiteral(".unreadable-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) +
           QStringLiteral(".bak");
}

// Keeps bytes, the settings file's own, in a backup at path: on disk before the settings file is
// replaced, so that a power cut cannot leave the readable part without the copy of the whole, and
// as private as the file was.
bool WriteBackup(const QString& path, const QString& settingsFilePath, const QByteArray& bytes) {
    const QFileInfo settingsFile(settingsFilePath);
    FileReplacement backup(path);
    return backup.Write(bytes, settingsFile.lastModified()).ok() &&
           QFile::setPermissions(backup.temporaryPath(), settingsFile.permissions()) &&
           backup.Commit().ok();
}

}  // namespace

Outcome<SetAsideFile> SetAside(const QString& settingsFilePath, const QByteArray& bytes,
                               const QVariantMap& readable, ScratchFolder& scratch) {
    const std::optional<QVariantMap> kept = KeptByQSettings(readable, scratch);
    const std::optional<QByteArray> readableText = kept ? IniTextOf(*kept, scratch) : std::nullopt;
    if (!readableText) {
        return Failure(FailureCode::SettingsFileDamagedNotRewritten, settingsFilePath);
    }
    const QString backup = BackupPath(settingsFilePath);
    if (!WriteBackup(backup, settingsFilePath, bytes)) {
        return Failure(FailureCode::SettingsFileDamagedNotSetAside, settingsFilePath);
    }
    return SetAsideFile{backup, *readableText};
}

}  // namespace linvox
