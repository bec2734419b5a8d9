// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SupportLink.h"

#include "messages/Phrases.h"
#include "platform/desktop/Shell.h"

#include <QCursor>
#include <QGuiApplication>

namespace linvox {

void ExecuteLink(const QString& address, Shell& shell, MessageSink& messages) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const Shell::Outcome outcome = shell.OpenAddress(address);
    QGuiApplication::restoreOverrideCursor();
    if (!outcome.opened) {
        // The address, an empty line, and the system's error code.
        messages.Show({JoinLines({Say(Phrase::CannotOpenPage).arg(address), QString(),
                                  QString::number(outcome.errorCode)}),
                       Say(Phrase::CannotOpenPageTitle)});
    }
}

}  // namespace linvox
