// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace linvox {

// The arguments Qt is given: the program's name, and the platforms to use once chosen. Qt takes
// switches such as "-display" out of its arguments, and a link must reach us whole.
class QtArguments {
public:
    explicit QtArguments(char* program) : m_argv{program, nullptr, nullptr, nullptr} {}
    // The arguments point into the object itself.
    Q_DISABLE_COPY_MOVE(QtArguments)

    // Given several, Qt tries each in turn.
    void setPlatforms(const QString& platforms) {
        m_platforms = platforms.toLocal8Bit();
        m_argv[1] = m_platformOption;
        m_argv[2] = m_platforms.data();
        m_argc = 3;
    }

    // Qt keeps both for the application's lifetime.
    int& argc() { return m_argc; }
    char** argv() { return m_argv; }

private:
    char m_platformOption[10] = "-platform";
    QByteArray m_platforms;
    int m_argc = 1;
    char* m_argv[4];
};

}  // namespace linvox
