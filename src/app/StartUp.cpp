// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include "app/ExitStatus.h"
#include "app/FormPort.h"
#include "app/MessageBoxSink.h"
#include "app/StandardErrorSink.h"
#include "commands/LineCommands.h"
#include "platform/CommandLine.h"
#include "platform/Display.h"
#include "platform/EventLoopPause.h"
#include "platform/QtSerialLine.h"
#include "platform/SettingsFile.h"
#include "platform/Shell.h"
#include "platform/SystemModemList.h"
#include "platform/UserSettingsLocation.h"
#include "settings/SettingsStore.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>

namespace linvox {
namespace {

// The whole process ends here, without unwinding: every setting is already on disk and the
// serial line has been let go.
[[noreturn]] void EndProgramNow() {
    std::fflush(nullptr);
    std::_Exit(kExitWindowClosed);
}

// The user's settings, the serial line and the commands on it: built once per run, for the
// call of a start with a link as for the window.
class Telephony {
public:
    explicit Telephony(MessageSink& messages)
        : m_settingsFile(UserSettingsLocation()),
          m_settings(m_settingsFile),
          m_MSComm1(PortMap(m_settingsFile)),
          m_modems(m_settingsFile),
          m_lineCommands(m_MSComm1, m_modems, m_settings, messages, m_pause) {}

    SettingsStore& settings() { return m_settings; }
    LineCommands& lineCommands() { return m_lineCommands; }

private:
    SettingsFile m_settingsFile;
    SettingsStore m_settings;
    QtSerialLine m_MSComm1;
    SystemModemList m_modems;
    EventLoopPause m_pause;
    LineCommands m_lineCommands;
};

}  // namespace

int RunLinvox(int argc, char* argv[]) {
    const QString argumentText = CommandLineArgumentText(argc, argv);
    // Qt takes switches such as "-display" out of its arguments; a link must reach us whole.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr, nullptr, nullptr};

    QByteArray platforms;
    {
        // Enough for a call without a display, and for learning where Qt's plugins are.
        QCoreApplication application(qtArgc, qtArgv);
        const DisplayChoice display = ChooseDisplay();
        if (display.platforms.isEmpty()) {
            if (argumentText.isEmpty()) {
                std::fprintf(stderr,
                             "linvox: no display to show the window on (%s).\nTo dial without a "
                             "window, pass a link: linvox tel:+380501234567\n",
                             display.unusableReason.toLocal8Bit().constData());
                return kExitNoDisplay;
            }
            StandardErrorSink messages;
            Telephony telephony(messages);
            return ExitStatusOf(telephony.lineCommands().PlaceCallRequest(argumentText));
        }
        platforms = display.platforms.toLocal8Bit();
    }

    // Given several, Qt tries each in turn: should the compositor turn Linvox away, the X server
    // is still there.
    char platformOption[] = "-platform";
    qtArgv[1] = platformOption;
    qtArgv[2] = platforms.data();
    qtArgc = 3;
    QApplication application(qtArgc, qtArgv);
    MessageBoxSink messages;
    Telephony telephony(messages);
    if (!argumentText.isEmpty()) {
        // The window stays unbuilt: a start with a link never shows it.
        return ExitStatusOf(telephony.lineCommands().PlaceCallRequest(argumentText));
    }
    DesktopShell shell;
    FormPort window(
        {telephony.settings(), messages, shell, telephony.lineCommands(), EndProgramNow});
    window.LoadSettings();
    messages.setParentWindow(&window);
    window.show();
    return application.exec();
}

}  // namespace linvox
