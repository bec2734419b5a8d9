// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Phrases.h"

#include <QString>

namespace linvox {

// Why a write was refused, naming the settings file: the user's rights, or else the system.
inline QString AccessRefusal(const QString& path) {
    return Say(Phrase::SettingsFileNotWritable).arg(path);
}
inline QString WriteRefusal(const QString& path) {
    return Say(Phrase::SettingsFileNotWritten).arg(path);
}

// Why a write was refused when another writer kept the settings file's lock for too long.
inline QString LockHeldRefusal(const QString& path, const QString& lockPath) {
    return Say(Phrase::SettingsFileLocked).arg(path, lockPath);
}

}  // namespace linvox
