#include "settings/SettingsFile.h"

#include "settings/IniText.h"
#include "settings/UnreadableFileBackup.h"

#include <chrono>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSettings>

namespace linvox {
namespace {

// A writer holds the lock for a few milliseconds; one that keeps it longer has hung.
constexpr std::chrono::seconds kLockWait{10};

QString AccessRefusal(const QString& path) {
    return QStringLiteral("нет доступа на запись к файлу настроек %1").arg(path);
}

QString WriteRefusal(const QString& path) {
    return QStringLiteral("файл настроек %1 не удалось записать").arg(path);
}

// Why a write was refused: the user's rights, or else the system.
QString WriteRefusalReason(const QString& path) {
    const QFileInfo file(path);
    const bool accessDenied =
        file.exists() ? !file.isWritable() : !QFileInfo(file.absolutePath()).isWritable();
    return accessDenied ? AccessRefusal(path) : WriteRefusal(path);
}

// QSettings in other processes trust their cached copy while the file's size and modification
// time (in milliseconds) look unchanged, and file systems stamp times with a coarse clock: two
// writes of the same size in quick succession can look alike. Moving the time at least a
// millisecond past the replaced file's makes every write visible to the next read.
void MoveModificationTimePast(const QString& path, const QDateTime& replacedFileTime) {
    if (!replacedFileTime.isValid() || QFileInfo(path).lastModified() > replacedFileTime) {
        return;
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        file.setFileTime(replacedFileTime.addMSecs(1), QFileDevice::FileModificationTime);
    }
}

// Replaces the file's contents at once: readers see the old text or the new, never a part.
// Unbuffered, because a buffered QSaveFile commits a file cut short by a short write (as under a
// file-size limit) without an error.
bool ReplaceContents(const QString& path, const QByteArray& text) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.write(text) == text.size() && file.commit();
}

QString SetAsideNotice(const QString& path, const QString& backupPath) {
    return QStringLiteral(
               "Файл настроек %1 не удалось прочитать целиком. Прежний файл сохранён "
               "как %2, а всё, что из него удалось прочитать, перенесено в новый.")
        .arg(path, backupPath);
}

// A hand-written value with an unquoted comma, such as a device path with "Inc," in it, is split
// by QSettings into a list; the user meant the text as written.
QString AsWritten(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QStringList) {
        return value.toStringList().join(u',');
    }
    return value.toString();
}

}  // namespace

SettingsFile::SettingsFile(SettingsLocation location) : m_location(std::move(location)) {}

QString SettingsFile::UnusableReason() const {
    if (!IsFileStore(m_location)) {
        return {};
    }
    const QString& path = m_location.path;
    const QFileInfo file(path);
    if (!file.exists()) {
        return file.isSymLink()
                   ? QStringLiteral("файл настроек %1 — ссылка, которая никуда не ведёт").arg(path)
                   : QString();
    }
    if (file.isDir()) {
        return QStringLiteral("файл настроек %1 — это каталог, а не файл").arg(path);
    }
    if (!file.isFile()) {
        return QStringLiteral("файл настроек %1 — не обычный файл, а канал или устройство")
            .arg(path);
    }
    if (!file.isReadable()) {
        return QStringLiteral("нет доступа на чтение к файлу настроек %1").arg(path);
    }
    return {};
}

std::optional<QString> SettingsFile::Read(const QString& group, const QString& key) const {
    if (!UnusableReason().isEmpty()) {
        return std::nullopt;
    }
    QSettings settings(m_location.path, m_location.format);
    // QSettings parses a file's sections as keys ask for them, and misses the group's own section
    // when a hand-written section of a subgroup ("[linvox/x]") sorts between it and the key;
    // listing the keys parses every section first.
    settings.allKeys();
    settings.beginGroup(group);
    const QVariant value = settings.value(key);
    if (!value.isValid()) {
        return std::nullopt;
    }
    return AsWritten(value);
}

QList<SettingsFile::Entry> SettingsFile::ReadGroup(const QString& group) const {
    if (!UnusableReason().isEmpty()) {
        return {};
    }
    QSettings settings(m_location.path, m_location.format);
    settings.beginGroup(group);
    QList<Entry> entries;
    for (const QString& key : settings.childKeys()) {
        entries.append({key, AsWritten(settings.value(key))});
    }
    return entries;
}

StoreStatus SettingsFile::Write(const QString& group, const QString& key, const QString& value) {
    if (const QString unusable = UnusableReason(); !unusable.isEmpty()) {
        return StoreStatus::Refused(unusable);
    }
    return IsFileStore(m_location) ? WriteToFile(group, key, value)
                                   : WriteToNativeStore(group, key, value);
}

StoreStatus SettingsFile::WriteToFile(const QString& group, const QString& key,
                                      const QString& value) {
    const QString& path = m_location.path;
    QDir().mkpath(QFileInfo(path).absolutePath());
    // The lock file QSettings takes for its own writes, so every writer of the file takes turns.
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(kLockWait)) {
        return StoreStatus::Refused(WriteRefusalReason(path));
    }
    const SetAsideOutcome setAside = SetAsideIfUnreadable(path);
    if (!setAside.refusal.isEmpty()) {
        return StoreStatus::Refused(setAside.refusal);
    }
    QByteArray text = setAside.readableText;
    if (setAside.backupPath.isEmpty() && QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return StoreStatus::Refused(WriteRefusal(path));
        }
        text = file.readAll();
    }
    const QDateTime replacedFileTime = QFileInfo(path).lastModified();
    const std::optional<QByteArray> written = WithEntry(text, group, key, value);
    if (!written || !ReplaceContents(path, *written)) {
        if (!setAside.backupPath.isEmpty()) {
            QFile::remove(setAside.backupPath);
        }
        return StoreStatus::Refused(WriteRefusalReason(path));
    }
    MoveModificationTimePast(path, replacedFileTime);
    return StoreStatus::Stored(
        setAside.backupPath.isEmpty() ? QString() : SetAsideNotice(path, setAside.backupPath));
}

StoreStatus SettingsFile::WriteToNativeStore(const QString& group, const QString& key,
                                             const QString& value) {
    QSettings settings(m_location.path, m_location.format);
    settings.beginGroup(group);
    const QVariant previous = settings.value(key);
    settings.setValue(key, value);
    settings.sync();
    const QSettings::Status status = settings.status();
    if (status == QSettings::NoError) {
        return StoreStatus::Stored();
    }
    // QSettings keeps the refused value in its process-wide cache and would save it with some
    // later write; put the previous state back so the refused text never lands.
    if (previous.isValid()) {
        settings.setValue(key, previous);
    } else {
        settings.remove(key);
    }
    return StoreStatus::Refused(status == QSettings::AccessError
                                    ? AccessRefusal(settings.fileName())
                                    : WriteRefusal(settings.fileName()));
}

}  // namespace linvox
