// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PortTable.h"

#include "ui_FormPort.h"

#include <tuple>

namespace linvox {

PortRows PortTableRows(const Ui::FormPort& ui) {
    struct RowWidgets {
        QLabel* operatorLabel;
        QLineEdit* field;
        QLabel* resultLabel;
    };
    // The form's widgets of each operator's row, in the order of the operator table.
    const std::array widgets{
        RowWidgets{ui.Label6, ui.Text3, ui.Label2},  RowWidgets{ui.Label7, ui.Text5, ui.Label3},
        RowWidgets{ui.Label10, ui.Text6, ui.Label4}, RowWidgets{ui.Label11, ui.Text7, ui.Label5},
        RowWidgets{ui.Label12, ui.Text1, ui.Label8},
    };
    static_assert(std::tuple_size_v<decltype(widgets)> == kOperators.size(),
                  "the form has a row for every operator");
    PortRows rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = {widgets[i].operatorLabel, widgets[i].field, &kOperators[i].port,
                   widgets[i].resultLabel};
        rows[i].operatorLabel->setText(Say(kOperators[i].caption));
    }
    return rows;
}

}  // namespace linvox
