// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile/IniText.h"

#include <algorithm>

#include <QFile>
#include <QHash>
#include <QSettings>

namespace linvox {
namespace {

// Writes text to a file at path unbuffered, so that a write cut short (as under a file-size
// limit) is seen; whether all of it was written.
bool WriteWhole(const QString& path, const QByteArray& text) {
    QFile file(path);
    return !path.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.write(text) == text.size();
}

std::optional<QByteArray> ReadWhole(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
}

bool IsPlainKeyCharacter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_' || c == u'-' || c == u'.';
}

// A key or group name as QSettings writes it, for names of letters, digits, '_', '-' and '.',
// which it leaves as they are; nothing for others.
std::optional<QByteArray> PlainIniKey(const QString& name) {
    if (name.isEmpty() || !std::all_of(name.begin(), name.end(), IsPlainKeyCharacter)) {
        return std::nullopt;
    }
    return name.toLatin1();
}

// A text value as QSettings writes it, for texts without control characters: a leading '@'
// doubled, '"' and '\' escaped, in quotation marks when it holds ';', ',' or '=' or has blanks at
// either end. Nothing for others. QSettings encodes only on its way to a file of its own, which
// would cost every save a scratch file and two syncs; the caller reads the result back.
std::optional<QByteArray> PlainIniValue(const QString& value) {
    const QString text = value.startsWith(u'@') ? u'@' + value : value;
    bool quoted = text.startsWith(u' ') || text.endsWith(u' ');
    QString escaped;
    for (const QChar c : text) {
        if (c.unicode() < 0x20) {
            return std::nullopt;
        }
        quoted = quoted || c == u';' || c == u',' || c == u'=';
        if (c == u'"' || c == u'\\') {
            escaped += u'\\';
        }
        escaped += c;
    }
    const QByteArray encoded = escaped.toUtf8();
    return quoted ? '"' + encoded + '"' : encoded;
}

// The entry as QSettings writes it to a file of its own: "[group]", then "key=value".
std::optional<IniEntry> EncodedByQSettings(const QString& group, const QString& key,
                                           const QString& value, ScratchFolder& scratch) {
    const std::optional<QByteArray> encoded = IniTextOf({{group + u'/' + key, value}}, scratch);
    if (!encoded) {
        return std::nullopt;
    }
    const QList<QByteArray> lines = encoded->split('\n');
    const QByteArray line = lines.value(1);
    return IniEntry{lines.value(0), line.left(line.indexOf('=')), line};
}

}  // namespace

IniReading ReadIni(const QString& path) {
    const QSettings settings(path, QSettings::IniFormat);
    IniReading reading;
    for (const QString& key : settings.allKeys()) {
        reading.values.insert(key, settings.value(key));
    }
    // Only now, with every section parsed, does the status tell of them all.
    reading.readInFull = settings.status() == QSettings::NoError;
    return reading;
}

bool WriteValues(const QString& path, const QVariantMap& values) {
    QSettings writer(path, QSettings::IniFormat);
    for (auto value = values.begin(); value != values.end(); ++value) {
        writer.setValue(value.key(), value.value());
    }
    writer.sync();
    return writer.status() == QSettings::NoError;
}

std::optional<QByteArray> IniTextOf(const QVariantMap& values, ScratchFolder& scratch) {
    if (values.isEmpty()) {
        return QByteArray();
    }
    const QString path = scratch.NewFilePath();
    if (path.isEmpty() || !WriteValues(path, values)) {
        return std::nullopt;
    }
    const std::optional<QByteArray> text = ReadWhole(path);
    // QSettings saves through a buffer that hides a short write, as under a file-size limit, and
    // reports success: the text counts only when it reads back as the values.
    const QString check = scratch.NewFilePath();
    if (!text || !WriteWhole(check, *text) || ReadIni(check).values != values) {
        return std::nullopt;
    }
    return text;
}

std::optional<IniEntry> EncodeEntry(const QString& group, const QString& key, const QString& value,
                                    ScratchFolder& scratch) {
    const std::optional<QByteArray> plainGroup = PlainIniKey(group);
    const std::optional<QByteArray> plainKey = PlainIniKey(key);
    const std::optional<QByteArray> plainValue = PlainIniValue(value);
    if (plainGroup && plainKey && plainValue) {
        return IniEntry{'[' + *plainGroup + ']', *plainKey, *plainKey + '=' + *plainValue};
    }
    return EncodedByQSettings(group, key, value, scratch);
}

QByteArray WithEntries(const QByteArray& text, const QList<IniEntry>& entries) {
    if (entries.isEmpty()) {
        return text;
    }
    const QByteArray& header = entries.first().header;
    QList<QByteArray> lines = text.split('\n');
    if (text.isEmpty() || text.endsWith('\n')) {
        lines.removeLast();
    }
    QHash<QByteArray, QList<qsizetype>> linesOfKey;
    bool inGroup = false;
    qsizetype afterGroupsLastKey = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.startsWith('[')) {
            inGroup = line == header;
            if (inGroup) {
                afterGroupsLastKey = i + 1;
            }
        } else if (inGroup && !line.isEmpty() && !line.startsWith(';')) {
            linesOfKey[line.left(line.indexOf('=')).trimmed()].append(i);
            afterGroupsLastKey = i + 1;
        }
    }
    QList<QByteArray> added;
    for (const IniEntry& entry : entries) {
        const auto found = linesOfKey.constFind(entry.key);
        if (found == linesOfKey.constEnd()) {
            added.append(entry.line);
            continue;
        }
        for (const qsizetype i : *found) {
            lines[i] = entry.line;
        }
    }
    if (!added.isEmpty() && afterGroupsLastKey < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) {
            lines.append(QByteArray());
        }
        lines.append(header);
        afterGroupsLastKey = lines.size();
    }
    const qsizetype insertAt = std::max<qsizetype>(afterGroupsLastKey, 0);
    QList<QByteArray> edited = lines.first(insertAt);
    edited.append(added);
    edited.append(lines.sliced(insertAt));
    return edited.join('\n') + '\n';
}

std::optional<QByteArray> RewrittenByQSettings(const QByteArray& text, const QVariantMap& values,
                                               ScratchFolder& scratch) {
    const QString path = scratch.NewFilePath();
    if (!WriteWhole(path, text)) {
        return std::nullopt;
    }
    {
        QSettings rewriter(path, QSettings::IniFormat);
        for (auto value = values.begin(); value != values.end(); ++value) {
            rewriter.setValue(value.key(), value.value());
        }
        rewriter.sync();
        if (rewriter.status() != QSettings::NoError) {
            return std::nullopt;
        }
    }
    return ReadWhole(path);
}

}  // namespace linvox
