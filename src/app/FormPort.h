// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CheckPanel.h"
#include "app/PortTable.h"
#include "app/SearchPanel.h"
#include "messages/MessageSink.h"
#include "settings/StoreStatus.h"

#include <functional>
#include <memory>
#include <optional>

#include <QWidget>

namespace Ui {
class FormPort;
}

namespace linvox {

class LineCommands;
class SettingsStore;
class Shell;

// The program's one window: a number field and a call button, and behind "Настройки" the port
// table, the phone mode, the port search and check, and the support link. Every edit is stored
// at once. The window paints and wires; the commands on the serial line are lineCommands'.
class FormPort : public QWidget {
    Q_OBJECT

public:
    // What the window works with. endProgram ends the process at once.
    struct Services {
        SettingsStore& settings;
        MessageSink& messages;
        Shell& shell;
        LineCommands& lineCommands;
        std::function<void()> endProgram;
    };

    explicit FormPort(Services services, QWidget* parent = nullptr);
    ~FormPort() override;

    // For a bare start, before the window is first shown: fills the port fields from the
    // settings and selects the stored phone mode. Each fill is an edit like any other and is
    // stored again, with the meaning it had.
    void LoadSettings();

protected:
    // Closing the window ends the program at once, also in the middle of a dial's wait or a
    // probe's.
    void closeEvent(QCloseEvent* event) override;

private:
    void PaintFixedColours();
    void ConnectHandlers();
    void SwitchView();
    void SetOuterSize(int widthTwips, int heightTwips);
    void ApplyLayout(PhoneMode mode);
    void SelectPhoneMode(PhoneMode mode);
    void StorePortField(const PortRow& row);
    // Tells the user of a refused store, or of the notice a stored one carries.
    void ReportStore(const StoreStatus& status);
    QString StoredPortText(const PortSetting& setting) const;
    void CallTypedNumber();
    void OpenSupportSite();

    std::unique_ptr<Ui::FormPort> m_ui;
    Services m_services;
    PortRows m_portRows;
    std::unique_ptr<SearchPanel> m_searchPanel;
    std::unique_ptr<CheckPanel> m_checkPanel;
    bool m_settingsShown = false;
    bool m_loading = false;
    std::optional<Failure> m_refusalShownWhileLoading;
};

}  // namespace linvox
