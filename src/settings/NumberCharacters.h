// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>

namespace linvox {

// Only ASCII digits count as digits: other scripts' digits would reach a phone as "?".
inline bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

inline bool IsSign(QChar c) {
    return c == u'+' || c == u'-';
}

}  // namespace linvox
