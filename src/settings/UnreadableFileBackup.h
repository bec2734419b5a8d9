#pragma once

#include <QByteArray>
#include <QString>

namespace linvox {

// What became of the settings file before a write.
struct SetAsideOutcome {
    // Where a copy of an unreadable file was put; empty when the file was fine.
    QString backupPath;
    // With a copy put aside: the text of everything that could be read, for the write to start
    // from instead of the file.
    QByteArray readableText;
    // Why the write must not go ahead; empty when it may.
    QString refusal;
};

// A file that QSettings cannot parse in full is read only as far as it can be, and what it could
// not read would be replaced by the next save's repair. Before a write, this copies such a file
// to a dated ".bak" name beside it and gives the text of everything that could be read, so a
// single bad line costs no setting and the old bytes are kept. Call it holding the file's write
// lock, so that a second writer finds the repaired file instead of setting it aside again.
SetAsideOutcome SetAsideIfUnreadable(const QString& settingsFilePath);

}  // namespace linvox
