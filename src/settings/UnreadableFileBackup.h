#pragma once

#include <QString>

namespace linvox {

// What became of the settings file before a write.
struct SetAsideOutcome {
    // Where an unreadable file was moved; empty when the file was fine.
    QString backupPath;
    // Why the write must not go ahead; empty when it may.
    QString refusal;
};

// QSettings reads a file it cannot parse as far as it can, and its next save replaces the file,
// losing whatever it could not read. Before a write, this moves such a file aside to a dated
// ".bak" name beside it and starts a fresh file with everything that could be read, so a single
// bad line costs no setting and the old bytes are kept.
SetAsideOutcome SetAsideIfUnreadable(const QString& settingsFilePath);

}  // namespace linvox
