// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/settingsfile/SettingsLocation.h"
#include "settings/SettingsBackend.h"

namespace linvox {

// The per-user settings store of the program: an INI file on Linux (the program's own section
// and the [ports] group that maps COM numbers to devices), the registry on Windows. A settings
// file keeps every line that a write does not change, hand-written comments included.
class SettingsFile : public SettingsBackend {
public:
    explicit SettingsFile(SettingsLocation location);

    // Done when the store can be read as a settings file or does not exist yet; else why not: it
    // is a directory, a FIFO, a device, a link to nowhere, not readable for the user, behind a
    // folder the user may not search, or over a megabyte. Only a regular file is ever opened: a
    // FIFO would block the reader.
    Status Usable() const override;

    // The stored text of key in group, as written (commas included); nothing when absent or
    // when the store is unusable.
    std::optional<QString> Read(const QString& group, const QString& key) const override;

    // Every key of group with its text, in the store's order; none when the store is unusable.
    QList<Entry> ReadGroup(const QString& group) const override;

    // Creates or replaces the value of key in group. When the store refuses the write (unusable,
    // read-only home, full disk, a file-size limit, a lock file that is no file), nothing changes
    // and the failure says why. A file that could not be read in full is first copied aside,
    // and the stored write's notice says where. Writers in other processes take turns, each seeing
    // the file the last one left.
    StoreStatus Write(const QString& group, const QString& key, const QString& value) override;

    // Reads group, and writes the entries that choose picks from it, as one step under the
    // store's write lock: no other writer comes in between, so what choose saw is still so when
    // its choice is written, and nothing another writer stored is lost. choose runs once; an
    // empty choice, or one the file holds already, writes nothing. Refused as Write is, and then
    // nothing of the choice is stored. In the registry, which has no such lock, the entries are
    // written one by one.
    StoreStatus Update(const QString& group, const GroupUpdate& choose) override;

private:
    StoreStatus UpdateFile(const QString& group, const GroupUpdate& choose);
    StoreStatus UpdateNativeStore(const QString& group, const GroupUpdate& choose);
    StoreStatus WriteToNativeStore(const QString& group, const QString& key, const QString& value);

    SettingsLocation m_location;
};

}  // namespace linvox
