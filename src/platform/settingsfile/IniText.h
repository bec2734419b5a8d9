// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/settingsfile/ScratchFolder.h"

#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace linvox {

// Every value that QSettings reads from an INI file, by full key ("group/key"), and whether it
// could read the file in full.
struct IniReading {
    QVariantMap values;
    bool readInFull = true;
};

// Reads the file at path through QSettings. QSettings keeps what it parsed of a path, and its
// verdict, while the file's size and modification time stay the same: give a path whose file has
// changed in one of them since this process last read it.
IniReading ReadIni(const QString& path);

// Writes values (keys as "group/key") to an INI file at path through QSettings; whether it could.
bool WriteValues(const QString& path, const QVariantMap& values);

// The text of a settings file holding values (keys as "group/key"), exactly as QSettings writes
// it, so that every value reads back unchanged; nothing when it cannot be produced.
std::optional<QByteArray> IniTextOf(const QVariantMap& values, ScratchFolder& scratch);

// One entry as QSettings writes it: its group's "[group]" line, its key, and its "key=value" line.
struct IniEntry {
    QByteArray header;
    QByteArray key;
    QByteArray line;
};

// The entry as QSettings encodes it; nothing when it cannot be encoded.
std::optional<IniEntry> EncodeEntry(const QString& group, const QString& key, const QString& value,
                                    ScratchFolder& scratch);

// The settings file text with entries of one group set: each key's line replaced where it
// stands, or else added after the group's last key, or a new group at the end. Every other line —
// comments, blank lines, the order of keys — stays as it was.
QByteArray WithEntries(const QByteArray& text, const QList<IniEntry>& entries);

// The text as QSettings itself rewrites it with values (keys as "group/key") set: the values it
// reads are kept, comments and the order of lines not. Nothing when it cannot.
std::optional<QByteArray> RewrittenByQSettings(const QByteArray& text, const QVariantMap& values,
                                               ScratchFolder& scratch);

}  // namespace linvox
