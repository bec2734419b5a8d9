// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/settingsfile/SettingsFile.h"
#include "settings/SettingsStore.h"

#include <QByteArray>
#include <QTemporaryDir>

namespace linvox::testing {

// A settings file of its own in a temporary directory, removed with the object. Throws
// std::runtime_error when the file cannot be set up as asked.
class ScratchSettings {
public:
    ScratchSettings();

    QString directory() const { return m_directory.path(); }
    QString filePath() const;
    SettingsLocation location() const;
    // The file as the program keeps its settings, and the program's store over it.
    SettingsFile& file() const { return m_file; }
    SettingsStore store() const { return SettingsStore(m_file); }

    // The file's bytes as they are on disk, and a way to put arbitrary bytes there: just now, or
    // as a file found that was written long before. The store waits for a file that cannot be
    // read in full until it has been left alone for a while, as an editor may be writing it.
    enum class Written { Now, LongAgo };
    QByteArray rawFile() const;
    void writeRawFile(const QByteArray& bytes, Written written = Written::Now) const;

    // Writes key=value for each pair, failing the test when the store refuses.
    void preset(std::initializer_list<std::pair<QString, QString>> values) const;

    // Points COM number port at a device, in the file's [ports] group.
    void mapPort(qint16 port, const QString& device) const;

private:
    QTemporaryDir m_directory;
    mutable SettingsFile m_file;
};

}  // namespace linvox::testing
