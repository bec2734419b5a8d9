// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/AnswerCleaning.h"

#include "modems/BlankTrimming.h"

namespace linvox {
namespace {

bool IsLineControl(QChar c) {
    return c == u'\r' || c == u'\n' || c == u'\t' || c == u'\v' || c == u'\b' || c == QChar();
}

}  // namespace

QString CleanAnswer(const QByteArray& received, const QString& command) {
    QString text = QString::fromUtf8(received);
    text.remove(QStringLiteral("OK"));
    text.removeIf(IsLineControl);
    if (!command.isEmpty()) {
        text.remove(command);
    }
    return TrimBlanks(text);
}

}  // namespace linvox
