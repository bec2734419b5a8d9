#include "settings/UnreadableFileBackup.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace linvox {
namespace {

// QSettings reports a parse failure only the first time a process parses a file; later objects
// share the cached result. A private copy under a fresh name is always parsed anew.
bool IsUnreadable(const QString& path) {
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("probe.conf"));
    if (!scratch.isValid() || !QFile::copy(path, copy)) {
        return !QFileInfo(path).isReadable();
    }
    QSettings probe(copy, QSettings::IniFormat);
    probe.allKeys();
    return probe.status() != QSettings::NoError;
}

QString BackupPath(const QString& path) {
    return path + QStringLiteral(".unreadable-") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) +
           QStringLiteral(".bak");
}

}  // namespace

std::optional<QString> SetAsideIfUnreadable(const QString& settingsFilePath) {
    const QFileInfo file(settingsFilePath);
    if (!file.isFile() || file.size() == 0 || !IsUnreadable(settingsFilePath)) {
        return std::nullopt;
    }
    if (!QFile::rename(settingsFilePath, BackupPath(settingsFilePath))) {
        return QStringLiteral("файл настроек %1 повреждён, а отложить его копию не удалось")
            .arg(settingsFilePath);
    }
    return std::nullopt;
}

}  // namespace linvox
