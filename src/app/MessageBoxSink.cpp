// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageBoxSink.h"

#include <QMessageBox>

namespace linvox {

void MessageBoxSink::Show(const Message& message) {
    const QMessageBox::Icon icon =
        message.icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon;
    QWidget* parent = m_parentWindow && m_parentWindow->isVisible() ? m_parentWindow : nullptr;
    QMessageBox box(icon, message.title, message.text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace linvox
