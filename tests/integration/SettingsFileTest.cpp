// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/Operators.h"
#include "platform/settingsfile/SettingsFile.h"
#include "platform/settingsfile/SettingsFileLock.h"
#include "settings/SettingsStore.h"
#include "support/ChildLifetime.h"
#include "support/FileModes.h"
#include "support/QtPrinters.h"
#include "support/ScratchSettings.h"
#include "support/SettingsPeerProcess.h"
#include "support/StoredText.h"

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <linux/fs.h>
#include <memory>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace linvox::testing {
namespace {

TEST(SettingsStore, EmptyStoreGivesDefaultsAndStaysUnwritten) {
    ScratchSettings scratch;
    const SettingsStore store = scratch.store();
    for (const Operator& route : kOperators) {
        EXPECT_EQ(store.Read(route.port), 1) << route.port.key;
    }
    EXPECT_EQ(store.ReadSetting(kPhoneMode), "false");
    EXPECT_EQ(StoredText(scratch.file(), "port"), "<absent>");
    EXPECT_FALSE(QFile::exists(scratch.filePath()));
}

TEST(SettingsStore, KeepsEveryTextExactlyAsWritten) {
    ScratchSettings scratch;
    SettingsFile& store = scratch.file();
    const QStringList texts{" 7",  "1,5", "2.5", "+3", "True",     "@String(x)",
                            "a=b", "x;y", "  ",  "",   "[linvox]", QStringLiteral("Порт")};
    for (const QString& text : texts) {
        ASSERT_TRUE(store.Write(kSettingsSection, "port", text).ok());
        EXPECT_EQ(StoredText(store, "port"), text);
    }
    EXPECT_TRUE(scratch.rawFile().startsWith("[linvox]\n"));
}

TEST(SettingsStore, ReadsAnUnquotedCommaOfAHandEditedFileAsText) {
    ScratchSettings scratch;
    scratch.writeRawFile("[linvox]\nport=1,5\n");
    EXPECT_EQ(StoredText(scratch.file(), "port"), "1,5");
    EXPECT_EQ(scratch.store().Read(kPortForOthers), 1);
}

TEST(SettingsStore, ReadsAHandWrittenValueItCannotDecodeAsNoPortRatherThanTheDefault) {
    ScratchSettings scratch;
    scratch.writeRawFile("[linvox]\nport=@Invalid()\n");
    EXPECT_EQ(StoredText(scratch.file(), "port"), "");
    EXPECT_EQ(scratch.store().Read(kPortForOthers), 0);
}

TEST(SettingsStore, TwoProcessesSeeEachOthersWritesAtOnce) {
    ScratchSettings scratch;
    SettingsFile& store = scratch.file();
    SettingsPeerProcess peer(scratch.filePath());
    EXPECT_EQ(peer.ask("read port"), "<absent>");
    // Values of one length, so a reader cannot tell them apart by the file's size.
    for (int round = 10; round < 40; ++round) {
        const QString ours = QString::number(round);
        ASSERT_TRUE(store.Write(kSettingsSection, "port", ours).ok());
        EXPECT_EQ(peer.ask("read port"), ours);

        const QString theirs = QString::number(round + 50);
        EXPECT_EQ(peer.ask("write port_mts " + theirs), "stored");
        EXPECT_EQ(StoredText(store, "port_mts"), theirs);
        EXPECT_EQ(scratch.store().Read(kOperators[0].port), round + 50);
    }
}

// Refuses every write of this process to regular files while it lives: a store that cannot grow
// its file behaves like a full disk, and root is refused too.
class FullDisk {
public:
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = 1;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

TEST(SettingsStore, RefusedWriteReportsAndKeepsTheOldValue) {
    ScratchSettings scratch;
    scratch.preset({{"port", "4"}, {"port_mts", "5"}});
    const QByteArray before = scratch.rawFile();
    SettingsFile& store = scratch.file();
    {
        FullDisk full;
        const StoreStatus status = store.Write(kSettingsSection, "port", "12");
        EXPECT_EQ(status, StoreStatus(Failure(FailureCode::SettingsFileNotWritten,
                                              scratch.filePath(), {}, EFBIG)));
        EXPECT_EQ(StoredText(store, "port"), "4");
    }
    EXPECT_EQ(scratch.rawFile(), before);
    // A later write that succeeds must not carry the refused text along.
    ASSERT_TRUE(store.Write(kSettingsSection, "port_mts", "6").ok());
    EXPECT_EQ(StoredText(scratch.file(), "port"), "4");
    EXPECT_FALSE(scratch.rawFile().contains("12"));
}

TEST(SettingsStore, RefusedFirstWriteLeavesTheKeyAbsent) {
    ScratchSettings scratch;
    QFile blocker(scratch.directory() + "/not-a-directory");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsFile file({blocker.fileName() + "/config/MyApp.conf", QSettings::IniFormat});
    SettingsFile& store = file;

    EXPECT_FALSE(store.Write(kSettingsSection, "port", "3").ok());
    EXPECT_EQ(StoredText(store, "port"), "<absent>");
    EXPECT_FALSE(store.Write(kSettingsSection, "port_mts", "4").ok());
    EXPECT_EQ(StoredText(store, "port"), "<absent>");
}

struct UnreadableCase {
    const char* name;
    QByteArray contents;
    // Group/key and value pairs that can still be read from the contents.
    std::vector<std::pair<QString, QString>> readable;
};

void PrintTo(const UnreadableCase& unreadable, std::ostream* out) {
    *out << unreadable.name;
}

class UnreadableSettingsFile : public ::testing::TestWithParam<UnreadableCase> {};

TEST_P(UnreadableSettingsFile, IsSetAsideWithWhatCouldBeReadCarriedOver) {
    ScratchSettings scratch;
    scratch.writeRawFile(GetParam().contents, ScratchSettings::Written::LongAgo);
    QFile::setPermissions(scratch.filePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    SettingsFile& store = scratch.file();
    // Reading first matters: afterwards QSettings no longer reports the file as unreadable.
    static_cast<void>(store.Read(kSettingsSection, "port"));

    const StoreStatus status = store.Write(kSettingsSection, "port_mts", "3");

    ASSERT_TRUE(status.ok());
    const QStringList backups =
        QDir(scratch.directory()).entryList({"MyApp.conf.unreadable-*.bak"}, QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_EQ(status.value().notice, Failure(FailureCode::SettingsFileSetAside, scratch.filePath(),
                                             scratch.directory() + '/' + backups.first()));
    QFile backup(scratch.directory() + '/' + backups.first());
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), GetParam().contents);
    EXPECT_FALSE(backup.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther))
        << "the copy is readable by others";
    EXPECT_EQ(StoredText(store, "port_mts"), "3");
    QSettings fresh(scratch.filePath(), QSettings::NativeFormat);
    for (const auto& [key, value] : GetParam().readable) {
        EXPECT_EQ(fresh.value(key).toString(), value) << key;
    }

    // The fresh file is readable, so later writes keep no further copies.
    const StoreStatus later = store.Write(kSettingsSection, "port_ks", "4");
    EXPECT_TRUE(later.ok());
    EXPECT_EQ(later.value().notice, std::nullopt);
    EXPECT_EQ(QDir(scratch.directory()).entryList({"*.bak"}, QDir::Files).size(), 1);
}

template <size_t N>
QByteArray Bytes(const char (&literal)[N]) {
    return QByteArray(literal, N - 1);
}

INSTANTIATE_TEST_SUITE_P(
    DamagedContents, UnreadableSettingsFile,
    ::testing::Values(
        UnreadableCase{
            "a comment line QSettings does not know",
            "[linvox]\nport=9\nport_mts=2\n1telefon=True\n\n[ports]\n"
            "# the phone on USB\nCOM3=/dev/ttyACM0\n",
            {{"linvox/port", "9"}, {"linvox/1telefon", "True"}, {"ports/COM3", "/dev/ttyACM0"}}},
        UnreadableCase{"control bytes at the end",
                       Bytes("[linvox]\nport=5\n\x01\x02\x03"),
                       {{"linvox/port", "5"}}},
        UnreadableCase{"binary garbage", Bytes("\xff\xfe\0garbage\n[linvox\nport=5\n"), {}},
        UnreadableCase{"zeros", QByteArray(64, '\0'), {}}));

TEST(SettingsStore, SimultaneousFirstSavesToADamagedFileBothLand) {
    ScratchSettings scratch;
    SettingsPeerProcess first(scratch.filePath());
    SettingsPeerProcess second(scratch.filePath());
    constexpr int kRounds = 10;
    for (int round = 0; round < kRounds; ++round) {
        scratch.writeRawFile("[linvox]\nport=5\n# a line QSettings cannot read\n",
                             ScratchSettings::Written::LongAgo);
        first.send("write port_mts 2");
        second.send("write port_ks 3");
        EXPECT_EQ(first.answer(), "stored") << "round " << round;
        EXPECT_EQ(second.answer(), "stored") << "round " << round;
        const QByteArray file = scratch.rawFile();
        EXPECT_TRUE(file.contains("port=5\n") && file.contains("port_mts=2\n") &&
                    file.contains("port_ks=3\n"))
            << file.toStdString();
    }
    // One copy put aside per damaged file: the second writer found the first one's repair.
    EXPECT_EQ(QDir(scratch.directory()).entryList({"*.bak"}, QDir::Files).size(), kRounds);
}

TEST(SettingsStore, WriteChangesOnlyTheLineOfItsKeyKeepingComments) {
    ScratchSettings scratch;
    scratch.writeRawFile(
        "; my phones\n[linvox]\n; the USB phone takes MTS\nport_mts=3\nport = 9\n\n"
        "[ports]\n; the phone on USB\nCOM3=/dev/ttyACM0\n");
    ASSERT_TRUE(scratch.file().Write(kSettingsSection, "port", "4").ok());
    ASSERT_TRUE(scratch.file().Write(kSettingsSection, "port_ks", "5").ok());
    ASSERT_TRUE(scratch.file().Write("ports", "COM4", "/dev/rfcomm0").ok());

    EXPECT_EQ(scratch.rawFile(),
              "; my phones\n[linvox]\n; the USB phone takes MTS\nport_mts=3\nport=4\nport_ks=5\n\n"
              "[ports]\n; the phone on USB\nCOM3=/dev/ttyACM0\nCOM4=/dev/rfcomm0\n");
}

TEST(SettingsStore, ValueTheFileHoldsAlreadyIsNotWrittenAgain) {
    ScratchSettings scratch;
    scratch.writeRawFile("[linvox]\nport = 4\n", ScratchSettings::Written::LongAgo);
    const QDateTime modified = QFileInfo(scratch.filePath()).lastModified();

    ASSERT_TRUE(scratch.file().Write(kSettingsSection, "port", "4").ok());

    EXPECT_EQ(scratch.rawFile(), "[linvox]\nport = 4\n");
    EXPECT_EQ(QFileInfo(scratch.filePath()).lastModified(), modified);
}

TEST(SettingsStore, SettingsFileKeptElsewhereThroughALinkStaysALink) {
    ScratchSettings scratch;
    QFile kept(scratch.directory() + "/dotfiles-MyApp.conf");
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.close();
    ASSERT_TRUE(QFile::link(kept.fileName(), scratch.filePath()));
    ASSERT_TRUE(scratch.file().Write(kSettingsSection, "port", "4").ok());
    EXPECT_TRUE(QFileInfo(scratch.filePath()).isSymLink());
    EXPECT_EQ(StoredText(scratch.file(), "port"), "4");
}

TEST(SettingsStore, StoreThatIsNoRegularFileOrIsHugeIsNeverRead) {
    // Opened, a FIFO without a writer would block its reader for good; a file of gigabytes would
    // take twice its size in memory to read.
    const std::pair<std::function<void(const QString&)>, FailureCode> stores[] = {
        {[](const QString& path) { ::mkfifo(QFile::encodeName(path), 0600); },
         FailureCode::SettingsFileIsNoFile},
        {[](const QString& path) {
             QFile file(path);
             file.open(QIODevice::WriteOnly);
             file.write("[linvox]\nport=4\n");
             file.resize(1024 * 1024 + 1);
         },
         FailureCode::SettingsFileTooLarge}};
    for (const auto& [make, refusal] : stores) {
        ScratchSettings scratch;
        make(scratch.filePath());
        const QFileInfo made(scratch.filePath());
        EXPECT_EQ(StoredText(scratch.file(), "port"), "<absent>");
        EXPECT_EQ(scratch.file().Write(kSettingsSection, "port", "3"),
                  StoreStatus(Failure(refusal, scratch.filePath())));
        const QFileInfo left(scratch.filePath());
        EXPECT_EQ(std::pair(left.size(), left.lastModified()),
                  std::pair(made.size(), made.lastModified()));
    }
}

struct FolderCase {
    const char* name;
    // Where the settings file lies, below a scratch folder, and whether it is made there.
    QString file;
    bool made;
    // The folder given a mode, and that.
    QString folder;
    QFile::Permissions mode;
    // Whether the store is refused, naming the folder; else what is read of port_mts.
    bool refused;
    QString read;
};

void PrintTo(const FolderCase& folder, std::ostream* out) {
    *out << folder.name;
}

class SettingsFolders : public ::testing::TestWithParam<FolderCase> {};

// A file taken as absent while it is there would give the defaults: calls to COM1.
TEST_P(SettingsFolders, ThatCannotBeSearchedAreRefusedAsUnreadableFilesAre) {
    if (!ChildrenCanBeHeldToFilePermissions()) {
        GTEST_SKIP() << "root here may not drop its right to pass file permissions";
    }
    const QTemporaryDir scratch;
    const QString file = scratch.filePath(GetParam().file);
    const QString folder = scratch.filePath(GetParam().folder);
    if (GetParam().made) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::WriteOnly));
        written.write("[linvox]\nport_mts=3\n");
    }
    ASSERT_TRUE(QFile::setPermissions(folder, GetParam().mode));
    SettingsPeerProcess peer(file, QProcessEnvironment::systemEnvironment(),
                             WithoutPermissionOverride);
    const QString read = peer.ask("read port_mts");
    const QString save = peer.ask("write port 5");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_EQ(read, GetParam().refused ? "<absent>" : GetParam().read);
    const QString refusal =
        "refused: " + Say(Failure(FailureCode::SettingsFolderNotSearchable, file, folder));
    EXPECT_EQ(save, GetParam().refused ? refusal : "stored");
}

constexpr QFile::Permissions kAll = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions kAllButListing = QFile::WriteOwner | QFile::ExeOwner;

INSTANTIATE_TEST_SUITE_P(
    Modes, SettingsFolders,
    ::testing::Values(
        FolderCase{"its folder closed", "config/MyApp.conf", true, "config", {}, true, ""},
        FolderCase{
            "a folder above it closed", "home/config/MyApp.conf", true, "home", {}, true, ""},
        FolderCase{"its folder listed only", "config/MyApp.conf", true, "config", QFile::ReadOwner,
                   true, ""},
        // Searching, not listing, finds the file.
        FolderCase{"its folder not listed", "config/MyApp.conf", true, "config", kAllButListing,
                   false, "3"},
        // A fresh start.
        FolderCase{"its folder not made yet", "config/MyApp.conf", false, "", kAll, false,
                   "<absent>"}));

// A save killed between writing and renaming, or while it put a damaged file aside. The settings
// file is kept elsewhere through a link, whose file gets its new contents beside itself.
TEST(SettingsStore, SaveRemovesWhatEndedSavesLeftAndNothingElse) {
    ScratchSettings scratch;
    const QDir folder(scratch.directory());
    scratch.writeRawFile("[linvox]\nport=4\n");
    ASSERT_TRUE(QFile::rename(scratch.filePath(), folder.filePath("dotfiles.conf")));
    ASSERT_TRUE(QFile::link(folder.filePath("dotfiles.conf"), scratch.filePath()));
    const QStringList leftovers{"MyApp.conf.save-1z141z3", "dotfiles.conf.save-0",
                                "MyApp.conf.unreadable-20240102-030405-006.bak.save-k2"};
    // A copy put aside, a name of the user's, a QSettings writer's temporary file, another file's.
    const QStringList others{"MyApp.conf.unreadable-20240102-030405-006.bak",
                             "MyApp.conf.save-notes.txt",
                             "MyApp.conf.save-",
                             "MyApp.conf.KcTqWz",
                             "Other.conf.save-abc",
                             "MyApp.conf.scratch-AbCdEf.old"};
    for (const QString& name : leftovers + others) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(folder.mkpath("MyApp.conf.scratch-AbCdEf/MyApp.conf.scratch-QwErTy"));
    QFile scratchFile(folder.filePath("MyApp.conf.scratch-AbCdEf/1.conf"));
    ASSERT_TRUE(scratchFile.open(QIODevice::WriteOnly));
    scratchFile.close();

    ASSERT_TRUE(scratch.file().Write(kSettingsSection, "port", "5").ok());

    QStringList expected = others + QStringList{"MyApp.conf", "dotfiles.conf"};
    QStringList found =
        folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    expected.sort();
    found.sort();
    EXPECT_EQ(found, expected);
    EXPECT_EQ(StoredText(scratch.file(), "port"), "5");
}

TEST(SettingsStore, ReadableFileIsNotCopied) {
    ScratchSettings scratch;
    scratch.writeRawFile("[linvox]\nport=5\n\n[ports]\nCOM3=/dev/ttyUSB0\n");
    ASSERT_TRUE(scratch.file().Write(kSettingsSection, "port_mts", "3").ok());
    EXPECT_TRUE(QDir(scratch.directory()).entryList({"*.bak"}, QDir::Files).isEmpty());
    EXPECT_TRUE(scratch.rawFile().contains("COM3=/dev/ttyUSB0"));
    EXPECT_EQ(StoredText(scratch.file(), "port"), "5");
}

// In another process, so that a save that hangs fails the test instead of hanging it.
TEST(SettingsStore, LockPathThatIsNoFileRefusesEverySaveAtOnceNamingIt) {
    const std::pair<std::function<void(const QString&)>, FailureCode> locks[] = {
        {[](const QString& path) { ::mkfifo(QFile::encodeName(path), 0600); },
         FailureCode::SettingsLockIsNoFile},
        {[](const QString& path) { QDir().mkdir(path); }, FailureCode::SettingsLockIsFolder},
        {[](const QString& path) { QFile::link(path + ".gone", path); },
         FailureCode::SettingsLockIsLink}};
    for (const auto& [make, reason] : locks) {
        ScratchSettings scratch;
        scratch.writeRawFile("[linvox]\nport=4\n");
        const QString lockPath = scratch.filePath() + ".lock";
        make(lockPath);
        SettingsPeerProcess peer(scratch.filePath());

        const QString refusal = "refused: " + Say(Failure(reason, lockPath));
        EXPECT_EQ(peer.ask("write port 5"), refusal);
        EXPECT_EQ(peer.ask("write port_mts 6"), refusal);
        EXPECT_EQ(scratch.rawFile(), "[linvox]\nport=4\n");
    }
}

// A Qt program saving the file through QSettings judges the lock by QLockFile's rules: while
// Linvox holds it, it is a running program's lock, never one left behind to take over.
TEST(SettingsFileLock, IsARunningProgramsLockToQtProgramsWhileHeld) {
    ScratchSettings scratch;
    SettingsFileLock held(scratch.filePath());
    ASSERT_TRUE(held.Take().ok());
    QLockFile qtProgramsLock(scratch.filePath() + ".lock");
    EXPECT_FALSE(qtProgramsLock.tryLock(0));
    EXPECT_EQ(qtProgramsLock.error(), QLockFile::LockFailedError);
    EXPECT_FALSE(qtProgramsLock.removeStaleLockFile());
}

// A lock left by a writer that crashed, whose process id was given again: to the saving process
// itself, or to a running program that writes no settings. Nobody holds it, so it is taken over
// at once, as QSettings programs take it over, rather than waited for and then refused.
TEST(SettingsFileLock, LeftUnderAnIdGivenAgainIsTakenOverAtOnce) {
    QProcess otherProgram;
    EndWithTheTest(otherProgram);
    otherProgram.start("/bin/sleep", {"60"});
    ASSERT_TRUE(otherProgram.waitForStarted());
    for (const qint64 id : {qint64{::getpid()}, otherProgram.processId()}) {
        ScratchSettings scratch;
        QFile left(scratch.filePath() + ".lock");
        ASSERT_TRUE(left.open(QIODevice::WriteOnly));
        left.write(QByteArray::number(id) + "\nlinvox\n" + QSysInfo::machineHostName().toUtf8() +
                   '\n');
        left.close();

        SettingsFileLock lock(scratch.filePath());
        EXPECT_TRUE(lock.Take().ok()) << "process " << id;
        ASSERT_TRUE(left.open(QIODevice::ReadOnly));
        EXPECT_TRUE(left.readLine().startsWith(QByteArray::number(::getpid()) + '\n'));
        left.close();
    }
    StopServer(otherProgram);
}

// Saves take turns in a few milliseconds. A save is refused only after the lock's ten seconds, so
// each answer is awaited longer than that: only a refusal fails, not a slow machine.
TEST(SettingsStore, TwentyProcessesSavingAtOnceKeepEverySave) {
    ScratchSettings scratch;
    constexpr int kWriters = 20;
    constexpr int kSaves = 10;
    std::vector<std::unique_ptr<SettingsPeerProcess>> writers;
    for (int writer = 0; writer < kWriters; ++writer) {
        writers.push_back(std::make_unique<SettingsPeerProcess>(scratch.filePath()));
    }
    // Every writer has all its saves queued before the first answer is awaited.
    for (int save = 0; save < kSaves; ++save) {
        for (int writer = 0; writer < kWriters; ++writer) {
            writers[writer]->send(QStringLiteral("write w%1_%2 %2").arg(writer).arg(save));
        }
    }
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int save = 0; save < kSaves; ++save) {
            EXPECT_EQ(writers[writer]->answer(std::chrono::seconds(15)), "stored")
                << "writer " << writer;
        }
    }
    const QSettings saved(scratch.filePath(), QSettings::IniFormat);
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int save = 0; save < kSaves; ++save) {
            EXPECT_EQ(saved.value(QStringLiteral("linvox/w%1_%2").arg(writer).arg(save)), save);
        }
    }
}

// A folder that nobody can write into while the object lives: closed by its mode, and for root
// by the immutable flag, where the file system has one.
class ClosedFolder {
public:
    ClosedFolder() : m_descriptor(::open(QFile::encodeName(m_folder.path()), O_RDONLY)) {
        QFile::setPermissions(m_folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        m_immutable = ::ioctl(m_descriptor, FS_IOC_GETFLAGS, &m_flags) == 0 &&
                      ::ioctl(m_descriptor, FS_IOC_SETFLAGS, &(m_flags |= FS_IMMUTABLE_FL)) == 0;
    }
    ~ClosedFolder() {
        if (m_immutable) {
            m_flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(m_descriptor, FS_IOC_SETFLAGS, &m_flags);
        }
        ::close(m_descriptor);
        QFile::setPermissions(m_folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    bool closed() const { return m_immutable || ::geteuid() != 0; }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    int m_descriptor;
    int m_flags = 0;
    bool m_immutable = false;
};

TEST(SettingsStore, SavesWhenNothingCanBeWrittenInTheTemporaryFolder) {
    ClosedFolder temporary;
    if (!temporary.closed()) {
        GTEST_SKIP() << "no folder here is closed to root";
    }
    ScratchSettings scratch;
    scratch.writeRawFile("[linvox]\nport=5\n# a line QSettings cannot read\n",
                         ScratchSettings::Written::LongAgo);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", temporary.path());
    SettingsPeerProcess peer(scratch.filePath(), environment);

    // Setting the damaged file aside, and a value that QSettings must encode itself.
    EXPECT_EQ(peer.ask("write port_mts 2"), "stored");
    EXPECT_EQ(peer.ask("write port_ks \x01"), "stored");
    EXPECT_EQ(peer.ask("read port"), "5");
    EXPECT_EQ(peer.ask("read port_ks"), "\x01");
    EXPECT_EQ(QDir(scratch.directory()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(),
              2)
        << "the settings and the copy put aside, nothing more";
}

TEST(SettingsStore, FileHalfWrittenInPlaceIsReadAgainBeforeItIsSetAside) {
    ScratchSettings scratch;
    const QByteArray whole = "; my phones\n[linvox]\nport=5\n\n[ports]\nCOM3=/dev/ttyACM0\n";
    const qsizetype cut = whole.indexOf("ports]");
    // An editor saving without a rename: the first part written, an unclosed "[" at its end.
    QFile editor(scratch.filePath());
    ASSERT_TRUE(editor.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    ASSERT_EQ(editor.write(whole.first(cut)), cut);
    // Tells when the save has read the file.
    const int reads = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(reads, QFile::encodeName(scratch.filePath()), IN_CLOSE_NOWRITE),
              0);
    SettingsPeerProcess peer(scratch.filePath());

    peer.send("write port_mts 2");
    pollfd read{reads, POLLIN, 0};
    const bool wasRead = ::poll(&read, 1, 5000) == 1;
    ::close(reads);
    ASSERT_TRUE(wasRead) << "the save never read the file";
    // The rest comes only once the save has read the first part.
    ASSERT_EQ(editor.write(whole.sliced(cut)), whole.size() - cut);
    editor.close();

    EXPECT_EQ(peer.answer(), "stored");
    EXPECT_TRUE(QDir(scratch.directory()).entryList({"*.bak"}).isEmpty());
    const QByteArray saved = scratch.rawFile();
    EXPECT_TRUE(saved.contains("; my phones\n") && saved.contains("port_mts=2\n") &&
                saved.contains("COM3=/dev/ttyACM0\n"))
        << saved.toStdString();
}

}  // namespace
}  // namespace linvox::testing
