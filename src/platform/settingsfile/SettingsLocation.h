// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>

namespace linvox {

// Where the per-user settings live: a file path or a registry path, with the QSettings format
// that reads it.
struct SettingsLocation {
    QString path;
    QSettings::Format format = QSettings::NativeFormat;
};

// Whether the store is a file of INI text, rather than the registry that is Windows' own store.
inline bool IsFileStore(const SettingsLocation& location) {
    return location.format == QSettings::IniFormat;
}

}  // namespace linvox
