#pragma once

#include <optional>

#include <QString>

namespace linvox {

// QSettings reads a file it cannot parse as if it were empty, and its next save replaces the
// file, losing whatever the user had there. Before a write, this moves such a file aside to a
// dated ".bak" name beside it, so the write starts a fresh file and the old bytes are kept.
// Returns the reason for refusing the write when the file needs moving but cannot be moved.
std::optional<QString> SetAsideIfUnreadable(const QString& settingsFilePath);

}  // namespace linvox
