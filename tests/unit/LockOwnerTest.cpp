// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/LockOwner.h"

#include <gtest/gtest.h>

namespace linvox {
namespace {

using namespace std::chrono_literals;

// This process is 100 on host "here"; 200 runs "linvox", 300 "sleep", 400 a program of another
// user that cannot be told; every other id has ended.
ProcessTable FakeProcesses() {
    return {100, "here", [](qint64 id) { return id == 100 || id == 200 || id == 300 || id == 400; },
            [](qint64 id) {
                return id == 100 || id == 200 ? QStringLiteral("linvox")
                       : id == 300            ? QStringLiteral("sleep")
                                              : QString();
            }};
}

struct OwnerCase {
    const char* name;
    QByteArray text;
    std::chrono::seconds age;
    LockOwner owner;
};

void PrintTo(const OwnerCase& owner, std::ostream* out) {
    *out << owner.name;
}

class LockOwnerJudgement : public ::testing::TestWithParam<OwnerCase> {};

TEST_P(LockOwnerJudgement, TellsAHeldLockFromOneLeftBehind) {
    EXPECT_EQ(JudgeLockOwner(GetParam().text, GetParam().age, FakeProcesses()), GetParam().owner);
}

constexpr auto kHolding = LockOwner::Holding;
constexpr auto kGone = LockOwner::Gone;

INSTANTIATE_TEST_SUITE_P(
    Locks, LockOwnerJudgement,
    ::testing::Values(
        // QLockFile's layout, as Linvox and Qt programs write it.
        OwnerCase{"a running Linvox", "200\nlinvox\nhere\n", 0s, kHolding},
        OwnerCase{"a running Linvox, held long", "200\nlinvox\nhere\n", 3600s, kHolding},
        OwnerCase{"an ended program", "500\nlinvox\nhere\n", 0s, kGone},
        OwnerCase{"its id given to another program", "300\nlinvox\nhere\n", 0s, kGone},
        OwnerCase{"its id given to this process", "100\nlinvox\nhere\n", 0s, kGone},
        OwnerCase{"a program that cannot be told", "400\nlinvox\nhere\n", 0s, kHolding},
        OwnerCase{"no program named", "300\n\nhere\n", 0s, kHolding},
        OwnerCase{"another host, young", "500\nminicom\nthere\n", 30s, kHolding},
        OwnerCase{"another host, old", "200\nlinvox\nthere\n", 31s, kGone},
        // Terminal programs write the id alone, in ten characters; the line after it is then no
        // program's name.
        OwnerCase{"a running terminal program", "       300\n", 0s, kHolding},
        OwnerCase{"an id alone, given to this process", "       100\n", 0s, kGone},
        OwnerCase{"an id, then something else", "300\nminicom\n", 0s, kHolding},
        OwnerCase{"an ended terminal program", "       500\n", 0s, kGone},
        OwnerCase{"zero", "0\n", 0s, kGone}, OwnerCase{"negative", "-7\n", 0s, kGone},
        OwnerCase{"process 1, cut to 32 bits", "4294967297\n", 0s, kGone},
        OwnerCase{"impossible on any host", "4294967297\nminicom\nthere\n", 0s, kGone},
        // Its writer may be writing it this very moment.
        OwnerCase{"empty, young", "", 2s, kHolding}, OwnerCase{"empty, old", "", 3s, kGone},
        OwnerCase{"no number, young", "garbage\n", 0s, kHolding},
        OwnerCase{"no number, old", "garbage\n", 3s, kGone}));

}  // namespace
}  // namespace linvox
