// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "messages/MessageSink.h"
#include "modems/ModemInventory.h"
#include "modems/PortProbe.h"
#include "modems/ProgressView.h"

namespace linvox {

// What the port search paints: its progress frame and the box that lists what it found.
class SearchView : public ProgressView {
public:
    virtual void SetResultText(const QString& text) = 0;
};

// The percentage after visiting port of first..last: (port - first) * 100 / (last - first),
// halves to the even neighbour; computed wide, so any range of 16-bit ports fits.
int SearchPercentage(int port, int first, int last);

// The bar's width at a percentage: from 2 twips at 0 % to 3615 at 100 %.
double SearchBarWidth(int percent);

// The search behind "Поиск портов модемов": after a warning, probes with "AT+GMM" every port in
// the range around the modems that the system lists, silently, and lists in the view each port
// that answered or has a listed modem, as CR LF, the port, " - " and the answer made one line
// (OneLineText), so that no device can add a line of its own. The system's modem list is read
// once, after the warning, for the range and for the names of silent ports. When it cannot be
// read, says why and ends as with an empty range.
void SearchModemPorts(ModemInventory& inventory, PortProbe& probe, SearchView& view,
                      MessageSink& messages);

}  // namespace linvox
