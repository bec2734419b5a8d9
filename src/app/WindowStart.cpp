// SPDX-License-Identifier: GPL-3.0-or-later
// The window part: the window of a bare start and the boxes of a call, on a display.
#include "app/ExitStatus.h"
#include "app/FormPort.h"
#include "app/MessageBoxSink.h"
#include "app/Telephony.h"
#include "app/WindowPart.h"
#include "commands/LineCommands.h"
#include "messages/Phrases.h"
#include "platform/Display.h"
#include "platform/Shell.h"
#include "platform/SystemModemList.h"
#include "platform/TerminationSignals.h"

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

// The displays that can show a window, learnt before Qt is handed one: it aborts on a display
// that does not answer or has no plugin. Without one, says why on standard error when asked.
enum class WhenNone { SayWhy, SayNothing };
DisplayChoice ChooseDisplayFor(QtArguments& qt, Translation& translation, WhenNone whenNone) {
    // Enough for learning which displays answer and where Qt's plugins are, and for telling why
    // none does in the user's language.
    QCoreApplication application(qt.argc(), qt.argv());
    translation.Install();
    DisplayChoice display = ChooseDisplay();
    if (display.platforms.isEmpty() && whenNone == WhenNone::SayWhy) {
        const QString message =
            Say(Phrase::NoDisplayForWindow).arg(display.unusableReason) + u'\n' +
            Say(Phrase::DialWithoutWindow).arg(QStringLiteral("linvox tel:+380501234567"));
        std::fprintf(stderr, "linvox: %s\n", message.toLocal8Bit().constData());
    }
    return display;
}

int RunWindow(char* program, Language language) {
    QtArguments qt(program);
    Translation translation(language);
    const DisplayChoice display = ChooseDisplayFor(qt, translation, WhenNone::SayWhy);
    if (display.platforms.isEmpty()) {
        return kExitNoDisplay;
    }
    // Should the compositor turn Linvox away, the X server is still there.
    qt.setPlatforms(display.platforms);
    QApplication application(qt.argc(), qt.argv());
    translation.Install();
    MessageBoxSink messages;
    Telephony telephony;
    SystemModemList modems(telephony.settingsFile());
    LineCommands lineCommands(telephony.line(), modems, telephony.settings(), messages,
                              telephony.pause());
    DesktopShell shell;
    FormPort window({telephony.settings(), messages, shell, lineCommands, EndProgramNow});
    window.LoadSettings();
    messages.setParentWindow(&window);
    window.show();
    return application.exec();
}

bool ShowMessages(char* program, Language language, const QList<Message>& messages) {
    QtArguments qt(program);
    Translation translation(language);
    const DisplayChoice display = ChooseDisplayFor(qt, translation, WhenNone::SayNothing);
    if (display.platforms.isEmpty()) {
        return false;
    }
    qt.setPlatforms(display.platforms);
    QApplication application(qt.argc(), qt.argv());
    translation.Install();
    // A logout closes the box as the user would.
    QuitOnTerminationSignals();
    MessageBoxSink boxes;
    for (const Message& message : messages) {
        boxes.Show(message);
    }
    return true;
}

constexpr WindowPart kWindowPart{RunWindow, ShowMessages};

}  // namespace
}  // namespace linvox

extern "C" Q_DECL_EXPORT const linvox::WindowPart* LinvoxWindowPart() {
    return &linvox::kWindowPart;
}
