// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StandardErrorSink.h"

#include <cstdio>

namespace linvox {

void StandardErrorSink::Show(const Message& message) {
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "%s: %s\n", message.title.toUtf8().constData(), text.toUtf8().constData());
    std::fflush(stderr);
}

void PrintProgramLine(const QString& text) {
    std::fprintf(stderr, "linvox: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

}  // namespace linvox
