#include "settings/UnreadableFileBackup.h"

#include <optional>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariantMap>

namespace linvox {
namespace {

// The values QSettings could read from a file it cannot parse in full; nothing when it parses
// the file fine. QSettings reports a parse failure only the first time a process parses a file,
// later objects sharing the cached result, so a private copy under a fresh name is parsed.
std::optional<QVariantMap> ReadableRemains(const QString& path) {
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("probe.conf"));
    if (!scratch.isValid() || !QFile::copy(path, copy)) {
        return QFileInfo(path).isReadable() ? std::nullopt : std::optional(QVariantMap());
    }
    QSettings probe(copy, QSettings::IniFormat);
    QVariantMap remains;
    for (const QString& key : probe.allKeys()) {
        remains.insert(key, probe.value(key));
    }
    if (probe.status() == QSettings::NoError) {
        return std::nullopt;
    }
    return remains;
}

bool WriteFreshFile(const QString& path, const QVariantMap& values) {
    QSettings fresh(path, QSettings::IniFormat);
    for (auto value = values.begin(); value != values.end(); ++value) {
        fresh.setValue(value.key(), value.value());
    }
    fresh.sync();
    return fresh.status() == QSettings::NoError;
}

QString BackupPath(const QString& path) {
    return path + QStringLiteral(".unreadable-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) +
           QStringLiteral(".bak");
}

}  // namespace

SetAsideOutcome SetAsideIfUnreadable(const QString& settingsFilePath) {
    const QFileInfo file(settingsFilePath);
    if (!file.isFile() || file.size() == 0) {
        return {};
    }
    const std::optional<QVariantMap> remains = ReadableRemains(settingsFilePath);
    if (!remains) {
        return {};
    }
    const QString backup = BackupPath(settingsFilePath);
    if (!QFile::rename(settingsFilePath, backup)) {
        return {{},
                QStringLiteral("файл настроек %1 повреждён, а отложить его копию не удалось")
                    .arg(settingsFilePath)};
    }
    if (!WriteFreshFile(settingsFilePath, *remains)) {
        QFile::remove(settingsFilePath);
        QFile::rename(backup, settingsFilePath);
        return {{},
                QStringLiteral("файл настроек %1 повреждён, а новый записать не удалось")
                    .arg(settingsFilePath)};
    }
    return {backup, {}};
}

}  // namespace linvox
