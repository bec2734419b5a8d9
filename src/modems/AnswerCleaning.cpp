// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/AnswerCleaning.h"

#include "modems/BlankTrimming.h"
#include "modems/UnsolicitedCodes.h"

namespace linvox {
namespace {

// Some devices name the command they answer before the model, to AT+GMM as to AT+CGMM; gnokii
// handles both ("some firmwares that reply to AT+GMM with +CGMM: or to AT+CGMM with +GMM:",
// common/phones/atgen.c).
constexpr QStringView kModelPrefixes[] = {u"+CGMM:", u"+GMM:"};

bool IsLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

bool IsLineControl(QChar c) {
    return IsLineBreak(c) || c == u'\t' || c == u'\v' || c == u'\b' || c == QChar();
}

// Calls visit(line, lineBreak) for every line of text, in order: line is what stands between two
// CR or LF characters, lineBreak the one that ends it (empty for the last line).
template <typename Visit>
void ForEachLine(QStringView text, Visit visit) {
    qsizetype lineStart = 0;
    while (true) {
        qsizetype lineEnd = lineStart;
        while (lineEnd < text.size() && !IsLineBreak(text[lineEnd])) {
            ++lineEnd;
        }
        const QStringView line = text.sliced(lineStart, lineEnd - lineStart);
        if (lineEnd == text.size()) {
            visit(line, QStringView());
            return;
        }
        visit(line, text.sliced(lineEnd, 1));
        lineStart = lineEnd + 1;
    }
}

// The text between one pair of double quotes that encloses all of it; any other text unchanged, as
// is a list of several quoted texts.
QString Unquoted(const QString& value) {
    const bool enclosed = value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"') &&
                          value.count(u'"') == 2;
    return enclosed ? value.mid(1, value.size() - 2) : value;
}

// The model on a line that names the command before it ("+CGMM: \"LINUX\"" gives LINUX); any
// other line unchanged.
QString ModelOfLine(QStringView line) {
    for (QStringView prefix : kModelPrefixes) {
        if (line.startsWith(prefix)) {
            return Unquoted(TrimBlanks(line.sliced(prefix.size()).toString()));
        }
    }
    return line.toString();
}

// The text with every unsolicited result code left out and every model line reduced to its model.
// The line breaks all stay, for the cleaning to remove as before: an "OK" that forms only where
// they go stays an "OK".
QString WithoutReports(QStringView text) {
    QString kept;
    kept.reserve(text.size());
    ForEachLine(text, [&kept](QStringView line, QStringView lineBreak) {
        if (!IsUnsolicitedCode(line)) {
            kept += ModelOfLine(line);
        }
        kept += lineBreak;
    });
    return kept;
}

}  // namespace

bool HoldsOnlyUnsolicitedCodes(const QByteArray& received) {
    bool anyCode = false;
    bool anythingElse = false;
    ForEachLine(QString::fromUtf8(received), [&](QStringView line, QStringView) {
        if (IsUnsolicitedCode(line)) {
            anyCode = true;
        } else if (!TrimBlanks(line.toString()).isEmpty()) {
            anythingElse = true;
        }
    });
    return anyCode && !anythingElse;
}

QString CleanAnswer(const QByteArray& received, const QString& command) {
    QString text = WithoutReports(QString::fromUtf8(received));
    text.remove(QStringLiteral("OK"));
    text.removeIf(IsLineControl);
    if (!command.isEmpty()) {
        text.remove(command);
    }
    return TrimBlanks(text);
}

}  // namespace linvox
