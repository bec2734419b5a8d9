// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Failure.h"
#include "platform/settingsfile/ScratchFolder.h"

#include <QByteArray>
#include <QString>
#include <QVariantMap>

namespace linvox {

// A settings file that QSettings cannot read in full, put aside.
struct SetAsideFile {
    // Where its bytes were put.
    QString backupPath;
    // The text of everything that could be read, for the write to start from instead of the file.
    QByteArray readableText;
};

// A file that QSettings cannot parse in full is read only as far as it can be, and what it could
// not read would be lost with the next save. This keeps the file's bytes under a dated ".bak"
// name beside it and gives the text of every value that was read and can be written again, so a
// single bad line costs no setting and the old bytes are kept. Call it holding the file's write
// lock, so that a second writer finds the repaired file instead of setting it aside again.
// bytes: the file's contents; readable: the values QSettings read from them. When it cannot be
// done (SettingsFileDamagedNotRewritten, SettingsFileDamagedNotSetAside), the write must not go
// ahead.
Outcome<SetAsideFile> SetAside(const QString& settingsFilePath, const QByteArray& bytes,
                               const QVariantMap& readable, ScratchFolder& scratch);

}  // namespace linvox
