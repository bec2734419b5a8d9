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

// The values that QSettings reads back as they were in one round of writing them and reading
// them through a copy (it would answer from what it cached on writing).
QVariantMap ReadBackAsWritten(const QVariantMap& values, const QTemporaryDir& scratch, int round) {
    const QString written = scratch.filePath(QStringLiteral("kept-%1.conf").arg(round));
    const QString copy = scratch.filePath(QStringLiteral("kept-%1-copy.conf").arg(round));
    if (!WriteValues(written, values) || !QFile::copy(written, copy)) {
        return {};
    }
    QVariantMap kept;
    const QVariantMap readBack = ValuesIn(QSettings(copy, QSettings::IniFormat));
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
QVariantMap KeptByQSettings(QVariantMap values, const QTemporaryDir& scratch) {
    for (int round = 0;; ++round) {
        QVariantMap kept = ReadBackAsWritten(values, scratch, round);
        if (kept.size() == values.size()) {
            return kept;
        }
        values = std::move(kept);
    }
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
    const QSettings probe(copy, QSettings::IniFormat);
    const QVariantMap remains = ValuesIn(probe);
    if (probe.status() == QSettings::NoError) {
        return std::nullopt;
    }
    return KeptByQSettings(remains, scratch);
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
