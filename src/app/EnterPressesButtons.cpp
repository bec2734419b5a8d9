// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EnterPressesButtons.h"

#include <QKeyEvent>

namespace linvox {

void EnterPressesButtons::Serve(QAbstractButton* button) {
    button->installEventFilter(this);
}

bool EnterPressesButtons::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QAbstractButton*>(watched)->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace linvox
