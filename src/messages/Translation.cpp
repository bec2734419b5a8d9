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

void LoadQtTranslation(QTranslator& translator, const QString& name) {
    if (!translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        static_cast<void>(translator.load(name, kEmbeddedQtTranslations));
    }
}

}  // namespace

Language ChooseLanguage(const QStringList& uiLanguages) {
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
