// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QObject>

namespace linvox {

// Lets Enter press the focused button, as Space does. Qt leaves Enter to the default button of
// a dialog, and the window is none.
class EnterPressesButtons : public QObject {
public:
    using QObject::QObject;

    void Serve(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace linvox
