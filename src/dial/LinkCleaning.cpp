// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/LinkCleaning.h"

namespace linvox {
namespace {

struct Replacement {
    const char16_t* find;
    const char16_t* replaceWith;
};

// Applied in this order; each replaces every occurrence, exactly and case-sensitively, and does
// not rescan what it has just put in.
constexpr Replacement kLinkReplacements[] = {
    {u"skype:", u""}, {u"?call", u""}, {u"tel:", u""}, {u"callto:", u""},   {u"sip:", u""},
    {u"(", u""},      {u")", u""},     {u"-", u""},    {u"+3800", u"+380"},
};

constexpr qsizetype kTrunkPrefixedLength = 11;
constexpr qsizetype kNationalLength = 10;

}  // namespace

QString CleanLink(const QString& argumentText) {
    QString text = argumentText;
    for (const Replacement& replacement : kLinkReplacements) {
        text.replace(QString::fromUtf16(replacement.find),
                     QString::fromUtf16(replacement.replaceWith));
    }
    if (text.size() == kTrunkPrefixedLength) {
        text = text.right(kNationalLength);
    }
    return text;
}

}  // namespace linvox
