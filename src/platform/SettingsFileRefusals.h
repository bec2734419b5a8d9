// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace linvox {

// Why a write was refused, naming the settings file: the user's rights, or else the system.
inline QString AccessRefusal(const QString& path) {
    return QStringLiteral("нет доступа на запись к файлу настроек %1").arg(path);
}
inline QString WriteRefusal(const QString& path) {
    return QStringLiteral("файл настроек %1 не удалось записать").arg(path);
}

// Why a write was refused when another writer kept the settings file's lock for too long.
inline QString LockHeldRefusal(const QString& path, const QString& lockPath) {
    return QStringLiteral("файл настроек %1 занят: его блокировку %2 держит другая программа")
        .arg(path, lockPath);
}

}  // namespace linvox
