// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include "app/ExitStatus.h"
#include "app/FormPort.h"
#include "app/MessageBoxSink.h"
#include "app/StandardErrorSink.h"
#include "commands/LineCommands.h"
#include "messages/Phrases.h"
#include "messages/Translation.h"
#include "platform/CommandLine.h"
#include "platform/Display.h"
#include "platform/EventLoopPause.h"
#include "platform/QtSerialLine.h"
#include "platform/SettingsFile.h"
#include "platform/Shell.h"
#include "platform/SystemModemList.h"
#include "platform/TerminationSignals.h"
#include "platform/UserSettingsLocation.h"
#include "settings/SettingsStore.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <QApplication>
#include <QGuiApplication>
#include <QLocale>

namespace linvox {
namespace {

// The whole process ends here, without unwinding: every setting is already on disk and the
// serial line has been let go.
[[noreturn]] void EndProgramNow() {
    std::fflush(nullptr);
    std::_Exit(kExitWindowClosed);
}

// The user's settings, the serial line and the commands on it: built once per run, with the
// application, for the call of a start with a link as for the window. A logout or a kill ends
// the program the way its user would, so the line is let go whichever way it was started.
class Telephony {
public:
    explicit Telephony(MessageSink& messages)
        : m_settingsFile(UserSettingsLocation()),
          m_settings(m_settingsFile),
          m_MSComm1(PortMap(m_settingsFile)),
          m_modems(m_settingsFile),
          m_lineCommands(m_MSComm1, m_modems, m_settings, messages, m_pause) {
        QuitOnTerminationSignals();
    }

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

// The arguments Qt is given: the program's name, and the platforms to use once chosen. Qt takes
// switches such as "-display" out of its arguments, and a link must reach us whole.
class QtArguments {
public:
    explicit QtArguments(char* program) : m_argv{program, nullptr, nullptr, nullptr} {}
    // The arguments point into the object itself.
    Q_DISABLE_COPY_MOVE(QtArguments)

    // Given several, Qt tries each in turn.
    void setPlatforms(const QString& platforms) {
        m_platforms = platforms.toLocal8Bit();
        m_argv[1] = m_platformOption;
        m_argv[2] = m_platforms.data();
        m_argc = 3;
    }

    // Qt keeps both for the application's lifetime.
    int& argc() { return m_argc; }
    char** argv() { return m_argv; }

private:
    char m_platformOption[10] = "-platform";
    QByteArray m_platforms;
    int m_argc = 1;
    char* m_argv[4];
};

// A GUI application that shows nothing. Starting, Qt warns about the desktop session (such as
// XDG_RUNTIME_DIR missing for root or cron), which a call without a display never uses; meanwhile
// only Qt's errors reach standard error, which carries Linvox's own messages.
std::unique_ptr<QGuiApplication> MakeGuiApplicationQuietly(QtArguments& qt) {
    static QtMessageHandler qtHandler = nullptr;
    qtHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg) {
                qtHandler(type, context, message);
            }
        });
    auto application = std::make_unique<QGuiApplication>(qt.argc(), qt.argv());
    qInstallMessageHandler(qtHandler);
    return application;
}

// A start with a link and no display: the call, its messages on standard error. Some values that
// other Qt programs keep in the settings file (pictures, cursors) can only be read in a GUI
// application, and end any other; one that shows nothing is made when Qt has the platform for it.
int CallWithoutDisplay(const QString& link, const QString& headlessPlatform, QtArguments& qt,
                       Translation& translation) {
    std::unique_ptr<QCoreApplication> application;
    if (headlessPlatform.isEmpty()) {
        application = std::make_unique<QCoreApplication>(qt.argc(), qt.argv());
    } else {
        qt.setPlatforms(headlessPlatform);
        application = MakeGuiApplicationQuietly(qt);
    }
    translation.Install();
    StandardErrorSink messages;
    Telephony telephony(messages);
    return ExitStatusOf(telephony.lineCommands().PlaceCallRequest(link));
}

}  // namespace

int RunLinvox(int argc, char* argv[]) {
    const QString argumentText = CommandLineArgumentText(argc, argv);
    // A start with a link speaks the language the window would.
    Translation translation(ChooseLanguage(QLocale::system().uiLanguages()));
    QtArguments qt(argv[0]);
    DisplayChoice display;
    {
        // Enough for learning which displays answer and where Qt's plugins are.
        QCoreApplication application(qt.argc(), qt.argv());
        translation.Install();
        display = ChooseDisplay();
        if (display.platforms.isEmpty() && argumentText.isEmpty()) {
            const QString message =
                Say(Phrase::NoDisplayForWindow).arg(display.unusableReason) + u'\n' +
                Say(Phrase::DialWithoutWindow).arg(QStringLiteral("linvox tel:+380501234567"));
            std::fprintf(stderr, "linvox: %s\n", message.toLocal8Bit().constData());
            return kExitNoDisplay;
        }
    }
    if (display.platforms.isEmpty()) {
        return CallWithoutDisplay(argumentText, display.headlessPlatform, qt, translation);
    }

    // Should the compositor turn Linvox away, the X server is still there.
    qt.setPlatforms(display.platforms);
    QApplication application(qt.argc(), qt.argv());
    translation.Install();
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
