// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commands/LineCommandGuard.h"
#include "dial/Dialer.h"
#include "line/Pause.h"
#include "line/SerialLine.h"
#include "messages/MessageSink.h"
#include "modems/CheckSelectedPorts.h"
#include "modems/ModemInventory.h"
#include "modems/ModemListSource.h"
#include "modems/SearchModemPorts.h"
#include "modems/SerialPortProbe.h"

namespace linvox {

class SettingsStore;

// The program's one serial line, MSComm1, and the commands that use it: a call, the port search
// and the port check. They run one at a time, since two would interleave their bytes on the one
// line: a command started while another waits on the line, with the window's events running, is
// refused and does nothing. When a command ends, the port is closed, so that another program,
// or Linvox started by a link, can reach the phone; the phone keeps its call, as closing does
// not hang up. Built once by start-up. Window thread only.
class LineCommands {
public:
    LineCommands(SerialLine& line, ManagedModems& managed, ModemListSource& modems,
                 const SettingsStore& settings, MessageSink& messages, Pause& pause);

    // Dials the link or number of a start with one, as the dial routine's result: once
    // silently, once more showing the failure if the first attempt failed.
    DialResult PlaceCallRequest(const QString& argumentText);

    // Calls the number typed in the window.
    void PlaceManualCall(const QString& typed);

    // "Поиск портов модемов" and "Проверить выбранные порты".
    void SearchPorts(SearchView& view);
    void CheckPorts(CheckView& view);

    // Lets the port go at once, also in the middle of a command, as the program ends.
    void ReleaseLine();

private:
    template <typename Command>
    void RunAlone(Command&& command);

    SerialLine& m_line;
    MessageSink& m_messages;
    ModemInventory m_inventory;
    SerialPortProbe m_probe;
    Dialer m_dialer;
    LineCommandGuard m_guard;
};

}  // namespace linvox
