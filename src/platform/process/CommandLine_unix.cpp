// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/CommandLine.h"

#include <QStringList>

namespace linvox {

QString CommandLineArgumentText(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments.join(u' ');
}

}  // namespace linvox
