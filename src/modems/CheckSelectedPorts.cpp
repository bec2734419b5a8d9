// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/CheckSelectedPorts.h"

#include "messages/Phrases.h"
#include "modems/OneLineText.h"
#include "settings/StoredNumber.h"

#include <optional>

namespace linvox {
namespace {

// Probes the row's port twice, or three times when the first finds nothing, and shows what the
// last found. Each probe reads the field anew: the user may edit it while an earlier one waits.
void CheckRow(std::size_t row, PortProbe& probe, CheckView& view) {
    const auto probeField = [&]() -> std::optional<ProbeOutcome> {
        const std::optional<qint16> port = ReadInteger16(view.PortFieldText(row));
        if (!port) {
            return std::nullopt;
        }
        return probe.ProbePort(kIdentifyCommand, *port);
    };
    const std::optional<ProbeOutcome> first = probeField();
    if (first && first->FoundNothing()) {
        probeField();
    }
    const std::optional<ProbeOutcome> shown = first ? probeField() : std::nullopt;
    // A number that names no port, as a probe would word it.
    view.SetRowResult(row,
                      OneLineText(shown ? ProbeResultText(*shown)
                                        : ProbeErrorText(Failure(FailureCode::InvalidPortNumber))));
}

void ShowRowDone(std::size_t rowsDone, ProgressView& view) {
    const auto done = static_cast<int>(rowsDone);
    const auto rows = static_cast<int>(kPortRowCount);
    view.SetCaption(DoneCaption(100 * done / rows));
    view.SetBarWidth(kFullBarTwips / rows * done);
}

}  // namespace

void CheckSelectedPorts(ModemInventory& inventory, PortProbe& probe, CheckView& view,
                        MessageSink& messages) {
    view.ShowBar();
    view.SetBarWidth(kEmptyBarTwips);
    for (std::size_t row = 0; row < kPortRowCount; ++row) {
        view.SetRowResult(row, QString());
    }
    view.SetBarColour(BarColour::Highlight);
    view.SetCaption(Say(Phrase::CheckWaitCaption));
    messages.Show({Say(Phrase::CheckWarning), kProgramTitle});

    const ModemInventory::ListingHold listing(inventory);
    view.SetCaption(DoneCaption(0));
    if (!view.SinglePhoneSelected()) {
        for (std::size_t row = 0; row < kAllCallsRow; ++row) {
            CheckRow(row, probe, view);
            ShowRowDone(row + 1, view);
        }
    }
    CheckRow(kAllCallsRow, probe, view);
    ShowRowDone(kPortRowCount, view);
    view.SetBarColour(BarColour::Green);
}

}  // namespace linvox
