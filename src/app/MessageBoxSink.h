// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/MessageSink.h"

#include <QPointer>
#include <QWidget>

namespace linvox {

// Shows each message as a modal box with one OK button, over the window once it is shown.
class MessageBoxSink : public MessageSink {
public:
    void Show(const Message& message) override;
    void setParentWindow(QWidget* window) { m_parentWindow = window; }

private:
    QPointer<QWidget> m_parentWindow;
};

}  // namespace linvox
