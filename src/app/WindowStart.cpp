// SPDX-License-Identifier: GPL-3.0-or-later
// The window part: the window of a bare start and the boxes of a call, on a display.
#include "app/ExitStatus.h"
#include "app/FormPort.h"
#include "app/MessageBoxSink.h"
#include "app/QtArguments.h"
#include "app/StandardErrorSink.h"
#include "app/Telephony.h"
#include "app/WindowPart.h"
#include "commands/LineCommands.h"
#include "messages/Phrases.h"
#include "platform/desktop/Display.h"
#include "platform/desktop/Shell.h"
#include "platform/modemlist/SystemModemList.h"
#include "platform/process/TerminationSignals.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include <QApplication>

namespace linvox {
namespace {

// The whole process ends here, without unwinding: every setting is already on disk and the
// serial line has been let go.
[[noreturn]] void EndProgramNow() {
    std::fflush(nullptr);
    std::_Exit(kExitWindowClosed);
}

// A GUI application on a display that answers, in the user's language; none without such a
// display. Which displays answer is learnt before Qt is handed one: it aborts on a display that
// does not answer or has no plugin.
class DisplayApplication {
public:
    enum class WhenNone { SayWhy, SayNothing };

    DisplayApplication(char* program, Language language, WhenNone whenNone)
        : m_qt(program), m_translation(language) {
        const Outcome<QString> display = ChooseDisplayFor(whenNone);
        if (!display.ok()) {
            return;
        }
        // Should the compositor turn Linvox away, the X server is still there.
        m_qt.setPlatforms(display.value());
        m_application.emplace(m_qt.argc(), m_qt.argv());
        m_translation.Install();
    }

    bool onDisplay() const { return m_application.has_value(); }
    int exec() { return m_application->exec(); }

private:
    // Without a display, says why on standard error when asked.
    Outcome<QString> ChooseDisplayFor(WhenNone whenNone) {
        // Enough for learning which displays answer and where Qt's plugins are, and for telling
        // why none does in the user's language.
        QCoreApplication application(m_qt.argc(), m_qt.argv());
        m_translation.Install();
        Outcome<QString> display = ChooseDisplay();
        if (!display.ok() && whenNone == WhenNone::SayWhy) {
            PrintProgramLine(
                Say(Phrase::NoDisplayForWindow).arg(Say(display.failure())) + u'\n' +
                Say(Phrase::DialWithoutWindow).arg(QStringLiteral("linvox tel:+380501234567")));
        }
        return display;
    }

    QtArguments m_qt;
    Translation m_translation;
    std::optional<QApplication> m_application;
};

int RunWindow(char* program, Language language) {
    DisplayApplication application(program, language, DisplayApplication::WhenNone::SayWhy);
    if (!application.onDisplay()) {
        return kExitNoDisplay;
    }
    MessageBoxSink messages;
    Telephony telephony;
    SystemModemList modems(telephony.settingsFile(), telephony.managedModems());
    LineCommands lineCommands(telephony.line(), telephony.managedModems(), modems,
                              telephony.settings(), messages, telephony.pause());
    DesktopShell shell;
    FormPort window({telephony.settings(), messages, shell, lineCommands, EndProgramNow});
    window.LoadSettings();
    // Asked to end while the settings were loading: no window is shown after that.
    if (TerminationRequested()) {
        return kExitWindowClosed;
    }
    messages.setParentWindow(&window);
    window.show();
    return application.exec();
}

bool ShowMessages(char* program, Language language, const QList<Message>& messages) {
    DisplayApplication application(program, language, DisplayApplication::WhenNone::SayNothing);
    if (!application.onDisplay()) {
        return false;
    }
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
