#include "settings/SettingsFile.h"

#include "settings/UnreadableFileBackup.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace linvox {
namespace {

QString RefusalReason(QSettings::Status status, const QString& path) {
    if (status == QSettings::AccessError) {
        return QStringLiteral("нет доступа на запись к файлу настроек %1").arg(path);
    }
    return QStringLiteral("файл настроек %1 не удалось записать").arg(path);
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
    const SetAsideOutcome setAside = SetAsideIfUnreadable(m_location.path);
    if (!setAside.refusal.isEmpty()) {
        return StoreStatus::Refused(setAside.refusal);
    }
    const QDateTime replacedFileTime = QFileInfo(m_location.path).lastModified();
    QSettings settings(m_location.path, m_location.format);
    settings.beginGroup(group);
    const QVariant previous = settings.value(key);
    settings.setValue(key, value);
    settings.sync();
    const QSettings::Status status = settings.status();
    if (status == QSettings::NoError) {
        MoveModificationTimePast(m_location.path, replacedFileTime);
        return StoreStatus::Stored(setAside.backupPath.isEmpty()
                                       ? QString()
                                       : SetAsideNotice(m_location.path, setAside.backupPath));
    }
    // QSettings keeps the refused value in its process-wide cache and would save it with some
    // later write; put the previous state back so the refused text never lands.
    if (previous.isValid()) {
        settings.setValue(key, previous);
    } else {
        settings.remove(key);
    }
    return StoreStatus::Refused(RefusalReason(status, settings.fileName()));
}

}  // namespace linvox
