// SPDX-License-Identifier: GPL-3.0-or-later
#include "modems/PortSearch.h"

#include "messages/Phrases.h"
#include "modems/OneLineText.h"

namespace linvox {
namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// Every entry is longer than this, so a longer result holds at least one.
constexpr qsizetype kEmptyResultLength = 5;
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
    const InventoryAnswer<PortRange> range = inventory.ModemPortRange();
    for (const QString& notice : range.notices) {
        messages.Show({notice, kProgramTitle});
    }
    if (range.failed()) {
        messages.Show({Say(Phrase::ModemListNotRead).arg(range.failure), kProgramTitle});
    }
    QString result;
    const int first = range.value.first;
    const int last = range.value.last;
    for (int port = first; port <= last; ++port) {
        const ProbeOutcome found =
            probe.ProbePort(kIdentifyCommand, static_cast<qint16>(port), ProbeMode::Silent);
        if (!found.FoundNothing()) {
            result += kLineBreak + QString::number(port) + QStringLiteral(" - ") +
                      OneLineText(found.text());
        }
        const int percent = SearchPercentage(port, first, last);
        view.SetCaption(DoneCaption(percent));
        view.SetBarWidth(SearchBarWidth(percent));
    }
    view.SetBarColour(BarColour::Green);
    view.SetResultText(result.size() > kEmptyResultLength ? result : Say(Phrase::NoModemsFound));
}

}  // namespace linvox
