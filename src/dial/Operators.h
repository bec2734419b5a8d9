// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/Phrases.h"
#include "settings/Settings.h"

#include <array>
#include <cstddef>
#include <string_view>

#include <QtGlobal>

namespace linvox {

enum class OperatorCode : qint16 {
    Refused = 0,  // the number's form was rejected
    Mts = 1,
    Kyivstar = 2,
    Life = 3,
    Beeline = 4,
    Other = 5,
};

// A mobile operator: its code, the setting its port is stored under, the three-character prefixes
// that name its numbers, and the caption of its row in the window's port table.
struct Operator {
    OperatorCode code;
    const PortSetting& port;
    std::array<std::string_view, 6> prefixes;
    Phrase caption;
};

// The one table of operators, fixed rather than read from the settings. Routing tries their
// prefixes in this order, the first exact match winning; the window's port table shows a row
// for each in this order, and the port check checks them so. The last, with no prefixes, takes
// every other number, and its port serves every call when one phone is used.
//
// The prefixes are those the regulator has issued to each operator, as libphonenumber's carrier
// data lists them (resources/carrier/en/380.txt, July 2026): 075 went to Vodafone, formerly MTS,
// by the regulator's decision of 6 March 2024, 077 to Kyivstar by that of 28 February 2024; 039
// is Kyivstar's and 073 lifecell's, formerly Life. Beeline's 068 numbers belong to Kyivstar
// today, and keep a row of their own so that stored settings keep working. A number moved to
// another operator keeps its prefix, which no table can know.
inline constexpr std::array<Operator, 5> kOperators{{
    {OperatorCode::Mts, kPortMts, {"050", "066", "095", "099", "075"}, Phrase::MtsCaption},
    {OperatorCode::Kyivstar,
     kPortKyivstar,
     {"067", "096", "097", "098", "077", "039"},
     Phrase::KyivstarCaption},
    {OperatorCode::Life, kPortLife, {"063", "093", "073"}, Phrase::LifeCaption},
    {OperatorCode::Beeline, kPortBeeline, {"068"}, Phrase::BeelineCaption},
    {OperatorCode::Other, kPortForOthers, {}, Phrase::EveryOtherNumberCaption},
}};

// The rows of the port table, and the row of every other number, which is the port for all calls
// with one phone.
inline constexpr std::size_t kPortRowCount = kOperators.size();
inline constexpr std::size_t kAllCallsRow = kPortRowCount - 1;
static_assert(kOperators[kAllCallsRow].code == OperatorCode::Other &&
                  &kOperators[kAllCallsRow].port == &kPortForOthers,
              "every other number, and every call with one phone, go through the last row");

}  // namespace linvox
