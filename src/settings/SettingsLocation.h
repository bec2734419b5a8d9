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

// Whether the store is a file of INI text: always on Linux, whose native format is INI; on
// Windows only when asked for, the native store being the registry.
inline bool IsFileStore(const SettingsLocation& location) {
#ifdef Q_OS_WIN
    return location.format == QSettings::IniFormat;
#else
    return location.format == QSettings::IniFormat || location.format == QSettings::NativeFormat;
#endif
}

}  // namespace linvox
