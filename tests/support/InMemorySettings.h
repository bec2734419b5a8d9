// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsBackend.h"
#include "settings/SettingsStore.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <utility>

#include <gtest/gtest.h>

namespace linvox::testing {

// Settings held in memory, for the logic's tests: a store as the program sees it, without a file.
// A failure in unusable makes it a store that cannot be read (it reads as empty and refuses every
// write); one in refusal, a store that refuses every write.
class InMemorySettings : public SettingsBackend {
public:
    Status Usable() const override { return unusable ? Status(*unusable) : Status(Done{}); }

    std::optional<QString> Read(const QString& group, const QString& key) const override {
        for (const Entry& entry : ReadGroup(group)) {
            if (entry.key == key) {
                return entry.value;
            }
        }
        return std::nullopt;
    }

    QList<Entry> ReadGroup(const QString& group) const override {
        const auto found = groups.find(group);
        return unusable || found == groups.end() ? QList<Entry>() : found->second;
    }

    StoreStatus Write(const QString& group, const QString& key, const QString& value) override {
        return Update(group, [&](const QList<Entry>&) { return QList<Entry>{{key, value}}; });
    }

    StoreStatus Update(const QString& group, const GroupUpdate& choose) override {
        if (unusable || refusal) {
            return unusable ? *unusable : *refusal;
        }
        QList<Entry>& entries = groups[group];
        for (const Entry& chosen : choose(entries)) {
            const auto stored = std::find_if(entries.begin(), entries.end(),
                                             [&](const Entry& e) { return e.key == chosen.key; });
            if (stored == entries.end()) {
                entries.append(chosen);
            } else {
                stored->value = chosen.value;
            }
        }
        return Stored{};
    }

    // The program's settings store over these settings.
    SettingsStore store() { return SettingsStore(*this); }

    // Stores key=value in the program's section for each pair.
    void preset(std::initializer_list<std::pair<QString, QString>> values) {
        for (const auto& [key, value] : values) {
            EXPECT_TRUE(Write(kSettingsSection, key, value).ok()) << key.toStdString();
        }
    }

    std::map<QString, QList<Entry>> groups;
    std::optional<Failure> unusable;
    std::optional<Failure> refusal;
};

}  // namespace linvox::testing
