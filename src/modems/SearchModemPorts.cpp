// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/SearchModemPorts.h"

#include "messages/Phrases.h"
#include "modems/OneLineText.h"

namespace linvox {
namespace {

constexpr double kBarGrowthTwips = kFullBarTwips - kEmptyBarTwips;

}  // namespace

int SearchPercentage(int port, int first, int last) {
    const qint64 span = qint64{last} - first;
    if (span <= 0) {
        return 100;
    }
    const qint64 scaled = (qint64{port} - first) * 100;
    const qint64 quotient = scaled / span;
    const qint64 twiceRemainder = 2 * (scaled % span);
    const bool roundsUp = twiceRemainder > span || (twiceRemainder == span && quotient % 2 != 0);
    return static_cast<int>(quotient + (roundsUp ? 1 : 0));
}

double SearchBarWidth(int percent) {
    return percent / 100.0 * kBarGrowthTwips + kEmptyBarTwips;
}

void SearchModemPorts(ModemInventory& inventory, PortProbe& probe, SearchView& view,
                      MessageSink& messages) {
    view.ShowBar();
    view.SetBarWidth(kEmptyBarTwips);
    view.SetBarColour(BarColour::Highlight);
    view.SetResultText(QString());
    view.SetCaption(Say(Phrase::SearchWaitCaption));
    messages.Show({Say(Phrase::SearchWarning), kProgramTitle});

    const ModemInventory::ListingHold listing(inventory);
    const Outcome<PortRange> range = inventory.ModemPortRange();
    for (const Failure& notice : inventory.notices()) {
        messages.Show({Say(notice), kProgramTitle});
    }
    if (!range.ok()) {
        messages.Show(
            {Say(Failure(FailureCode::ModemListNotRead).Because(range.failure())), kProgramTitle});
    }
    // An unreadable list gives the empty range, as a list of no modems does.
    const PortRange ports = range.ok() ? range.value() : PortRangeAround({});
    QStringList found;
    for (int port = ports.first; port <= ports.last; ++port) {
        const ProbeOutcome outcome = probe.ProbePort(kIdentifyCommand, static_cast<qint16>(port));
        if (!outcome.FoundNothing()) {
            found.append(QString::number(port) + QStringLiteral(" - ") +
                         OneLineText(ProbeResultText(outcome)));
        }
        const int percent = SearchPercentage(port, ports.first, ports.last);
        view.SetCaption(DoneCaption(percent));
        view.SetBarWidth(SearchBarWidth(percent));
    }
    view.SetBarColour(BarColour::Green);
    // Each entry on a line of its own, after an empty first line.
    view.SetResultText(found.isEmpty() ? Say(Phrase::NoModemsFound)
                                       : JoinLines(QStringList{QString()} + found));
}

}  // namespace linvox
