// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dial/Operators.h"
#include "settings/Settings.h"

#include <array>

#include <QLabel>
#include <QLineEdit>

namespace Ui {
class FormPort;
}

namespace linvox {

// One row of the window's port table: an operator, the field with its port, the setting the field
// is stored under and the label that the port check fills.
struct PortRow {
    QLabel* operatorLabel;
    QLineEdit* field;
    const PortSetting* setting;
    QLabel* resultLabel;
};

using PortRows = std::array<PortRow, kPortRowCount>;

// The rows of the operator table, each captioned with its operator. The last one, for every
// other number, is also the port for all calls with one phone, and the only row shown then.
PortRows PortTableRows(const Ui::FormPort& ui);

}  // namespace linvox
