// SPDX-License-Identifier: GPL-3.0-or-later
// A settings file of any bytes, then one setting written through the store, as the window does
// after the user edits a port. The write is stored and reads back; every value that could be
// read before, and that QSettings itself keeps through such a write, reads the same after; and a
// file that could not be read in full is kept aside, byte for byte, while a readable one is not.
#include "Property.h"
#include "platform/settingsfile/SettingsFile.h"
#include "settings/Settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageLogContext>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariantMap>

using linvox::fuzzing::Require;

namespace {

const QString kWrittenKey = QStringLiteral("port");
const QString kWrittenValue = QStringLiteral("7");

struct Reading {
    QVariantMap values;
    bool readInFull = true;
};

// Stamped as written long before: the store would wait a moment for a fresh file that it cannot
// read in full, as an editor may still be writing it.
void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    Require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
                file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime),
            "the input is written to a file", path);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The values a fresh reader reads from the bytes of path; a key it lists but cannot read holds
// nothing to keep. QSettings caches files by name within a process, so the reading goes through a
// copy under a name never used before.
Reading ReadThroughCopy(const QString& path, const QString& copyPath) {
    Require(QFile::copy(path, copyPath), "the file is copied", copyPath);
    QSettings settings(copyPath, QSettings::IniFormat);
    Reading reading;
    for (const QString& key : settings.allKeys()) {
        if (const QVariant value = settings.value(key); value.isValid()) {
            reading.values.insert(key, value);
        }
    }
    reading.readInFull = settings.status() == QSettings::NoError;
    return reading;
}

// The values that QSettings itself keeps through the store's write, both as it updates a file in
// place and as it writes a fresh one: the most a store built on it can keep. It cannot write a key
// "/", changes some lists that hold control characters, and writes back the later of two keys that
// differ only in a leading "/" where it read the earlier.
QVariantMap KeptByQSettings(const QString& path, const QVariantMap& values,
                            const std::function<QString(const char*)>& file) {
    const QString updated = file("updated");
    Require(QFile::copy(path, updated), "the file is copied", updated);
    const QString fresh = file("fresh");
    {
        QSettings inPlace(updated, QSettings::IniFormat);
        inPlace.setValue(QStringLiteral("linvox/") + kWrittenKey, kWrittenValue);
        QSettings written(fresh, QSettings::IniFormat);
        for (auto value = values.begin(); value != values.end(); ++value) {
            written.setValue(value.key(), value.value());
        }
        written.setValue(QStringLiteral("linvox/") + kWrittenKey, kWrittenValue);
    }
    const QVariantMap afterUpdate = ReadThroughCopy(updated, file("updated-copy")).values;
    const QVariantMap afterFresh = ReadThroughCopy(fresh, file("fresh-copy")).values;
    QVariantMap kept;
    for (auto value = values.begin(); value != values.end(); ++value) {
        if (afterUpdate.value(value.key()) == value.value() &&
            afterFresh.value(value.key()) == value.value()) {
            kept.insert(value.key(), value.value());
        }
    }
    return kept;
}

}  // namespace

// QSettings reserves room for as many elements as a stored value says it holds before reading
// them: 44 bytes of "@Variant(...)" can declare a list of 22 GB. In the program the allocation
// fails, or takes address space that is never touched, and QSettings reads on; AddressSanitizer's
// allocator would end the process instead, or map and clear its shadow for seconds. It refuses
// such a size at once here, as a system without that much memory does.
extern "C" const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=1024";
}

// Settings are written, as by the window, in a GUI application: only one can build every value
// that another Qt program may keep in the file (a bitmap, a cursor).
extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
    static char platformOption[] = "-platform";
    static char platform[] = "minimal";
    static char* qtArgv[] = {(*argv)[0], platformOption, platform, nullptr};
    static int qtArgc = 3;
    static QGuiApplication application(qtArgc, qtArgv);
    // QSettings warns of every value it cannot decode; over thousands of inputs its warnings
    // would bury the one report that matters.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        }
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every file of every run gets a name of its own, out of reach of QSettings' cache.
    static int run = 0;
    ++run;
    QTemporaryDir folder;
    Require(folder.isValid(), "a scratch folder exists");
    const std::function<QString(const char*)> file = [&](const char* role) {
        return folder.filePath(QStringLiteral("%1-%2.conf").arg(QLatin1StringView(role)).arg(run));
    };
    const QString path = file("MyApp");
    const QByteArray original(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    WriteFile(path, original);
    const Reading before = ReadThroughCopy(path, file("before"));
    const QVariantMap keepable = KeptByQSettings(path, before.values, file);

    linvox::SettingsFile store({path, QSettings::IniFormat});
    const linvox::StoreStatus status =
        store.Write(linvox::kSettingsSection, kWrittenKey, kWrittenValue);
    Require(status.ok(), "the write is stored", status.ok() ? QString() : Say(status.failure()));
    Require(store.Read(linvox::kSettingsSection, kWrittenKey) == kWrittenValue,
            "the written value reads back");

    const Reading after = ReadThroughCopy(path, file("after"));
    for (auto value = keepable.begin(); value != keepable.end(); ++value) {
        if (value.key() != QStringLiteral("linvox/") + kWrittenKey) {
            Require(after.values.value(value.key()) == value.value(), "a readable value is kept",
                    value.key());
        }
    }

    const QStringList backups =
        QDir(folder.path())
            .entryList({QFileInfo(path).fileName() + QStringLiteral(".unreadable-*.bak")});
    if (before.readInFull) {
        Require(backups.isEmpty(), "a readable file is not put aside");
    } else {
        Require(backups.size() == 1, "an unreadable file is put aside");
        Require(ReadFile(folder.filePath(backups.first())) == original,
                "the file put aside holds the bytes as they were");
    }
    return 0;
}
