// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TypedNumber.h"

#include "settings/NumberCharacters.h"

#include <QChar>

namespace linvox {
namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

}  // namespace

bool ReadsAsNumber(QStringView text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && IsBlank(text[first])) {
        ++first;
    }
    while (end > first && IsBlank(text[end - 1])) {
        --end;
    }
    qsizetype i = first;
    if (i < end && IsSign(text[i])) {
        ++i;
    }
    int digits = 0;
    bool sawSeparator = false;
    for (; i < end; ++i) {
        if (IsAsciiDigit(text[i])) {
            ++digits;
        } else if ((text[i] == u'.' || text[i] == u',') && !sawSeparator) {
            sawSeparator = true;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < end && IsSign(text[i])) {
            ++i;
        }
        int exponentDigits = 0;
        while (i < end && IsAsciiDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return i == end;
}

}  // namespace linvox
