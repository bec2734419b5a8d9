// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QStringList>
#include <QTranslator>

namespace linvox {

enum class Language { Russian, Ukrainian, English };

// The variables that name the locale of messages on Unix, each empty when unset.
struct LocaleVariables {
    QString lcAll;
    QString lcMessages;
    QString lang;
};

// The language Linvox speaks to a user whose interface languages are these, the preferred first,
// as QLocale::uiLanguages gives them ("uk-UA", "en"): the first that Linvox has, Ukrainian,
// English or its own Russian; Russian for any other. On Unix, where the locale variables are
// given, the C and POSIX locales mean Russian whatever LANGUAGE adds to the interface languages,
// as GNU gettext ignores LANGUAGE there: the first of LC_ALL, LC_MESSAGES and LANG that is set
// names the locale, and none set means C.
Language ChooseLanguage(const std::optional<LocaleVariables>& locale,
                        const QStringList& uiLanguages);

// The language to speak to the user who runs Linvox: as ChooseLanguage picks it from the
// system's interface languages and, on Unix, the locale variables. Windows programs follow the
// user's display languages alone.
Language UsersLanguage();

// Linvox's phrases and form, and Qt's own texts (the message box's button, the line edit's
// menu), in one language. Linvox is written in Russian, and Qt in English: each needs no
// translation of its own words.
class Translation {
public:
    explicit Translation(Language language);

    Translation(const Translation&) = delete;
    Translation& operator=(const Translation&) = delete;

    // Makes the running application speak the language. An application made later needs it again.
    void Install();

private:
    QTranslator m_linvox;
    QTranslator m_qtBase;
    QTranslator m_qtSerialPort;
};

}  // namespace linvox
