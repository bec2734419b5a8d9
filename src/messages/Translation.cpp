// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace linvox {
namespace {

// Linvox's own, compiled into the program.
const QString kLinvoxTranslations = QStringLiteral(":/i18n");
// Qt's own: the system's on Linux, compiled in where Qt is linked statically.
const QString kEmbeddedQtTranslations = QStringLiteral(":/i18n/qt");

QString LanguageCode(Language language) {
    return language == Language::Ukrainian ? QStringLiteral("uk")
           : language == Language::English ? QStringLiteral("en")
                                           : QStringLiteral("ru");
}

// Whether the locale of messages is C or POSIX. The C library takes the first of LC_ALL,
// LC_MESSAGES and LANG that is set, and starts every program in C when none is.
bool NamesTheCLocale(const LocaleVariables& locale) {
    QString name = QStringLiteral("C");
    for (const QString* variable : {&locale.lcAll, &locale.lcMessages, &locale.lang}) {
        if (!variable->isEmpty()) {
            name = *variable;
            break;
        }
    }
    // C.UTF-8 is a locale of its own, in which gettext does follow LANGUAGE.
    return name == QStringLiteral("C") || name == QStringLiteral("POSIX");
}

void LoadQtTranslation(QTranslator& translator, const QString& name) {
    if (!translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        static_cast<void>(translator.load(name, kEmbeddedQtTranslations));
    }
}

}  // namespace

Language ChooseLanguage(const std::optional<LocaleVariables>& locale,
                        const QStringList& uiLanguages) {
    if (locale && NamesTheCLocale(*locale)) {
        return Language::Russian;
    }
    for (const QString& name : uiLanguages) {
        const QString language = name.section(u'-', 0, 0).section(u'_', 0, 0);
        if (language == QStringLiteral("uk")) {
            return Language::Ukrainian;
        }
        if (language == QStringLiteral("en")) {
            return Language::English;
        }
        if (language == QStringLiteral("ru")) {
            return Language::Russian;
        }
    }
    return Language::Russian;
}

Language UsersLanguage() {
#ifdef Q_OS_WIN
    const std::optional<LocaleVariables> locale;
#else
    const std::optional<LocaleVariables> locale = LocaleVariables{
        qEnvironmentVariable("LC_ALL"), qEnvironmentVariable("LC_MESSAGES"),
        qEnvironmentVariable("LANG")};
#endif
    return ChooseLanguage(locale, QLocale::system().uiLanguages());
}

Translation::Translation(Language language) {
    const QString code = LanguageCode(language);
    if (language != Language::Russian) {
        static_cast<void>(m_linvox.load(QStringLiteral("linvox_") + code, kLinvoxTranslations));
    }
    if (language != Language::English) {
        LoadQtTranslation(m_qtBase, QStringLiteral("qtbase_") + code);
        LoadQtTranslation(m_qtSerialPort, QStringLiteral("qtserialport_") + code);
    }
}

void Translation::Install() {
    for (QTranslator* translator : {&m_linvox, &m_qtBase, &m_qtSerialPort}) {
        if (!translator->isEmpty()) {
            QCoreApplication::installTranslator(translator);
        }
    }
}

}  // namespace linvox
