// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace linvox::testing {

// An Xvfb server of the test's own on a free display number, stopped with the object whatever
// the test's outcome. Throws std::runtime_error when the server does not come up.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();

    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":<number>", for DISPLAY.
    QString name() const { return m_name; }

    // The environment of a program that should use this display and no other.
    QProcessEnvironment environment() const;

private:
    QProcess m_server;
    QString m_name;
};

}  // namespace linvox::testing
