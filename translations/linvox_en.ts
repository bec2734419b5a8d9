<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>FormPort</name>
    <message>
        <source>Номер телефона</source>
        <translation>Phone number</translation>
    </message>
    <message>
        <source>Позвонить</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Поиск портов модемов</source>
        <translation>Find modem ports</translation>
    </message>
    <message>
        <source>Проверить выбранные порты</source>
        <translation>Check selected ports</translation>
    </message>
    <message>
        <source>Индикатор поиска портов</source>
        <translation>Port search progress</translation>
    </message>
    <message>
        <source>Индикатор проверки портов</source>
        <translation>Port check progress</translation>
    </message>
    <message>
        <source>Результаты поиска портов модемов</source>
        <translation>Modem port search results</translation>
    </message>
    <message>
        <source>Настройка принадлежности портов:</source>
        <translation>Operator ports:</translation>
    </message>
    <message>
        <source>Используется только один телефон</source>
        <translation>One phone for all calls</translation>
    </message>
    <message>
        <source>Используется несколько телефонов</source>
        <translation>A phone for each operator</translation>
    </message>
    <message>
        <source>Техподдержка на сайте:</source>
        <translation>Support website:</translation>
    </message>
</context>
<context>
    <name>Linvox</name>
    <message>
        <source>Проверка номера</source>
        <translation>Number check</translation>
    </message>
    <message>
        <source>Модем</source>
        <translation>Modem</translation>
    </message>
    <message>
        <source>Неверный формат номера!</source>
        <translation>Invalid number format!</translation>
    </message>
    <message>
        <source>Не введён номер!</source>
        <translation>No number entered!</translation>
    </message>
    <message>
        <source>Недостаточное количество цифр!</source>
        <translation>Not enough digits!</translation>
    </message>
    <message>
        <source>Телефон содержит буквы!</source>
        <translation>The phone number contains letters!</translation>
    </message>
    <message>
        <source>Ошибка соединения с модемом:</source>
        <translation>Error connecting to the modem:</translation>
    </message>
    <message>
        <source>Неправильно указан порт модема для этого оператора!</source>
        <translation>The modem port for this operator is set incorrectly!</translation>
    </message>
    <message>
        <source>Измените настройки!</source>
        <translation>Change the settings!</translation>
    </message>
    <message>
        <source>Не удаётся подключиться к модему!</source>
        <translation>Cannot connect to the modem!</translation>
    </message>
    <message>
        <source>Возможно Ваш телефон отключен.</source>
        <translation>Your phone may be switched off.</translation>
    </message>
    <message>
        <source>Порт модема используется другой программой.</source>
        <translation>The modem port is in use by another program.</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Нет доступа к порту модема %1. Доступ к нему даёт группа %2: добавьте себя в неё (sudo adduser $USER %2) и войдите в систему заново.</source>
        <translation>No access to the modem port %1. Members of the group %2 have access: add yourself to it (sudo adduser $USER %2) and log in again.</translation>
    </message>
    <message>
        <source>Настройки не прочитаны: %1</source>
        <translation>Settings not read: %1</translation>
    </message>
    <message>
        <source>Неверный порт</source>
        <translation>Invalid port</translation>
    </message>
    <message>
        <source>Не удаётся подключиться</source>
        <translation>Cannot connect</translation>
    </message>
    <message>
        <source>Порт модема используется другой программой</source>
        <translation>Held by another program</translation>
    </message>
    <message>
        <source>Неизвестно</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <source>Нет данных</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>Подождите...</source>
        <translation>Please wait…</translation>
    </message>
    <message>
        <source>Подождите....</source>
        <translation>Please wait…</translation>
    </message>
    <message>
        <source>Внимание! На выполнение этой операции необходимо примерно от 30 секунд до 2 минут. В это время может казаться что компьютер как бы завис. Дождитесь окончания процесса!</source>
        <translation>Please note: this takes about 30 seconds to 2 minutes. Meanwhile the computer may seem to hang. Please wait until it has finished!</translation>
    </message>
    <message>
        <source>Внимание! На выполнение этой операции необходимо примерно 30 секунд. В это время может казаться что компьютер как бы завис. Дождитесь окончания процесса!</source>
        <translation>Please note: this takes about 30 seconds. Meanwhile the computer may seem to hang. Please wait until it has finished!</translation>
    </message>
    <message>
        <source>На этом компьютере не обнаружено модемов, через которые можно было бы звонить!</source>
        <translation>No modem to call through was found on this computer!</translation>
    </message>
    <message>
        <source>Выполнено: %1%</source>
        <translation>Done: %1%</translation>
    </message>
    <message>
        <source>Не удалось получить список модемов: %1</source>
        <translation>The list of modems could not be read: %1</translation>
    </message>
    <message>
        <source>Не удалось прочитать список устройств системы (udev): %1</source>
        <translation>The system&apos;s list of devices (udev) could not be read: %1</translation>
    </message>
    <message>
        <source>Номер COM-порта не дан, так как его не удалось сохранить: %1</source>
        <translation>No COM port number assigned because it could not be saved: %1</translation>
    </message>
    <message>
        <source>все номера COM-портов заняты</source>
        <translation>every COM port number is taken</translation>
    </message>
    <message>
        <source>Служба управления Windows (WMI) недоступна</source>
        <translation>Windows Management Instrumentation (WMI) is unavailable</translation>
    </message>
    <message>
        <source>Список модемов не получен от службы WMI</source>
        <translation>WMI did not return the list of modems</translation>
    </message>
    <message>
        <source>%1 (код 0x%2)</source>
        <translation>%1 (code 0x%2)</translation>
    </message>
    <message>
        <source>Свойство %1 модема не прочитано как текст</source>
        <translation>A modem&apos;s %1 could not be read as text</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Спрятать</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>Всё остальное</source>
        <translation>Everything else</translation>
    </message>
    <message>
        <source>Порт для всех звонков</source>
        <translation>Port for all calls</translation>
    </message>
    <message>
        <source>Номер порта должен содержать только цифры</source>
        <translation>The port number must contain digits only</translation>
    </message>
    <message>
        <source>Невозможно открыть страницу: %1</source>
        <translation>Cannot open the page: %1</translation>
    </message>
    <message>
        <source>MTS, JEANS</source>
        <translation>Vodafone</translation>
    </message>
    <message>
        <source>KYIVSTAR, DJUICE</source>
        <translation>Kyivstar</translation>
    </message>
    <message>
        <source>LIFE</source>
        <translation>lifecell</translation>
    </message>
    <message>
        <source>BEELINE</source>
        <translation>068 → Kyivstar</translation>
    </message>
    <message>
        <source>Настройка не сохранена: %1</source>
        <translation>Setting not saved: %1</translation>
    </message>
    <message>
        <source>Файл настроек %1 не удалось прочитать целиком. Прежний файл сохранён как %2, а всё, что из него удалось прочитать, перенесено в новый.</source>
        <translation>The settings file %1 could not be read in full. The old file was kept as %2, and everything that could be read from it was moved to the new one.</translation>
    </message>
    <message>
        <source>файл настроек %1 — ссылка, которая никуда не ведёт</source>
        <translation>the settings file %1 is a link that leads nowhere</translation>
    </message>
    <message>
        <source>файл настроек %1 — это каталог, а не файл</source>
        <translation>the settings file %1 is a folder, not a file</translation>
    </message>
    <message>
        <source>файл настроек %1 — не обычный файл, а канал или устройство</source>
        <translation>the settings file %1 is not a regular file but a pipe or a device</translation>
    </message>
    <message>
        <source>нет доступа на чтение к файлу настроек %1</source>
        <translation>no permission to read the settings file %1</translation>
    </message>
    <message>
        <source>нет доступа на запись к файлу настроек %1</source>
        <translation>no permission to write the settings file %1</translation>
    </message>
    <message>
        <source>файл настроек %1 не удалось записать</source>
        <translation>the settings file %1 could not be written</translation>
    </message>
    <message>
        <source>файл настроек %1 занят: его блокировку %2 держит другая программа</source>
        <translation>the settings file %1 is busy: another program holds its lock %2</translation>
    </message>
    <message>
        <source>файл настроек %1 повреждён, а новый записать не удалось</source>
        <translation>the settings file %1 is damaged, and a new one could not be written</translation>
    </message>
    <message>
        <source>файл настроек %1 повреждён, а отложить его копию не удалось</source>
        <translation>the settings file %1 is damaged, and a backup copy of it could not be made</translation>
    </message>
    <message>
        <source>файл блокировки настроек %1 — ссылка, а не обычный файл</source>
        <translation>the settings lock file %1 is a link, not a regular file</translation>
    </message>
    <message>
        <source>файл блокировки настроек %1 — это каталог, а не файл</source>
        <translation>the settings lock file %1 is a folder, not a file</translation>
    </message>
    <message>
        <source>файл блокировки настроек %1 — не обычный файл, а канал или устройство</source>
        <translation>the settings lock file %1 is not a regular file but a pipe or a device</translation>
    </message>
    <message>
        <source>нет дисплея, на котором можно показать окно (%1).</source>
        <translation>no display to show the window on (%1).</translation>
    </message>
    <message>
        <source>Чтобы позвонить без окна, передайте ссылку: %1</source>
        <translation>To dial without a window, pass a link: %1</translation>
    </message>
    <message>
        <source>ни DISPLAY, ни WAYLAND_DISPLAY не называет дисплей, который отвечает</source>
        <translation>neither DISPLAY nor WAYLAND_DISPLAY names one that answers</translation>
    </message>
    <message>
        <source>нет модуля Qt для Wayland из пакета Debian qt6-wayland</source>
        <translation>Qt&apos;s plugin for Wayland, in the Debian package qt6-wayland, is missing</translation>
    </message>
    <message>
        <source>нет модуля Qt для X11 из пакета Debian qt6-qpa-plugins</source>
        <translation>Qt&apos;s plugin for X11, in the Debian package qt6-qpa-plugins, is missing</translation>
    </message>
    <message>
        <source>не удалось загрузить часть программы, которая показывает окно (%1)</source>
        <translation>the part of the program that shows the window could not be loaded (%1)</translation>
    </message>
    <message>
        <source>нет доступа к каталогу %1 на пути к файлу настроек %2</source>
        <translation>no access to the folder %1 in the path to the settings file %2</translation>
    </message>
    <message>
        <source>системная ошибка %1</source>
        <translation>system error %1</translation>
    </message>
    <message>
        <source>прервано: программу попросили завершиться</source>
        <translation>interrupted: the program was asked to end</translation>
    </message>
    <message>
        <source>Bluetooth %1</source>
        <translation>Bluetooth %1</translation>
    </message>
    <message>
        <source>frmAbout::ExecuteLink</source>
        <translation>frmAbout::ExecuteLink</translation>
    </message>
    <message>
        <source>Этим модемом управляет ModemManager, но звонить через него не умеет; чтобы Linvox звонил через порт сам, отдайте ему устройство правилом udev с ENV{ID_MM_DEVICE_IGNORE}=&quot;1&quot;.</source>
        <translation>ModemManager manages this modem but cannot make voice calls through it; for Linvox to call through the port itself, leave the device to it with a udev rule setting ENV{ID_MM_DEVICE_IGNORE}=&quot;1&quot;.</translation>
    </message>
    <message>
        <source>файл настроек %1 слишком велик: больше 1 МБ</source>
        <translation>the settings file %1 is too large: over 1 MB</translation>
    </message>
    <message>
        <source>путь устройства %1 в разделе [ports] содержит управляющий символ</source>
        <translation>the device path of %1 in [ports] holds a control character</translation>
    </message>
</context>
</TS>
