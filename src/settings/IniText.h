#pragma once

#include <optional>

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariantMap>

namespace linvox {

// Every value that settings reads, by its full key ("group/key").
QVariantMap ValuesIn(const QSettings& settings);

// Writes values (keys as "group/key") to an INI file at path through QSettings; whether it could.
bool WriteValues(const QString& path, const QVariantMap& values);

// The text of a settings file holding values (keys as "group/key"), exactly as QSettings writes
// it, so that every value reads back unchanged; nothing when it cannot be produced.
std::optional<QByteArray> IniTextOf(const QVariantMap& values);

// The settings file text with key in group set to value, encoded as QSettings encodes it: the
// key's line replaced where it stands, or else added after the group's last key, or a new group
// at the end. Every other line — comments, blank lines, the order of keys — is kept as it was,
// unless a hand-written line would change how the edit reads (a value whose closing quotation
// mark is missing, a trailing backslash): then the text as QSettings rewrites it, the values it
// reads kept but no comment.
// Nothing when the entry cannot be encoded.
std::optional<QByteArray> WithEntry(const QByteArray& text, const QString& group,
                                    const QString& key, const QString& value);

}  // namespace linvox
