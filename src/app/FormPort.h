#pragma once

#include "app/PortTable.h"
#include "dial/SendDialCommand.h"
#include "modems/LineCommandGuard.h"

#include <functional>
#include <memory>

#include <QWidget>

namespace Ui {
class FormPort;
}

namespace linvox {

class SettingsStore;
class Shell;

// The program's one window: a number field and a call button, and behind "Настройки" the port
// table, the phone mode and the support link. Every edit is stored at once. The window owns the
// serial line MSComm1 and exists, hidden, also when the program only places a requested call.
class FormPort : public QWidget {
    Q_OBJECT

public:
    // What the window works with besides its serial line. endProgram ends the process at once.
    struct Services {
        SettingsStore& settings;
        MessageSink& messages;
        Pause& pause;
        Shell& shell;
        std::function<void()> endProgram;
    };

    FormPort(std::unique_ptr<SerialLine> line, Services services, QWidget* parent = nullptr);
    ~FormPort() override;

    Dialer& dialer() { return m_dialer; }

    // For a bare start, before the window is first shown: fills the port fields from the
    // settings and selects the stored phone mode. Each fill is an edit like any other and is
    // stored again, with the meaning it had.
    void LoadSettings();

protected:
    // Closing the window ends the program at once, also in the middle of a dial's wait.
    void closeEvent(QCloseEvent* event) override;

private:
    enum class PhoneMode { Single, Multi };

    void ConnectHandlers();
    void SwitchView();
    void SetOuterSize(int widthTwips, int heightTwips);
    void ApplyLayout(PhoneMode mode);
    void SelectPhoneMode(PhoneMode mode);
    void StorePortField(const PortRow& row);
    void Store(const SettingKey& key, const QString& value);
    QString StoredPortText(const SettingKey& key) const;
    void CallTypedNumber();
    void OpenSupportSite();

    std::unique_ptr<Ui::FormPort> m_ui;
    std::unique_ptr<SerialLine> m_MSComm1;
    Services m_services;
    Dialer m_dialer;
    LineCommandGuard m_lineCommands;
    std::array<PortRow, 5> m_portRows;
};

}  // namespace linvox
