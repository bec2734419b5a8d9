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
    return lines.join('\n') + '\n';
}

}  // namespace linvox
