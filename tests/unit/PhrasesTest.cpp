// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages/Phrases.h"
#include "messages/Translation.h"

#include <tuple>

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace linvox {
namespace {

// The system's own words, as the window and its boxes have always shown them.
const std::pair<Phrase, const char*> kSystemWords[] = {
    {Phrase::NumberCheckTitle, "Проверка номера"},
    {Phrase::ModemTitle, "Модем"},
    {Phrase::WrongNumberForm, "Неверный формат номера!"},
    {Phrase::NoNumberTyped, "Не введён номер!"},
    {Phrase::TooFewDigits, "Недостаточное количество цифр!"},
    {Phrase::NumberHasLetters, "Телефон содержит буквы!"},
    {Phrase::ModemConnectionFailed, "Ошибка соединения с модемом:"},
    {Phrase::WrongPortForOperator, "Неправильно указан порт модема для этого оператора!"},
    {Phrase::ChangeTheSettings, "Измените настройки!"},
    {Phrase::CannotReachModem, "Не удаётся подключиться к модему!"},
    {Phrase::PhoneMayBeSwitchedOff, "Возможно Ваш телефон отключен."},
    {Phrase::ModemPortHeldSentence, "Порт модема используется другой программой."},
    {Phrase::ProbeInvalidPort, "Неверный порт"},
    {Phrase::ProbeCannotConnect, "Не удаётся подключиться"},
    {Phrase::ProbePortHeld, "Порт модема используется другой программой"},
    {Phrase::ProbeUnknown, "Неизвестно"},
    {Phrase::ProbeNoData, "Нет данных"},
    {Phrase::SearchWaitCaption, "Подождите..."},
    {Phrase::CheckWaitCaption, "Подождите...."},
    {Phrase::SearchWarning,
     "Внимание! На выполнение этой операции необходимо примерно от 30 секунд до 2 минут. В это "
     "время может казаться что компьютер как бы завис. Дождитесь окончания процесса!"},
    {Phrase::CheckWarning,
     "Внимание! На выполнение этой операции необходимо примерно 30 секунд. В это время может "
     "казаться что компьютер как бы завис. Дождитесь окончания процесса!"},
    {Phrase::NoModemsFound,
     "На этом компьютере не обнаружено модемов, через которые можно было бы звонить!"},
    {Phrase::DoneCaption, "Выполнено: %1%"},
    {Phrase::ShowSettingsCaption, "Настройки"},
    {Phrase::HideSettingsCaption, "Спрятать"},
    {Phrase::EveryOtherNumberCaption, "Всё остальное"},
    {Phrase::PortForAllCallsCaption, "Порт для всех звонков"},
    {Phrase::PortMustBeDigits, "Номер порта должен содержать только цифры"},
    {Phrase::CannotOpenPage, "Невозможно открыть страницу: %1"},
    {Phrase::MtsCaption, "MTS, JEANS"},
    {Phrase::KyivstarCaption, "KYIVSTAR, DJUICE"},
    {Phrase::LifeCaption, "LIFE"},
    {Phrase::BeelineCaption, "BEELINE"},
};

TEST(Phrases, RussianIsTheSystemsOwnWordsByteForByte) {
    for (const auto& [phrase, words] : kSystemWords) {
        EXPECT_EQ(Say(phrase), QString::fromUtf8(words)) << words;
    }
}

// What a translation file holds: each source text with its translation and whether it is
// finished.
struct Translated {
    QString text;
    bool finished = true;
};

QMap<QString, Translated> ReadTranslationFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QMap<QString, Translated> messages;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const bool finished = xml.attributes().value(QStringLiteral("type")).isEmpty();
            messages.insert(source, {xml.readElementText(), finished});
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

QSet<QString> Placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QSet<QString> found;
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text)) {
        found.insert(match.captured());
    }
    return found;
}

class TranslationFiles : public ::testing::TestWithParam<const char*> {};

TEST_P(TranslationFiles, TranslateEveryPhraseAndCaptionKeepingTheirPlaceholders) {
    const QMap<QString, Translated> messages =
        ReadTranslationFile(QStringLiteral(LINVOX_TRANSLATIONS_DIRECTORY "/linvox_%1.ts")
                                .arg(QString::fromLatin1(GetParam())));
    for (int i = 0; i < kPhraseCount; ++i) {
        const QString source = SourceText(static_cast<Phrase>(i));
        EXPECT_TRUE(messages.contains(source)) << "not in the file: " << source.toStdString();
    }
    for (auto message = messages.cbegin(); message != messages.cend(); ++message) {
        EXPECT_TRUE(message->finished && !message->text.isEmpty())
            << "untranslated: " << message.key().toStdString();
        EXPECT_EQ(Placeholders(message->text), Placeholders(message.key()))
            << message.key().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationFiles, ::testing::Values("uk", "en"));

// Qt's own texts, such as the number field's menu, come from the system's translations.
TEST(Translation, IsCompiledInAndSpokenOnceInstalledWithQtsOwnTexts) {
    const std::tuple<Language, const char*, const char*> spoken[] = {
        {Language::Russian, "Неверный формат номера!", "&Отменить действие"},
        {Language::Ukrainian, "Неправильний формат номера!", "&Повернути"},
        {Language::English, "Invalid number format!", "&Undo"},
    };
    for (const auto& [language, ours, qts] : spoken) {
        Translation translation(language);
        translation.Install();
        EXPECT_EQ(Say(Phrase::WrongNumberForm), QString::fromUtf8(ours));
        EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), QString::fromUtf8(qts));
    }
}

TEST(Translation, SpeaksTheFirstOfTheUsersLanguagesItHas) {
    // As on Windows, where the display languages alone count.
    const std::optional<LocaleVariables> none;
    const struct {
        std::optional<LocaleVariables> locale;
        QStringList uiLanguages;
        Language language;
    } choices[] = {
        {none, {"uk-UA", "uk-Cyrl-UA", "uk"}, Language::Ukrainian},
        {none, {"uk"}, Language::Ukrainian},
        {none, {"en-US", "en"}, Language::English},
        {none, {"en-GB"}, Language::English},
        {none, {"ru-RU", "ru"}, Language::Russian},
        {none, {"C"}, Language::Russian},
        {none, {}, Language::Russian},
        {none, {"de-DE", "de"}, Language::Russian},
        {none, {"de", "en", "uk"}, Language::English},
        {none, {"pl", "uk-UA", "en"}, Language::Ukrainian},
        {none, {"ru", "uk"}, Language::Russian},
        {none, {"uk_UA"}, Language::Ukrainian},
        // Only the language counts, not a name that merely begins like it.
        {none, {"ukr", "eng"}, Language::Russian},
        {LocaleVariables{"", "", "uk_UA.UTF-8"}, {"uk-UA", "uk"}, Language::Ukrainian},
        // In the C and POSIX locales LANGUAGE (here uk) does not count, as in gettext's programs.
        {LocaleVariables{"C", "", "uk_UA.UTF-8"}, {"uk"}, Language::Russian},
        {LocaleVariables{"POSIX", "", ""}, {"uk"}, Language::Russian},
        {LocaleVariables{"", "C", "uk_UA.UTF-8"}, {"uk"}, Language::Russian},
        {LocaleVariables{"", "", "C"}, {"en"}, Language::Russian},
        {LocaleVariables{"", "", ""}, {"uk"}, Language::Russian},
        {LocaleVariables{"C.UTF-8", "", ""}, {"uk"}, Language::Ukrainian},
        // The first variable set names the locale.
        {LocaleVariables{"uk_UA.UTF-8", "C", "C"}, {"uk-UA"}, Language::Ukrainian},
        {LocaleVariables{"", "en_GB.UTF-8", "C"}, {"en-GB"}, Language::English},
    };
    for (const auto& [locale, uiLanguages, language] : choices) {
        EXPECT_EQ(ChooseLanguage(locale, uiLanguages), language)
            << (locale ? (locale->lcAll + u'|' + locale->lcMessages + u'|' + locale->lang)
                             .toStdString()
                       : "no locale variables")
            << " " << uiLanguages.join(u',').toStdString();
    }
}

}  // namespace
}  // namespace linvox
