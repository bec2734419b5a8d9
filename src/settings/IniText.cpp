#include "settings/IniText.h"

#include <QFile>
#include <QList>
#include <QSettings>
#include <QTemporaryDir>

namespace linvox {
namespace {

// Writes text to a file at path unbuffered, so that a write cut short (as under a file-size
// limit) is seen; whether all of it was written.
bool WriteWhole(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.write(text) == text.size();
}

// What text gives when parsed from a file at path; nothing when the file cannot be written in
// full.
std::optional<QVariantMap> ParsedValues(const QByteArray& text, const QString& path) {
    if (!WriteWhole(path, text)) {
        return std::nullopt;
    }
    return ValuesIn(QSettings(path, QSettings::IniFormat));
}

// The text as QSettings itself rewrites it with key set to value: every value it reads kept,
// comments and the order of lines not.
std::optional<QByteArray> RewrittenByQSettings(const QByteArray& text, const QString& key,
                                               const QString& value, const QString& scratchPath) {
    if (!WriteWhole(scratchPath, text)) {
        return std::nullopt;
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

QVariantMap ValuesIn(const QSettings& settings) {
    QVariantMap values;
    for (const QString& key : settings.allKeys()) {
        values.insert(key, settings.value(key));
    }
    return values;
}

bool WriteValues(const QString& path, const QVariantMap& values) {
    QSettings writer(path, QSettings::IniFormat);
    for (auto value = values.begin(); value != values.end(); ++value) {
        writer.setValue(value.key(), value.value());
    }
    writer.sync();
    return writer.status() == QSettings::NoError;
}

std::optional<QByteArray> IniTextOf(const QVariantMap& values) {
    if (values.isEmpty()) {
        return QByteArray();
    }
    // QSettings encodes keys and values only on the way to a file of its own.
    const QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("encoded.conf"));
    if (!scratch.isValid() || !WriteValues(path, values)) {
        return std::nullopt;
    }
    QFile encoded(path);
    if (!encoded.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray text = encoded.readAll();
    // QSettings saves through a buffer that hides a short write, as under a file-size limit, and
    // reports success: the text counts only when it reads back as the values.
    if (ParsedValues(text, scratch.filePath(QStringLiteral("check.conf"))) != values) {
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
