// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/process/CommandLine.h"

#include <windows.h>

namespace linvox {
namespace {

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

}  // namespace

QString CommandLineArgumentText(int, char*[]) {
    const QString commandLine = QString::fromWCharArray(::GetCommandLineW());
    qsizetype i = 0;
    if (commandLine.startsWith(u'"')) {
        const qsizetype closingQuote = commandLine.indexOf(u'"', 1);
        i = closingQuote < 0 ? commandLine.size() : closingQuote + 1;
    } else {
        while (i < commandLine.size() && !IsBlank(commandLine[i])) {
            ++i;
        }
    }
    while (i < commandLine.size() && IsBlank(commandLine[i])) {
        ++i;
    }
    return commandLine.mid(i);
}

}  // namespace linvox
