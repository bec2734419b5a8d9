#pragma once

#include "dial/SendDialCommand.h"

#include <QWidget>

#include <functional>
#include <memory>

namespace linvox {

class SettingsStore;

// The program's one window. It owns the serial line MSComm1 that dialing uses, and exists,
// hidden, also when the program only places a requested call.
class FormPort : public QWidget {
    Q_OBJECT

public:
    // What the window works with besides its serial line. endProgram ends the process at once.
    struct Services {
        SettingsStore& settings;
        MessageSink& messages;
        Pause& pause;
        std::function<void()> endProgram;
    };

    FormPort(std::unique_ptr<SerialLine> line, Services services, QWidget* parent = nullptr);
    ~FormPort() override;

    Dialer& dialer() { return m_dialer; }

protected:
    // Closing the window ends the program at once, also in the middle of a dial's wait.
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<SerialLine> m_MSComm1;
    Services m_services;
    Dialer m_dialer;
};

}  // namespace linvox
