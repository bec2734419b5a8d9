// SPDX-License-Identifier: GPL-3.0-or-later
// From a number typed in the window to what is written to the phone: NormalizeNumber only takes
// punctuation out and lets no letter through but an exponent's, and the line gets one plain dial
// command or nothing.
#include "PlainDialCommand.h"
#include "Property.h"
#include "dial/ManualCall.h"
#include "dial/NormalizeNumber.h"
#include "support/DialerRig.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using linvox::fuzzing::Require;

namespace {

// The typed text without the punctuation people write phone numbers with.
QString WithoutPunctuation(const QString& typed) {
    QString kept;
    for (const QChar c : typed) {
        if (!QStringView(u"-)(+., ").contains(c)) {
            kept += c;
        }
    }
    return kept;
}

bool OnlyDigitsExponentsAndTabs(const QString& number) {
    return std::all_of(number.begin(), number.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || c == u'e' || c == u'E' || c == u'\t';
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static linvox::testing::DialerRig rig;
    const QString typed =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    linvox::testing::RecordingMessageSink normalizing;
    const std::optional<QString> number = linvox::NormalizeNumber(typed, normalizing);
    if (!number) {
        Require(normalizing.messages.size() == 1, "a refused number is reported once", typed);
    } else {
        Require(normalizing.messages.isEmpty(), "an accepted number shows nothing", typed);
        Require(*number == WithoutPunctuation(typed), "only punctuation is taken out", typed);
        Require(number->size() >= 10, "an accepted number has ten characters or more", typed);
        Require(OnlyDigitsExponentsAndTabs(*number), "no letter but an exponent's passes", typed);
    }

    rig.line.log.clear();
    rig.messages.messages.clear();
    linvox::PlaceManualCall(typed, rig.dialer, rig.messages);
    const QList<QByteArray> written = linvox::fuzzing::WrittenToLine(rig.line);
    Require(written.size() <= 1, "a manual call writes at most once", typed);
    for (const QByteArray& bytes : written) {
        Require(linvox::fuzzing::IsPlainDialCommand(bytes), "only a plain dial command is written",
                QString::fromLatin1(bytes.toPercentEncoding()));
    }
    return 0;
}
