// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/LineCommands.h"

#include "dial/CallRequest.h"
#include "dial/ManualCall.h"

namespace linvox {

LineCommands::LineCommands(SerialLine& line, ManagedModems& managed, ModemListSource& modems,
                           const SettingsStore& settings, MessageSink& messages, Pause& pause)
    : m_line(line),
      m_messages(messages),
      m_inventory(modems),
      m_probe(line, managed, m_inventory),
      m_dialer(line, managed, settings, messages, pause) {}

template <typename Command>
void LineCommands::RunAlone(Command&& command) {
    m_guard.RunUnlessBusy([&] {
        std::forward<Command>(command)();
        ReleaseLine();
    });
}

DialResult LineCommands::PlaceCallRequest(const QString& argumentText) {
    // A start with a link runs nothing else on the line, so the call is never turned away.
    DialResult result = DialResult::Refused;
    RunAlone([&] { result = linvox::PlaceCallRequest(m_dialer, argumentText); });
    return result;
}

void LineCommands::PlaceManualCall(const QString& typed) {
    RunAlone([&] { linvox::PlaceManualCall(typed, m_dialer, m_messages); });
}

void LineCommands::SearchPorts(SearchView& view) {
    RunAlone([&] { SearchModemPorts(m_inventory, m_probe, view, m_messages); });
}

void LineCommands::CheckPorts(CheckView& view) {
    RunAlone([&] { CheckSelectedPorts(m_inventory, m_probe, view, m_messages); });
}

void LineCommands::ReleaseLine() {
    (void)m_line.SetPortOpen(false);
}

}  // namespace linvox
