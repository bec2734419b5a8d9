// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/StoreStatus.h"

#include <functional>
#include <optional>

#include <QList>
#include <QString>

namespace linvox {

// Where the settings' texts are kept, addressed by group and key: the user's settings file or
// registry for the program, memory for tests. Nothing is cached: every read goes to the store,
// and every write is durable before it returns. Window thread only.
class SettingsBackend {
public:
    struct Entry {
        QString key;
        QString value;

        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // The entries to create or replace in a group, chosen from the entries it holds.
    using GroupUpdate = std::function<QList<Entry>(const QList<Entry>& current)>;

    virtual ~SettingsBackend() = default;

    // Done when the store can be read (or does not exist yet), else why not. An unusable store
    // reads as empty and refuses every write.
    virtual Status Usable() const = 0;

    // The stored text of key in group, as written; nothing when absent.
    virtual std::optional<QString> Read(const QString& group, const QString& key) const = 0;

    // Every key of group with its text, in the store's order.
    virtual QList<Entry> ReadGroup(const QString& group) const = 0;

    // Creates or replaces the value of key in group; when the store refuses, nothing changes and
    // the status says why. A stored write may carry a notice for the user.
    virtual StoreStatus Write(const QString& group, const QString& key, const QString& value) = 0;

    // Reads group and writes the entries that choose picks from it as one step: no other writer
    // comes in between, so what choose saw is still so when its choice is written. choose runs
    // once; an empty choice writes nothing. Refused as Write is, and then nothing is stored.
    virtual StoreStatus Update(const QString& group, const GroupUpdate& choose) = 0;
};

}  // namespace linvox
