// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/PortTable.h"
#include "app/ProgressFrame.h"
#include "modems/CheckSelectedPorts.h"

#include <QRadioButton>

namespace linvox {

// The port check's part of the window: Frame2 with its bar Shape2, the port table whose fields
// it reads and whose result labels it fills, and the option that selects one phone.
class CheckPanel final : public ProgressFrame<CheckView> {
public:
    CheckPanel(QGroupBox* frame, ProgressShape* bar, const PortRows& rows,
               QRadioButton* singlePhone);

    bool SinglePhoneSelected() const override;
    QString PortFieldText(std::size_t row) const override;
    void SetRowResult(std::size_t row, const QString& text) override;

private:
    PortRows m_rows;
    QRadioButton* m_singlePhone;
};

}  // namespace linvox
