// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages/Phrases.h"

#include <QCoreApplication>

namespace linvox {
namespace {

// The translation files' context for every phrase.
constexpr char kContext[] = "Linvox";

struct Entry {
    Phrase phrase;
    const char* russian;
};

// In the order of the enumeration, which Say indexes by.
constexpr Entry kPhrases[] = {
    {Phrase::NumberCheckTitle, QT_TRANSLATE_NOOP("Linvox", "Проверка номера")},
    {Phrase::ModemTitle, QT_TRANSLATE_NOOP("Linvox", "Модем")},

    {Phrase::WrongNumberForm, QT_TRANSLATE_NOOP("Linvox", "Неверный формат номера!")},
    {Phrase::NoNumberTyped, QT_TRANSLATE_NOOP("Linvox", "Не введён номер!")},
    {Phrase::TooFewDigits, QT_TRANSLATE_NOOP("Linvox", "Недостаточное количество цифр!")},
    {Phrase::NumberHasLetters, QT_TRANSLATE_NOOP("Linvox", "Телефон содержит буквы!")},

    {Phrase::ModemConnectionFailed, QT_TRANSLATE_NOOP("Linvox", "Ошибка соединения с модемом:")},
    {Phrase::WrongPortForOperator,
     QT_TRANSLATE_NOOP("Linvox", "Неправильно указан порт модема для этого оператора!")},
    {Phrase::ChangeTheSettings, QT_TRANSLATE_NOOP("Linvox", "Измените настройки!")},
    {Phrase::CannotReachModem, QT_TRANSLATE_NOOP("Linvox", "Не удаётся подключиться к модему!")},
    {Phrase::PhoneMayBeSwitchedOff, QT_TRANSLATE_NOOP("Linvox", "Возможно Ваш телефон отключен.")},
    {Phrase::ModemPortHeldSentence,
     QT_TRANSLATE_NOOP("Linvox", "Порт модема используется другой программой.")},
    {Phrase::Overflow, QT_TRANSLATE_NOOP("Linvox", "Overflow")},
    {Phrase::NoAccessToPort,
     QT_TRANSLATE_NOOP("Linvox",
                       "Нет доступа к порту модема %1. Доступ к нему даёт группа %2: добавьте себя "
                       "в неё (sudo adduser $USER %2) и войдите в систему заново.")},
    {Phrase::ModemWithoutVoice,
     QT_TRANSLATE_NOOP("Linvox",
                       "Этим модемом управляет ModemManager, но звонить через него не умеет; чтобы "
                       "Linvox звонил через порт сам, отдайте ему устройство правилом udev с "
                       "ENV{ID_MM_DEVICE_IGNORE}=\"1\".")},
    {Phrase::SettingsNotRead, QT_TRANSLATE_NOOP("Linvox", "Настройки не прочитаны: %1")},
    {Phrase::SystemError, QT_TRANSLATE_NOOP("Linvox", "системная ошибка %1")},
    {Phrase::Interrupted, QT_TRANSLATE_NOOP("Linvox", "прервано: программу попросили завершиться")},

    {Phrase::ProbeInvalidPort, QT_TRANSLATE_NOOP("Linvox", "Неверный порт")},
    {Phrase::ProbeCannotConnect, QT_TRANSLATE_NOOP("Linvox", "Не удаётся подключиться")},
    {Phrase::ProbePortHeld,
     QT_TRANSLATE_NOOP("Linvox", "Порт модема используется другой программой")},
    {Phrase::ProbeUnknown, QT_TRANSLATE_NOOP("Linvox", "Неизвестно")},
    {Phrase::ProbeNoData, QT_TRANSLATE_NOOP("Linvox", "Нет данных")},

    {Phrase::SearchWaitCaption, QT_TRANSLATE_NOOP("Linvox", "Подождите...")},
    {Phrase::CheckWaitCaption, QT_TRANSLATE_NOOP("Linvox", "Подождите....")},
    {Phrase::SearchWarning,
     QT_TRANSLATE_NOOP(
         "Linvox",
         "Внимание! На выполнение этой операции необходимо примерно от 30 секунд до 2 "
         "минут. В это время может казаться что компьютер как бы завис. Дождитесь "
         "окончания процесса!")},
    {Phrase::CheckWarning,
     QT_TRANSLATE_NOOP("Linvox",
                       "Внимание! На выполнение этой операции необходимо примерно 30 секунд. В это "
                       "время может казаться что компьютер как бы завис. Дождитесь окончания "
                       "процесса!")},
    {Phrase::NoModemsFound,
     QT_TRANSLATE_NOOP("Linvox",
                       "На этом компьютере не обнаружено модемов, через которые можно было бы "
                       "звонить!")},
    {Phrase::DoneCaption, QT_TRANSLATE_NOOP("Linvox", "Выполнено: %1%")},
    {Phrase::ModemListNotRead,
     QT_TRANSLATE_NOOP("Linvox", "Не удалось получить список модемов: %1")},
    {Phrase::DeviceListNotRead,
     QT_TRANSLATE_NOOP("Linvox", "Не удалось прочитать список устройств системы (udev): %1")},
    {Phrase::BluetoothDevice, QT_TRANSLATE_NOOP("Linvox", "Bluetooth %1")},
    {Phrase::DevicesLeftUnnumbered,
     QT_TRANSLATE_NOOP("Linvox", "Номер COM-порта не дан, так как его не удалось сохранить: %1")},
    {Phrase::AllComNumbersTaken, QT_TRANSLATE_NOOP("Linvox", "все номера COM-портов заняты")},
    {Phrase::WmiUnavailable,
     QT_TRANSLATE_NOOP("Linvox", "Служба управления Windows (WMI) недоступна")},
    {Phrase::WmiQueryFailed,
     QT_TRANSLATE_NOOP("Linvox", "Список модемов не получен от службы WMI")},
    {Phrase::WithErrorCode, QT_TRANSLATE_NOOP("Linvox", "%1 (код 0x%2)")},
    {Phrase::ModemPropertyNotText,
     QT_TRANSLATE_NOOP("Linvox", "Свойство %1 модема не прочитано как текст")},

    {Phrase::ShowSettingsCaption, QT_TRANSLATE_NOOP("Linvox", "Настройки")},
    {Phrase::HideSettingsCaption, QT_TRANSLATE_NOOP("Linvox", "Спрятать")},
    {Phrase::EveryOtherNumberCaption, QT_TRANSLATE_NOOP("Linvox", "Всё остальное")},
    {Phrase::PortForAllCallsCaption, QT_TRANSLATE_NOOP("Linvox", "Порт для всех звонков")},
    {Phrase::PortMustBeDigits,
     QT_TRANSLATE_NOOP("Linvox", "Номер порта должен содержать только цифры")},
    {Phrase::CannotOpenPage, QT_TRANSLATE_NOOP("Linvox", "Невозможно открыть страницу: %1")},
    {Phrase::CannotOpenPageTitle, QT_TRANSLATE_NOOP("Linvox", "frmAbout::ExecuteLink")},
    {Phrase::MtsCaption, QT_TRANSLATE_NOOP("Linvox", "MTS, JEANS")},
    {Phrase::KyivstarCaption, QT_TRANSLATE_NOOP("Linvox", "KYIVSTAR, DJUICE")},
    {Phrase::LifeCaption, QT_TRANSLATE_NOOP("Linvox", "LIFE")},
    {Phrase::BeelineCaption, QT_TRANSLATE_NOOP("Linvox", "BEELINE")},

    {Phrase::SettingNotSaved, QT_TRANSLATE_NOOP("Linvox", "Настройка не сохранена: %1")},
    {Phrase::SettingsFileSetAside,
     QT_TRANSLATE_NOOP(
         "Linvox",
         "Файл настроек %1 не удалось прочитать целиком. Прежний файл сохранён как %2, "
         "а всё, что из него удалось прочитать, перенесено в новый.")},
    {Phrase::SettingsLinkLeadsNowhere,
     QT_TRANSLATE_NOOP("Linvox", "файл настроек %1 — ссылка, которая никуда не ведёт")},
    {Phrase::SettingsFileTooLarge,
     QT_TRANSLATE_NOOP("Linvox", "файл настроек %1 слишком велик: больше 1 МБ")},
    {Phrase::DevicePathHasControl,
     QT_TRANSLATE_NOOP("Linvox",
                       "путь устройства %1 в разделе [ports] содержит управляющий символ")},
    {Phrase::SettingsFileIsFolder,
     QT_TRANSLATE_NOOP("Linvox", "файл настроек %1 — это каталог, а не файл")},
    {Phrase::SettingsFileIsNoFile,
     QT_TRANSLATE_NOOP("Linvox", "файл настроек %1 — не обычный файл, а канал или устройство")},
    {Phrase::SettingsFileNotReadable,
     QT_TRANSLATE_NOOP("Linvox", "нет доступа на чтение к файлу настроек %1")},
    {Phrase::SettingsFolderNotSearchable,
     QT_TRANSLATE_NOOP("Linvox", "нет доступа к каталогу %1 на пути к файлу настроек %2")},
    {Phrase::SettingsFileNotWritable,
     QT_TRANSLATE_NOOP("Linvox", "нет доступа на запись к файлу настроек %1")},
    {Phrase::SettingsFileNotWritten,
     QT_TRANSLATE_NOOP("Linvox", "файл настроек %1 не удалось записать")},
    {Phrase::SettingsFileLocked,
     QT_TRANSLATE_NOOP("Linvox",
                       "файл настроек %1 занят: его блокировку %2 держит другая программа")},
    {Phrase::SettingsFileDamagedNotRewritten,
     QT_TRANSLATE_NOOP("Linvox", "файл настроек %1 повреждён, а новый записать не удалось")},
    {Phrase::SettingsFileDamagedNotSetAside,
     QT_TRANSLATE_NOOP("Linvox", "файл настроек %1 повреждён, а отложить его копию не удалось")},
    {Phrase::SettingsLockIsLink,
     QT_TRANSLATE_NOOP("Linvox", "файл блокировки настроек %1 — ссылка, а не обычный файл")},
    {Phrase::SettingsLockIsFolder,
     QT_TRANSLATE_NOOP("Linvox", "файл блокировки настроек %1 — это каталог, а не файл")},
    {Phrase::SettingsLockIsNoFile,
     QT_TRANSLATE_NOOP("Linvox",
                       "файл блокировки настроек %1 — не обычный файл, а канал или устройство")},

    {Phrase::NoDisplayForWindow,
     QT_TRANSLATE_NOOP("Linvox", "нет дисплея, на котором можно показать окно (%1).")},
    {Phrase::DialWithoutWindow,
     QT_TRANSLATE_NOOP("Linvox", "Чтобы позвонить без окна, передайте ссылку: %1")},
    {Phrase::NoDisplayAnswers,
     QT_TRANSLATE_NOOP("Linvox",
                       "ни DISPLAY, ни WAYLAND_DISPLAY не называет дисплей, который отвечает")},
    {Phrase::NoWaylandPlugin,
     QT_TRANSLATE_NOOP("Linvox", "нет модуля Qt для Wayland из пакета Debian qt6-wayland")},
    {Phrase::NoX11Plugin,
     QT_TRANSLATE_NOOP("Linvox", "нет модуля Qt для X11 из пакета Debian qt6-qpa-plugins")},
    {Phrase::WindowPartMissing,
     QT_TRANSLATE_NOOP("Linvox",
                       "не удалось загрузить часть программы, которая показывает окно (%1)")},
};
static_assert(std::size(kPhrases) == kPhraseCount, "every phrase has its words");

constexpr bool InEnumerationOrder() {
    for (int i = 0; i < kPhraseCount; ++i) {
        if (static_cast<int>(kPhrases[i].phrase) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InEnumerationOrder(), "the table is indexed by the phrase");

}  // namespace

QString Say(Phrase phrase) {
    return QCoreApplication::translate(kContext, kPhrases[static_cast<int>(phrase)].russian);
}

QString SourceText(Phrase phrase) {
    return QString::fromUtf8(kPhrases[static_cast<int>(phrase)].russian);
}

}  // namespace linvox
