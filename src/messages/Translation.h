// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QTranslator>

namespace linvox {

enum class Language { Russian, Ukrainian, English };

// The language Linvox speaks to a user whose interface languages are these, the preferred first,
// as QLocale::uiLanguages gives them ("uk-UA", "en"): the first that Linvox has, Ukrainian,
// English or its own Russian. Russian for any other, and for the C and POSIX locales.
Language ChooseLanguage(const QStringList& uiLanguages);

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
