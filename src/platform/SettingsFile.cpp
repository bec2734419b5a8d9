// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsFile.h"

#include "messages/Phrases.h"
#include "platform/FileReplacement.h"
#include "platform/IniText.h"
#include "platform/SaveLeftovers.h"
#include "platform/SettingsFileLock.h"
#include "platform/SettingsFileRefusals.h"
#include "platform/UnreadableFileBackup.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <sys/stat.h>
#include <thread>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace linvox {
namespace {

// An editor that saves by rewriting the file in place, without a rename and without the lock,
// leaves it half written for a moment. A file that cannot be read is read again until it has
// been left alone this long since it was last modified, and set aside only if it stays
// unreadable; one that keeps changing is taken as it is after the longest wait.
constexpr std::chrono::milliseconds kQuietTime{1000};
constexpr std::chrono::milliseconds kLookAgainAfter{50};
constexpr std::chrono::milliseconds kLongestSettling{3000};

// The folder on the way to path that the user may not search, which hides whether the file is
// there; empty when the way can be followed (to the file, or to a folder that does not exist).
QString UnsearchableFolderOnTheWay(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0 || errno != EACCES) {
        return {};
    }
    // The deepest folder that can be looked at is the one: every folder above it can be searched.
    QFileInfo folder(QFileInfo(path).absolutePath());
    while (::stat(QFile::encodeName(folder.filePath()).constData(), &status) != 0 &&
           !folder.isRoot()) {
        folder.setFile(folder.absolutePath());
    }
    return folder.filePath();
}

// Why a write was refused: the user's rights, or else the system.
QString WriteRefusalReason(const QString& path) {
    const QFileInfo file(path);
    const bool accessDenied =
        file.exists() ? !file.isWritable() : !QFileInfo(file.absolutePath()).isWritable();
    return accessDenied ? AccessRefusal(path) : WriteRefusal(path);
}

QString SetAsideNotice(const QString& path, const QString& backupPath) {
    return Say(Phrase::SettingsFileSetAside).arg(path, backupPath);
}

// A hand-written value with an unquoted comma, such as a device path with "Inc," in it, is split
// by QSettings into a list; the user meant the text as written.
QString AsWritten(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QStringList) {
        return value.toStringList().join(u',');
    }
    return value.toString();
}

// The file's bytes: none for an absent file, nothing when it cannot be read.
std::optional<QByteArray> ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return QByteArray();
    }
    return file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
}

// The entries directly in group, from values keyed "group/key".
QList<SettingsFile::Entry> EntriesOf(const QVariantMap& values, const QString& group) {
    const QString prefix = group + u'/';
    QList<SettingsFile::Entry> entries;
    for (auto value = values.lowerBound(prefix); value != values.end(); ++value) {
        if (!value.key().startsWith(prefix)) {
            break;
        }
        const QString key = value.key().mid(prefix.size());
        if (!key.contains(u'/')) {
            entries.append({key, AsWritten(value.value())});
        }
    }
    return entries;
}

// The new contents of the settings file, read back through QSettings after every write to the
// temporary file. QSettings, in this process and in others, trusts what it parsed of a file
// while its size and modification time (in milliseconds) look unchanged, and file systems stamp
// times with a coarse clock: every write is stamped a millisecond later than the last, the first
// one later than the replaced file, so that each is parsed afresh and the committed file is seen
// as changed.
class ReadBackReplacement {
public:
    explicit ReadBackReplacement(const QString& path) : m_file(path) {
        const QDateTime replaced = QFileInfo(path).lastModified();
        const QDateTime now = QDateTime::currentDateTime();
        m_stamp = replaced.isValid() && replaced > now ? replaced : now;
    }

    // What QSettings reads from text written as the new contents; nothing when it could not be
    // written in full.
    std::optional<IniReading> WriteAndRead(const QByteArray& text) {
        m_stamp = m_stamp.addMSecs(1);
        if (!m_file.Write(text, m_stamp)) {
            return std::nullopt;
        }
        return ReadIni(m_file.temporaryPath());
    }

    bool Commit() { return m_file.Commit(); }

private:
    FileReplacement m_file;
    QDateTime m_stamp;
};

// The bytes of the settings file and what QSettings reads from them.
struct Contents {
    QByteArray text;
    IniReading read;
};

// What QSettings reads from text as the new contents; nothing when it cannot be written.
std::optional<Contents> ReadThrough(ReadBackReplacement& replacement, const QByteArray& text) {
    std::optional<IniReading> read = replacement.WriteAndRead(text);
    return read ? std::optional(Contents{text, std::move(*read)}) : std::nullopt;
}

// The file's contents as they are once no one is writing them; nothing when they cannot be read.
std::optional<Contents> ReadSettled(const QString& path, ReadBackReplacement& replacement) {
    std::optional<QByteArray> text = ReadBytes(path);
    std::optional<Contents> contents = text ? ReadThrough(replacement, *text) : std::nullopt;
    const QDeadlineTimer settling(kLongestSettling);
    while (contents && !contents->read.readInFull && !settling.hasExpired()) {
        const qint64 quiet = QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime());
        if (quiet >= kQuietTime.count()) {
            break;
        }
        std::this_thread::sleep_for(
            std::min(kLookAgainAfter, std::chrono::milliseconds(kQuietTime.count() - quiet)));
        if (std::optional<QByteArray> again = ReadBytes(path); again != text) {
            text = std::move(again);
            contents = text ? ReadThrough(replacement, *text) : std::nullopt;
        }
    }
    return contents;
}

// Writes the contents with the chosen entries of group set to the temporary file, each line
// changed where it stands; whether it reads back with them. A hand-written line can swallow the
// lines after it (a value whose closing quotation mark is missing) or carry on into the next (a
// trailing backslash): the edit must read as the old contents with the entries set, or else
// QSettings rewrites the file itself, keeping every value but no comment.
bool WriteChosen(const Contents& contents, const QString& group,
                 const QList<SettingsFile::Entry>& chosen, ReadBackReplacement& replacement,
                 ScratchFolder& scratch) {
    QList<IniEntry> encoded;
    QVariantMap written;
    for (const SettingsFile::Entry& entry : chosen) {
        const std::optional<IniEntry> line = EncodeEntry(group, entry.key, entry.value, scratch);
        if (!line) {
            return false;
        }
        encoded.append(*line);
        written.insert(group + u'/' + entry.key, entry.value);
    }
    QVariantMap expected = contents.read.values;
    expected.insert(written);
    const std::optional<IniReading> edited =
        replacement.WriteAndRead(WithEntries(contents.text, encoded));
    if (edited && edited->readInFull && edited->values == expected) {
        return true;
    }
    const std::optional<QByteArray> rewritten =
        RewrittenByQSettings(contents.text, written, scratch);
    const std::optional<IniReading> reread =
        rewritten ? replacement.WriteAndRead(*rewritten) : std::nullopt;
    return reread &&
           std::all_of(written.keyValueBegin(), written.keyValueEnd(), [&](const auto& value) {
               return reread->values.value(value.first) == value.second;
           });
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
        if (file.isSymLink()) {
            return Say(Phrase::SettingsLinkLeadsNowhere).arg(path);
        }
        // Taken as absent, the file would give the defaults, which name ports the user never chose.
        if (const QString folder = UnsearchableFolderOnTheWay(path); !folder.isEmpty()) {
            return Say(Phrase::SettingsFolderNotSearchable).arg(folder, path);
        }
        return {};
    }
    if (file.isDir()) {
        return Say(Phrase::SettingsFileIsFolder).arg(path);
    }
    if (!file.isFile()) {
        return Say(Phrase::SettingsFileIsNoFile).arg(path);
    }
    if (!file.isReadable()) {
        return Say(Phrase::SettingsFileNotReadable).arg(path);
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
        // A hand-written value that QSettings cannot decode ("@Invalid()") holds no text, which
        // names no port; taken as absent, its default would name COM1, a port the user never chose.
        return settings.contains(key) ? std::optional<QString>(QString()) : std::nullopt;
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
    return Update(group, [&](const QList<Entry>&) { return QList<Entry>{{key, value}}; });
}

StoreStatus SettingsFile::Update(const QString& group, const GroupUpdate& choose) {
    if (const QString unusable = UnusableReason(); !unusable.isEmpty()) {
        return StoreStatus::Refused(unusable);
    }
    return IsFileStore(m_location) ? UpdateFile(group, choose) : UpdateNativeStore(group, choose);
}

StoreStatus SettingsFile::UpdateFile(const QString& group, const GroupUpdate& choose) {
    const QString& path = m_location.path;
    if (const QString folder = QFileInfo(path).absolutePath(); !QFileInfo::exists(folder)) {
        QDir().mkpath(folder);
    }
    SettingsFileLock lock(path);
    if (const QString refusal = lock.Take(); !refusal.isEmpty()) {
        return StoreStatus::Refused(refusal);
    }
    RemoveLeftoversOfEndedSaves(path);
    ReadBackReplacement replacement(path);
    std::optional<Contents> contents = ReadSettled(path, replacement);
    if (!contents) {
        return StoreStatus::Refused(WriteRefusalReason(path));
    }
    ScratchFolder scratch(path);
    SetAsideOutcome setAside;
    if (!contents->read.readInFull) {
        setAside = SetAside(path, contents->text, contents->read.values, scratch);
        if (!setAside.refusal.isEmpty()) {
            return StoreStatus::Refused(setAside.refusal);
        }
        contents = ReadThrough(replacement, setAside.readableText);
    }
    const QList<Entry> current =
        contents ? EntriesOf(contents->read.values, group) : QList<Entry>();
    const QList<Entry> chosen = contents ? choose(current) : QList<Entry>();
    // The window stores every field it fills, and each keystroke: a choice that the file holds
    // already costs no rewrite and no wait for the disk.
    const bool changesNothing = std::all_of(chosen.begin(), chosen.end(), [&](const Entry& entry) {
        return std::find(current.begin(), current.end(), entry) != current.end();
    });
    if (contents && changesNothing && setAside.backupPath.isEmpty()) {
        return StoreStatus::Stored();
    }
    if (!contents || !WriteChosen(*contents, group, chosen, replacement, scratch) ||
        !replacement.Commit()) {
        if (!setAside.backupPath.isEmpty()) {
            QFile::remove(setAside.backupPath);
        }
        return StoreStatus::Refused(WriteRefusalReason(path));
    }
    return StoreStatus::Stored(
        setAside.backupPath.isEmpty() ? QString() : SetAsideNotice(path, setAside.backupPath));
}

StoreStatus SettingsFile::UpdateNativeStore(const QString& group, const GroupUpdate& choose) {
    // The registry has no lock of ours, and its values are written one by one.
    for (const Entry& entry : choose(ReadGroup(group))) {
        if (StoreStatus status = WriteToNativeStore(group, entry.key, entry.value);
            !status.stored()) {
            return status;
        }
    }
    return StoreStatus::Stored();
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
