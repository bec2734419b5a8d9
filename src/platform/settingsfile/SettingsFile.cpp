// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile/SettingsFile.h"

#include "platform/settingsfile/FileReplacement.h"
#include "platform/settingsfile/IniText.h"
#include "platform/settingsfile/SaveFailure.h"
#include "platform/settingsfile/SaveLeftovers.h"
#include "platform/settingsfile/SetAside.h"
#include "platform/settingsfile/SettingsFileLock.h"

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
// A settings file holds a few hundred bytes; QSettings takes twice a file's size to read it, and a
// file far beyond this is no settings file, so it is never read.
constexpr qint64 kLargestSettingsFile = 1024 * 1024;

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

// A hand-written value with an unquoted comma, such as a device path with "Inc," in it, is split
// by QSettings into a list; the user meant the text as written.
QString AsWritten(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QStringList) {
        return value.toStringList().join(u',');
    }
    return value.toString();
}

// The file's bytes: none for an absent file; why not when it cannot be read.
Outcome<QByteArray> ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return QByteArray();
    }
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        return SaveFailure(path, errno);
    }
    return file.readAll();
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

    // What QSettings reads from text written as the new contents; why not when it could not be
    // written in full.
    Outcome<IniReading> WriteAndRead(const QByteArray& text) {
        m_stamp = m_stamp.addMSecs(1);
        if (Status written = m_file.Write(text, m_stamp); !written.ok()) {
            return written.failure();
        }
        return ReadIni(m_file.temporaryPath());
    }

    Status Commit() { return m_file.Commit(); }

private:
    FileReplacement m_file;
    QDateTime m_stamp;
};

// The bytes of the settings file and what QSettings reads from them.
struct Contents {
    QByteArray text;
    IniReading read;
};

// What QSettings reads from text as the new contents; why not when it cannot be written.
Outcome<Contents> ReadThrough(ReadBackReplacement& replacement, const Outcome<QByteArray>& text) {
    if (!text.ok()) {
        return text.failure();
    }
    const Outcome<IniReading> read = replacement.WriteAndRead(text.value());
    if (!read.ok()) {
        return read.failure();
    }
    return Contents{text.value(), read.value()};
}

// The file's contents as they are once no one is writing them; why not when they cannot be read.
Outcome<Contents> ReadSettled(const QString& path, ReadBackReplacement& replacement) {
    Outcome<QByteArray> text = ReadBytes(path);
    Outcome<Contents> contents = ReadThrough(replacement, text);
    const QDeadlineTimer settling(kLongestSettling);
    while (contents.ok() && !contents.value().read.readInFull && !settling.hasExpired()) {
        const qint64 quiet = QFileInfo(path).lastModified().msecsTo(QDateTime::currentDateTime());
        if (quiet >= kQuietTime.count()) {
            break;
        }
        std::this_thread::sleep_for(
            std::min(kLookAgainAfter, std::chrono::milliseconds(kQuietTime.count() - quiet)));
        if (Outcome<QByteArray> again = ReadBytes(path); again != text) {
            text = std::move(again);
            contents = ReadThrough(replacement, text);
        }
    }
    return contents;
}

// Writes the contents with the chosen entries of group set to the temporary file, each line
// changed where it stands; done when it reads back with them. A hand-written line can swallow the
// lines after it (a value whose closing quotation mark is missing) or carry on into the next (a
// trailing backslash): the edit must read as the old contents with the entries set, or else
// QSettings rewrites the file itself, keeping every value but no comment. The scratch files that
// encoding takes fail without an errno of their own: path names the file that was not written.
Status WriteChosen(const QString& path, const Contents& contents, const QString& group,
                   const QList<SettingsFile::Entry>& chosen, ReadBackReplacement& replacement,
                   ScratchFolder& scratch) {
    QList<IniEntry> encoded;
    QVariantMap written;
    for (const SettingsFile::Entry& entry : chosen) {
        const std::optional<IniEntry> line = EncodeEntry(group, entry.key, entry.value, scratch);
        if (!line) {
            return SaveFailure(path, 0);
        }
        encoded.append(*line);
        written.insert(group + u'/' + entry.key, entry.value);
    }
    QVariantMap expected = contents.read.values;
    expected.insert(written);
    const Outcome<IniReading> edited =
        replacement.WriteAndRead(WithEntries(contents.text, encoded));
    if (!edited.ok() || (edited.value().readInFull && edited.value().values == expected)) {
        return edited.ok() ? Status(Done{}) : edited.failure();
    }
    const std::optional<QByteArray> rewritten =
        RewrittenByQSettings(contents.text, written, scratch);
    if (!rewritten) {
        return SaveFailure(path, 0);
    }
    const Outcome<IniReading> reread = replacement.WriteAndRead(*rewritten);
    if (!reread.ok()) {
        return reread.failure();
    }
    const bool readBack =
        std::all_of(written.keyValueBegin(), written.keyValueEnd(), [&](const auto& value) {
            return reread.value().values.value(value.first) == value.second;
        });
    return readBack ? Status(Done{}) : SaveFailure(path, 0);
}

}  // namespace

SettingsFile::SettingsFile(SettingsLocation location) : m_location(std::move(location)) {}

Status SettingsFile::Usable() const {
    if (!IsFileStore(m_location)) {
        return Done{};
    }
    const QString& path = m_location.path;
    const QFileInfo file(path);
    if (!file.exists()) {
        if (file.isSymLink()) {
            return Failure(FailureCode::SettingsLinkLeadsNowhere, path);
        }
        // Taken as absent, the file would give the defaults, which name ports the user never chose.
        if (const QString folder = UnsearchableFolderOnTheWay(path); !folder.isEmpty()) {
            return Failure(FailureCode::SettingsFolderNotSearchable, path, folder);
        }
        return Done{};
    }
    if (file.isDir()) {
        return Failure(FailureCode::SettingsFileIsFolder, path);
    }
    if (!file.isFile()) {
        return Failure(FailureCode::SettingsFileIsNoFile, path);
    }
    if (!file.isReadable()) {
        return Failure(FailureCode::SettingsFileNotReadable, path);
    }
    if (file.size() > kLargestSettingsFile) {
        return Failure(FailureCode::SettingsFileTooLarge, path);
    }
    return Done{};
}

std::optional<QString> SettingsFile::Read(const QString& group, const QString& key) const {
    if (!Usable().ok()) {
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
    if (!Usable().ok()) {
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
    if (Status usable = Usable(); !usable.ok()) {
        return usable.failure();
    }
    return IsFileStore(m_location) ? UpdateFile(group, choose) : UpdateNativeStore(group, choose);
}

StoreStatus SettingsFile::UpdateFile(const QString& group, const GroupUpdate& choose) {
    const QString& path = m_location.path;
    if (const QString folder = QFileInfo(path).absolutePath(); !QFileInfo::exists(folder)) {
        QDir().mkpath(folder);
    }
    SettingsFileLock lock(path);
    if (Status taken = lock.Take(); !taken.ok()) {
        return taken.failure();
    }
    RemoveLeftoversOfEndedSaves(path);
    ReadBackReplacement replacement(path);
    Outcome<Contents> contents = ReadSettled(path, replacement);
    if (!contents.ok()) {
        return contents.failure();
    }
    ScratchFolder scratch(path);
    std::optional<QString> backupPath;
    if (!contents.value().read.readInFull) {
        const Outcome<SetAsideFile> setAside =
            SetAside(path, contents.value().text, contents.value().read.values, scratch);
        if (!setAside.ok()) {
            return setAside.failure();
        }
        backupPath = setAside.value().backupPath;
        contents = ReadThrough(replacement, setAside.value().readableText);
    }
    const QList<Entry> current =
        contents.ok() ? EntriesOf(contents.value().read.values, group) : QList<Entry>();
    const QList<Entry> chosen = contents.ok() ? choose(current) : QList<Entry>();
    // The window stores every field it fills, and each keystroke: a choice that the file holds
    // already costs no rewrite and no wait for the disk.
    const bool changesNothing = std::all_of(chosen.begin(), chosen.end(), [&](const Entry& entry) {
        return std::find(current.begin(), current.end(), entry) != current.end();
    });
    if (contents.ok() && changesNothing && !backupPath) {
        return Stored{};
    }
    Status written = contents.ok()
                         ? WriteChosen(path, contents.value(), group, chosen, replacement, scratch)
                         : Status(contents.failure());
    if (written.ok()) {
        written = replacement.Commit();
    }
    if (!written.ok()) {
        if (backupPath) {
            QFile::remove(*backupPath);
        }
        return written.failure();
    }
    if (!backupPath) {
        return Stored{};
    }
    return Stored{Failure(FailureCode::SettingsFileSetAside, path, *backupPath)};
}

StoreStatus SettingsFile::UpdateNativeStore(const QString& group, const GroupUpdate& choose) {
    // The registry has no lock of ours, and its values are written one by one.
    for (const Entry& entry : choose(ReadGroup(group))) {
        if (StoreStatus status = WriteToNativeStore(group, entry.key, entry.value); !status.ok()) {
            return status;
        }
    }
    return Stored{};
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
        return Stored{};
    }
    // QSettings keeps the refused value in its process-wide cache and would save it with some
    // later write; put the previous state back so the refused text never lands.
    if (previous.isValid()) {
        settings.setValue(key, previous);
    } else {
        settings.remove(key);
    }
    return SaveFailure(settings.fileName(), status == QSettings::AccessError ? EACCES : 0);
}

}  // namespace linvox
