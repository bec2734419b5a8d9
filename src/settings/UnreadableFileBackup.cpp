#include "settings/UnreadableFileBackup.h"

#include "settings/IniText.h"

#include <optional>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariantMap>

namespace linvox {
namespace {

// QFile::copy, failing also when the copy came out short, as under a file-size limit.
bool CopyWhole(const QString& from, const QString& to) {
    if (QFile::copy(from, to) && QFileInfo(to).size() == QFileInfo(from).size()) {
        return true;
    }
    QFile::remove(to);
    return false;
}

// The values QSettings could read from a file it cannot parse in full; nothing when it parses
// the file fine, or when no private copy can be made to tell (a write then keeps every line).
// QSettings reports a parse failure only the first time a process parses a file, later objects
// sharing the cached result, so a private copy under a fresh name is parsed.
std::optional<QVariantMap> ReadableRemains(const QString& path) {
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("probe.conf"));
    if (!scratch.isValid() || !CopyWhole(path, copy)) {
        return std::nullopt;
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
    const std::optional<QByteArray> readableText = IniTextOf(*remains);
    if (!readableText) {
        return {{},
                {},
                QStringLiteral("файл настроек %1 повреждён, а новый записать не удалось")
                    .arg(settingsFilePath)};
    }
    const QString backup = BackupPath(settingsFilePath);
    if (!CopyWhole(settingsFilePath, backup)) {
        return {{},
                {},
                QStringLiteral("файл настроек %1 повреждён, а отложить его копию не удалось")
                    .arg(settingsFilePath)};
    }
    return {backup, *readableText, {}};
}

}  // namespace linvox
