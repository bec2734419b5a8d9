// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>

#include <gtest/gtest.h>

// Serial lines, timers and settings need a Qt application object; one per test process.
int main(int argc, char* argv[]) {
    // Tests compare the program's own words, which it speaks where the user's language is none
    // of its translations; a test that wants another language names it for its process.
    qputenv("LC_ALL", "C.UTF-8");
    qunsetenv("LANGUAGE");
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
