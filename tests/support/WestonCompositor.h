// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace linvox::testing {

// A Wayland compositor of the test's own: weston with its headless backend, listening in a
// runtime folder of its own, and stopped with the object whatever the test's outcome. Throws
// std::runtime_error when it does not come up.
class WestonCompositor {
public:
    WestonCompositor();
    ~WestonCompositor();

    WestonCompositor(const WestonCompositor&) = delete;
    WestonCompositor& operator=(const WestonCompositor&) = delete;

    // The environment of a program in a Wayland session on this compositor, without an X server.
    QProcessEnvironment environment() const;

private:
    QTemporaryDir m_runtimeDirectory;
    QProcess m_compositor;
};

}  // namespace linvox::testing
