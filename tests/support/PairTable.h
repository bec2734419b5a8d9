// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <utility>

#include <gtest/gtest.h>

namespace linvox::testing {

// A table of what a function gives for each input: expects it of every row, and names the input
// of a row that differs.
template <typename Input, typename Expected, typename Function>
void ExpectEach(std::initializer_list<std::pair<Input, Expected>> rows, Function function) {
    for (const auto& [input, expected] : rows) {
        EXPECT_EQ(function(input), expected) << ::testing::PrintToString(input);
    }
}

}  // namespace linvox::testing
