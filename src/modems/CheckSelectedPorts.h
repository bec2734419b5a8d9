// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dial/Operators.h"
#include "messages/MessageSink.h"
#include "modems/ModemInventory.h"
#include "modems/PortProbe.h"
#include "modems/ProgressView.h"

#include <cstddef>

namespace linvox {

// What the port check reads and paints: the phone mode and port fields of the window, the
// labels beside them, and its progress frame.
class CheckView : public ProgressView {
public:
    virtual bool SinglePhoneSelected() const = 0;
    virtual QString PortFieldText(std::size_t row) const = 0;
    virtual void SetRowResult(std::size_t row, const QString& text) = 0;
};

// The check behind "Проверить выбранные порты": after a warning, probes the port in the field
// of each row (with one phone, only the port for all calls) with "AT+GMM" and shows beside it
// what the last probe found (ProbeResultText), made one line (OneLineText). A field whose number
// does not fit 16 bits shows "Неверный порт" without a probe. The system's modem list, which names
// the modems of silent ports, is read at most once.
void CheckSelectedPorts(ModemInventory& inventory, PortProbe& probe, CheckView& view,
                        MessageSink& messages);

}  // namespace linvox
