// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlainDialCommand.h"

namespace linvox::fuzzing {
namespace {

const QByteArray kPrefix = QByteArrayLiteral("ATD");
const QByteArray kSuffix = QByteArrayLiteral(";\r");
const QString kOutputEntry = QStringLiteral("Output=");

}  // namespace

bool IsPlainDialCommand(const QByteArray& bytes) {
    if (!bytes.startsWith(kPrefix) || !bytes.endsWith(kSuffix) ||
        bytes.size() < kPrefix.size() + kSuffix.size()) {
        return false;
    }
    QByteArray number = bytes.mid(kPrefix.size(), bytes.size() - kPrefix.size() - kSuffix.size());
    if (number.startsWith('+')) {
        number.remove(0, 1);
    }
    if (number.isEmpty()) {
        return false;
    }
    for (const char c : number) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

QList<QByteArray> WrittenToLine(const testing::FakeSerialLine& line) {
    QList<QByteArray> written;
    for (const QString& entry : line.log) {
        // The fake logs the bytes as Latin-1, which gives each byte back unchanged.
        if (entry.startsWith(kOutputEntry)) {
            written.append(entry.sliced(kOutputEntry.size()).toLatin1());
        }
    }
    return written;
}

}  // namespace linvox::fuzzing
