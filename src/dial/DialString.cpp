// SPDX-License-Identifier: GPL-3.0-or-later
#include "dial/DialString.h"

#include "settings/NumberCharacters.h"

#include <algorithm>

namespace linvox {
namespace {

const QString kDialPrefix = QStringLiteral("ATD");
const QString kVoiceCallSuffix = QStringLiteral(";");

}  // namespace

QString MakeDialString(const QString& number) {
    return kDialPrefix + number + kVoiceCallSuffix;
}

QString NumberOf(const QString& dialString) {
    return dialString.sliced(kDialPrefix.size()).chopped(kVoiceCallSuffix.size());
}

bool HoldsPlainNumber(const QString& dialString) {
    if (!dialString.startsWith(kDialPrefix) || !dialString.endsWith(kVoiceCallSuffix)) {
        return false;
    }
    QStringView number =
        QStringView(dialString).sliced(kDialPrefix.size()).chopped(kVoiceCallSuffix.size());
    if (number.startsWith(u'+')) {
        number = number.sliced(1);
    }
    return std::all_of(number.begin(), number.end(), IsAsciiDigit);
}

}  // namespace linvox
