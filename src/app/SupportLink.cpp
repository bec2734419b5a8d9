// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SupportLink.h"

#include "messages/Phrases.h"
#include "platform/Shell.h"

#include <QCursor>
#include <QGuiApplication>

namespace linvox {

void ExecuteLink(const QString& address, Shell& shell, MessageSink& messages) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const Shell::Outcome outcome = shell.OpenAddress(address);
    QGuiApplication::restoreOverrideCursor();
    if (!outcome.opened) {
        messages.Show({Say(Phrase::CannotOpenPage).arg(address) + QStringLiteral("\r\n\r\n") +
                           QString::number(outcome.errorCode),
                       QStringLiteral("frmAbout::ExecuteLink")});
    }
}

}  // namespace linvox
