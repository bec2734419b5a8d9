// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/NormalizeNumber.h"

#include "messages/Phrases.h"
#include "settings/TypedNumber.h"

namespace linvox {
namespace {

// Removed in this order; nothing else is, not even tabs or other kinds of space.
constexpr char16_t kRemovedPunctuation[] = u"-)(+., ";
constexpr qsizetype kShortestNumber = 10;

}  // namespace

std::optional<QString> NormalizeNumber(const QString& typed, MessageSink& messages) {
    QString cleaned = typed;
    for (const char16_t punctuation : std::u16string_view(kRemovedPunctuation)) {
        cleaned.remove(QChar(punctuation));
    }
    if (cleaned.size() < kShortestNumber) {
        messages.Show({Say(Phrase::TooFewDigits), kProgramTitle});
        return std::nullopt;
    }
    if (!ReadsAsNumber(cleaned)) {
        messages.Show({JoinLines({Say(Phrase::NumberHasLetters), typed}), kProgramTitle});
        return std::nullopt;
    }
    return cleaned;
}

}  // namespace linvox
