// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include "app/ExitStatus.h"
#include "app/QtArguments.h"
#include "app/StandardErrorSink.h"
#include "app/Telephony.h"
#include "app/WindowPart.h"
#include "dial/CallRequest.h"
#include "messages/Phrases.h"
#include "platform/process/CommandLine.h"

#include <QCoreApplication>

namespace linvox {
namespace {

// Keeps a call's messages for when the call is over: each is the last thing a call does, so
// showing it then changes nothing but what the call had to load.
class HeldMessages : public MessageSink {
public:
    void Show(const Message& message) override { m_messages.append(message); }
    const QList<Message>& messages() const { return m_messages; }

private:
    QList<Message> m_messages;
};

// Whether the environment may name a display. Without one, messages go to standard error and no
// window toolkit is loaded at all.
bool MayNameADisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(name)) {
            return true;
        }
    }
    return false;
}

void ShowAfterTheCall(char* program, Language language, const QList<Message>& messages) {
    if (MayNameADisplay()) {
        const Outcome<const WindowPart*> part = LoadWindowPart();
        if (part.ok() && part.value()->showMessages(program, language, messages)) {
            return;
        }
        if (!part.ok()) {
            PrintProgramLine(Say(part.failure()));
        }
    }
    StandardErrorSink standardError;
    for (const Message& message : messages) {
        standardError.Show(message);
    }
}

// Passes on Qt's errors alone. A call's standard error carries its own messages, and Qt warns of
// what a call does not need, such as the pictures other Qt programs may keep in the settings file,
// which Qt Core alone cannot build.
QtMessageHandler qtMessageHandler = nullptr;
void ErrorsOnly(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        qtMessageHandler(type, context, message);
    }
}

// A start with a link: Qt Core and the serial line only, until there is something to show.
int PlaceCall(char* program, const QString& link, Language language) {
    qtMessageHandler = qInstallMessageHandler(ErrorsOnly);
    QList<Message> messages;
    ExitStatus status = kExitDialed;
    {
        QtArguments qt(program);
        QCoreApplication application(qt.argc(), qt.argv());
        Translation translation(language);
        translation.Install();
        HeldMessages held;
        Telephony telephony;
        Dialer dialer(telephony.line(), telephony.managedModems(), telephony.settings(), held,
                      telephony.pause());
        status = ExitStatusOf(PlaceCallRequest(dialer, link));
        messages = held.messages();
    }
    if (!messages.isEmpty()) {
        ShowAfterTheCall(program, language, messages);
    }
    return status;
}

int OpenWindow(char* program, Language language) {
    const Outcome<const WindowPart*> part = LoadWindowPart();
    if (part.ok()) {
        return part.value()->runWindow(program, language);
    }
    QtArguments qt(program);
    QCoreApplication application(qt.argc(), qt.argv());
    Translation translation(language);
    translation.Install();
    PrintProgramLine(Say(part.failure()));
    return kExitNoDisplay;
}

}  // namespace

int RunLinvox(int argc, char* argv[]) {
    const QString argumentText = CommandLineArgumentText(argc, argv);
    // A start with a link speaks the language the window would.
    const Language language = UsersLanguage();
    return argumentText.isEmpty() ? OpenWindow(argv[0], language)
                                  : PlaceCall(argv[0], argumentText, language);
}

}  // namespace linvox
