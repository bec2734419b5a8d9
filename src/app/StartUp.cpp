#include "app/StartUp.h"

#include "app/ExitStatus.h"
#include "app/FormPort.h"
#include "app/MessageBoxSink.h"
#include "app/StandardErrorSink.h"
#include "dial/CallRequest.h"
#include "dial/EventLoopPause.h"
#include "platform/CommandLine.h"
#include "platform/Display.h"
#include "platform/QtSerialLine.h"
#include "platform/Shell.h"
#include "platform/UserSettingsLocation.h"
#include "settings/SettingsStore.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>

namespace linvox {
namespace {

// The whole process ends here, without unwinding: every setting is already on disk and the
// serial line has been closed by the window.
[[noreturn]] void EndProgramNow() {
    std::fflush(nullptr);
    std::_Exit(kExitWindowClosed);
}

int PlaceCallWithoutDisplay(int& qtArgc, char* qtArgv[], const QString& argumentText) {
    QCoreApplication application(qtArgc, qtArgv);
    SettingsStore settings(UserSettingsLocation());
    QtSerialLine line{PortMap(settings.location())};
    StandardErrorSink messages;
    EventLoopPause pause;
    Dialer dialer(line, settings, messages, pause);
    return ExitStatusOf(PlaceCallRequest(dialer, argumentText));
}

}  // namespace

int RunLinvox(int argc, char* argv[]) {
    const QString argumentText = CommandLineArgumentText(argc, argv);
    // Qt takes switches such as "-display" out of its arguments; a link must reach us whole.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};

    if (!HasDisplay()) {
        if (argumentText.isEmpty()) {
            std::fputs(
                "linvox: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                "names one that answers).\nTo dial without a window, pass a link: "
                "linvox tel:+380501234567\n",
                stderr);
            return kExitNoDisplay;
        }
        return PlaceCallWithoutDisplay(qtArgc, qtArgv, argumentText);
    }

    QApplication application(qtArgc, qtArgv);
    SettingsStore settings(UserSettingsLocation());
    MessageBoxSink messages;
    EventLoopPause pause;
    DesktopShell shell;
    FormPort window(std::make_unique<QtSerialLine>(PortMap(settings.location())),
                    {settings, messages, pause, shell, EndProgramNow});
    if (!argumentText.isEmpty()) {
        return ExitStatusOf(PlaceCallRequest(window.dialer(), argumentText));
    }
    window.LoadSettings();
    messages.setParentWindow(&window);
    window.show();
    return application.exec();
}

}  // namespace linvox
