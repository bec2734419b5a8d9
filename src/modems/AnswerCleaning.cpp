// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/AnswerCleaning.h"

#include "modems/BlankTrimming.h"
#include "modems/UnsolicitedCodes.h"

#include <optional>

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

// Some Motorola phones name their bands before the model, in a list of quoted texts:
// +CGMM: "GSM900","GSM1800","GSM1900","GSM850","MODEL=V547" (gnokii, common/phones/atmot.c).
constexpr QStringView kListedModel = u"\"MODEL=";

// The model in a list of quoted texts that names it with kListedModel; nothing in any other text.
std::optional<QString> ListedModel(const QString& value) {
    const qsizetype start = value.indexOf(kListedModel);
    if (!value.startsWith(u'"') || start < 0) {
        return std::nullopt;
    }
    const qsizetype modelStart = start + kListedModel.size();
    const qsizetype end = value.indexOf(u'"', modelStart);
    return end < 0 ? std::nullopt : std::optional(value.mid(modelStart, end - modelStart));
}

// The model on a line that names the command before it ("+CGMM: \"LINUX\"" gives LINUX, a list
// with "MODEL=V547" among its texts gives V547); any other line unchanged.
QString ModelOfLine(QStringView line) {
    for (QStringView prefix : kModelPrefixes) {
        if (line.startsWith(prefix)) {
            const QString value = TrimBlanks(line.sliced(prefix.size()).toString());
            return ListedModel(value).value_or(Unquoted(value));
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
