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

}  // namespace linvox
