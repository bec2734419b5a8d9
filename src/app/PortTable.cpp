#include "app/PortTable.h"

#include "ui_FormPort.h"

namespace linvox {

PortRows PortTableRows(const Ui::FormPort& ui) {
    return {{
        {ui.Label6, ui.Text3, kPortMtsKey, ui.Label2},
        {ui.Label7, ui.Text5, kPortKyivstarKey, ui.Label3},
        {ui.Label10, ui.Text6, kPortLifeKey, ui.Label4},
        {ui.Label11, ui.Text7, kPortBeelineKey, ui.Label5},
        {ui.Label12, ui.Text1, kPortKey, ui.Label8},
    }};
}

}  // namespace linvox
