#include "settings/IniText.h"

#include <algorithm>

#include <QFile>
#include <QList>
#include <QSettings>
#include <QTemporaryDir>

namespace linvox {
namespace {

// Whether text, parsed afresh from a file at checkPath, gives exactly values.
bool ReadsBackAs(const QByteArray& text, const QVariantMap& values, const QString& checkPath) {
    {
        QFile check(checkPath);
        if (!check.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
            check.write(text) != text.size()) {
            return false;
        }
    }
    const QSettings reader(checkPath, QSettings::IniFormat);
    if (reader.allKeys().size() != values.size()) {
        return false;
    }
    return std::all_of(values.keyValueBegin(), values.keyValueEnd(), [&](const auto& entry) {
        return reader.value(entry.first) == entry.second;
    });
}

// What text gives when parsed from a file at path; nothing when the file cannot be written in
// full, as under a file-size limit.
std::optional<QVariantMap> ParsedValues(const QByteArray& text, const QString& path) {
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
            file.write(text) != text.size()) {
            return std::nullopt;
        }
    }
    const QSettings reader(path, QSettings::IniFormat);
    QVariantMap values;
    for (const QString& key : reader.allKeys()) {
        values.insert(key, reader.value(key));
    }
    return values;
}

// The text as QSettings itself rewrites it with key set to value: every value it reads kept,
// comments and the order of lines not.
std::optional<QByteArray> RewrittenByQSettings(const QByteArray& text, const QString& key,
                                               const QString& value, const QString& scratchPath) {
    {
        QFile scratch(scratchPath);
        if (!scratch.open(QIODevice::WriteOnly) || scratch.write(text) != text.size()) {
            return std::nullopt;
        }
    }
    {
        QSettings rewriter(scratchPath, QSettings::IniFormat);
        rewriter.setValue(key, value);
        rewriter.sync();
        if (rewriter.status() != QSettings::NoError) {
            return std::nullopt;
        }
    }
    QFile rewritten(scratchPath);
    if (!rewritten.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return rewritten.readAll();
}

}  // namespace

std::optional<QByteArray> IniTextOf(const QVariantMap& values) {
    if (values.isEmpty()) {
        return QByteArray();
    }
    // QSettings encodes keys and values only on the way to a file of its own.
    const QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("encoded.conf"));
    {
        QSettings encoder(path, QSettings::IniFormat);
        for (auto value = values.begin(); value != values.end(); ++value) {
            encoder.setValue(value.key(), value.value());
        }
        encoder.sync();
        if (!scratch.isValid() || encoder.status() != QSettings::NoError) {
            return std::nullopt;
        }
    }
    QFile encoded(path);
    if (!encoded.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray text = encoded.readAll();
    // QSettings saves through a buffer that hides a short write, as under a file-size limit, and
    // reports success: the text counts only when it reads back as the values.
    if (!ReadsBackAs(text, values, scratch.filePath(QStringLiteral("check.conf")))) {
        return std::nullopt;
    }
    return text;
}

std::optional<QByteArray> WithEntry(const QByteArray& text, const QString& group,
                                    const QString& key, const QString& value) {
    const std::optional<QByteArray> encoded = IniTextOf({{group + u'/' + key, value}});
    if (!encoded) {
        return std::nullopt;
    }
    // "[group]", then "key=value".
    const QList<QByteArray> encodedLines = encoded->split('\n');
    const QByteArray header = encodedLines.value(0);
    const QByteArray entry = encodedLines.value(1);
    const QByteArray encodedKey = entry.left(entry.indexOf('='));

    QList<QByteArray> lines = text.split('\n');
    if (text.isEmpty() || text.endsWith('\n')) {
        lines.removeLast();
    }
    bool inGroup = false;
    bool replaced = false;
    qsizetype afterGroupsLastKey = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.startsWith('[')) {
            inGroup = line == header;
            if (inGroup) {
                afterGroupsLastKey = i + 1;
            }
        } else if (inGroup && !line.isEmpty() && !line.startsWith(';')) {
            if (line.left(line.indexOf('=')).trimmed() == encodedKey) {
                lines[i] = entry;
                replaced = true;
            }
            afterGroupsLastKey = i + 1;
        }
    }
    if (!replaced && afterGroupsLastKey >= 0) {
        lines.insert(afterGroupsLastKey, entry);
    } else if (!replaced) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) {
            lines.append(QByteArray());
        }
        lines.append(header);
        lines.append(entry);
    }
    const QByteArray edited = lines.join('\n') + '\n';
    // A hand-written line can swallow the lines after it (a value whose closing quotation mark is
    // missing) or carry on into the next (a trailing backslash): the edit must read as the old
    // text with the one entry set.
    const QTemporaryDir scratch;
    const QString fullKey = group + u'/' + key;
    std::optional<QVariantMap> expected =
        ParsedValues(text, scratch.filePath(QStringLiteral("old.conf")));
    const std::optional<QVariantMap> read =
        ParsedValues(edited, scratch.filePath(QStringLiteral("edited.conf")));
    if (!expected || !read) {
        return std::nullopt;
    }
    expected->insert(fullKey, value);
    if (*read == *expected) {
        return edited;
    }
    const std::optional<QByteArray> rewritten = RewrittenByQSettings(
        text, fullKey, value, scratch.filePath(QStringLiteral("rewritten.conf")));
    const std::optional<QVariantMap> readRewritten =
        rewritten ? ParsedValues(*rewritten, scratch.filePath(QStringLiteral("check.conf")))
                  : std::nullopt;
    if (!readRewritten || readRewritten->value(fullKey) != value) {
        return std::nullopt;
    }
    return rewritten;
}

}  // namespace linvox
