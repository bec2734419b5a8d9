<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk" sourcelanguage="ru">
<context>
    <name>FormPort</name>
    <message>
        <source>Номер телефона</source>
        <translation>Номер телефону</translation>
    </message>
    <message>
        <source>Позвонить</source>
        <translation>Зателефонувати</translation>
    </message>
    <message>
        <source>Поиск портов модемов</source>
        <translation>Пошук портів модемів</translation>
    </message>
    <message>
        <source>Проверить выбранные порты</source>
        <translation>Перевірити вибрані порти</translation>
    </message>
    <message>
        <source>Индикатор поиска портов</source>
        <translation>Хід пошуку портів</translation>
    </message>
    <message>
        <source>Индикатор проверки портов</source>
        <translation>Хід перевірки портів</translation>
    </message>
    <message>
        <source>Результаты поиска портов модемов</source>
        <translation>Результати пошуку портів модемів</translation>
    </message>
    <message>
        <source>Настройка принадлежности портов:</source>
        <translation>Призначення портів операторам:</translation>
    </message>
    <message>
        <source>Используется только один телефон</source>
        <translation>Один телефон для всіх дзвінків</translation>
    </message>
    <message>
        <source>Используется несколько телефонов</source>
        <translation>Окремий телефон для кожного оператора</translation>
    </message>
    <message>
        <source>Техподдержка на сайте:</source>
        <translation>Техпідтримка на сайті:</translation>
    </message>
</context>
<context>
    <name>Linvox</name>
    <message>
        <source>Проверка номера</source>
        <translation>Перевірка номера</translation>
    </message>
    <message>
        <source>Модем</source>
        <translation>Модем</translation>
    </message>
    <message>
        <source>Неверный формат номера!</source>
        <translation>Неправильний формат номера!</translation>
    </message>
    <message>
        <source>Не введён номер!</source>
        <translation>Не введено номер!</translation>
    </message>
    <message>
        <source>Недостаточное количество цифр!</source>
        <translation>Недостатньо цифр!</translation>
    </message>
    <message>
        <source>Телефон содержит буквы!</source>
        <translation>Номер телефону містить літери!</translation>
    </message>
    <message>
        <source>Ошибка соединения с модемом:</source>
        <translation>Помилка з’єднання з модемом:</translation>
    </message>
    <message>
        <source>Неправильно указан порт модема для этого оператора!</source>
        <translation>Порт модема для цього оператора вказано неправильно!</translation>
    </message>
    <message>
        <source>Измените настройки!</source>
        <translation>Змініть параметри!</translation>
    </message>
    <message>
        <source>Не удаётся подключиться к модему!</source>
        <translation>Не вдається підключитися до модема!</translation>
    </message>
    <message>
        <source>Возможно Ваш телефон отключен.</source>
        <translation>Можливо, ваш телефон вимкнено.</translation>
    </message>
    <message>
        <source>Порт модема используется другой программой.</source>
        <translation>Порт модема використовує інша програма.</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Переповнення</translation>
    </message>
    <message>
        <source>Нет доступа к порту модема %1. Доступ к нему даёт группа %2: добавьте себя в неё (sudo adduser $USER %2) и войдите в систему заново.</source>
        <translation>Немає доступу до порту модема %1. Доступ до нього дає група %2: додайте себе до неї (sudo adduser $USER %2) і увійдіть у систему знову.</translation>
    </message>
    <message>
        <source>Настройки не прочитаны: %1</source>
        <translation>Параметри не прочитано: %1</translation>
    </message>
    <message>
        <source>Неверный порт</source>
        <translation>Неправильний порт</translation>
    </message>
    <message>
        <source>Не удаётся подключиться</source>
        <translation>Немає з’єднання</translation>
    </message>
    <message>
        <source>Порт модема используется другой программой</source>
        <translation>Порт зайнятий</translation>
    </message>
    <message>
        <source>Неизвестно</source>
        <translation>Невідомо</translation>
    </message>
    <message>
        <source>Нет данных</source>
        <translation>Немає даних</translation>
    </message>
    <message>
        <source>Подождите...</source>
        <translation>Зачекайте…</translation>
    </message>
    <message>
        <source>Подождите....</source>
        <translation>Зачекайте…</translation>
    </message>
    <message>
        <source>Внимание! На выполнение этой операции необходимо примерно от 30 секунд до 2 минут. В это время может казаться что компьютер как бы завис. Дождитесь окончания процесса!</source>
        <translation>Увага! Ця операція триває приблизно від 30 секунд до 2 хвилин. У цей час може здаватися, що комп’ютер завис. Дочекайтеся її завершення!</translation>
    </message>
    <message>
        <source>Внимание! На выполнение этой операции необходимо примерно 30 секунд. В это время может казаться что компьютер как бы завис. Дождитесь окончания процесса!</source>
        <translation>Увага! Ця операція триває приблизно 30 секунд. У цей час може здаватися, що комп’ютер завис. Дочекайтеся її завершення!</translation>
    </message>
    <message>
        <source>На этом компьютере не обнаружено модемов, через которые можно было бы звонить!</source>
        <translation>На цьому комп’ютері не знайдено модемів, через які можна було б телефонувати!</translation>
    </message>
    <message>
        <source>Выполнено: %1%</source>
        <translation>Виконано: %1%</translation>
    </message>
    <message>
        <source>Не удалось получить список модемов: %1</source>
        <translation>Не вдалося отримати список модемів: %1</translation>
    </message>
    <message>
        <source>Не удалось прочитать список устройств системы (udev): %1</source>
        <translation>Не вдалося прочитати список пристроїв системи (udev): %1</translation>
    </message>
    <message>
        <source>Номер COM-порта не дан, так как его не удалось сохранить: %1</source>
        <translation>Номер COM-порту не призначено, бо його не вдалося зберегти: %1</translation>
    </message>
    <message>
        <source>все номера COM-портов заняты</source>
        <translation>усі номери COM-портів зайняті</translation>
    </message>
    <message>
        <source>Служба управления Windows (WMI) недоступна</source>
        <translation>Служба керування Windows (WMI) недоступна</translation>
    </message>
    <message>
        <source>Список модемов не получен от службы WMI</source>
        <translation>Служба WMI не надала список модемів</translation>
    </message>
    <message>
        <source>%1 (код 0x%2)</source>
        <translation>%1 (код 0x%2)</translation>
    </message>
    <message>
        <source>Свойство %1 модема не прочитано как текст</source>
        <translation>Властивість модема %1 не прочитано як текст</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Параметри</translation>
    </message>
    <message>
        <source>Спрятать</source>
        <translation>Сховати</translation>
    </message>
    <message>
        <source>Всё остальное</source>
        <translation>Усе інше</translation>
    </message>
    <message>
        <source>Порт для всех звонков</source>
        <translation>Порт для всіх дзвінків</translation>
    </message>
    <message>
        <source>Номер порта должен содержать только цифры</source>
        <translation>Номер порту має містити лише цифри</translation>
    </message>
    <message>
        <source>Невозможно открыть страницу: %1</source>
        <translation>Неможливо відкрити сторінку: %1</translation>
    </message>
    <message>
        <source>MTS, JEANS</source>
        <translation>Vodafone</translation>
    </message>
    <message>
        <source>KYIVSTAR, DJUICE</source>
        <translation>Київстар</translation>
    </message>
    <message>
        <source>LIFE</source>
        <translation>lifecell</translation>
    </message>
    <message>
        <source>BEELINE</source>
        <translation>068 → Київстар</translation>
    </message>
    <message>
        <source>Настройка не сохранена: %1</source>
        <translation>Параметр не збережено: %1</translation>
    </message>
    <message>
        <source>Файл настроек %1 не удалось прочитать целиком. Прежний файл сохранён как %2, а всё, что из него удалось прочитать, перенесено в новый.</source>
        <translation>Файл параметрів %1 не вдалося прочитати повністю. Попередній файл збережено як %2, а все, що з нього вдалося прочитати, перенесено до нового.</translation>
    </message>
    <message>
        <source>файл настроек %1 — ссылка, которая никуда не ведёт</source>
        <translation>файл параметрів %1 — посилання, яке нікуди не веде</translation>
    </message>
    <message>
        <source>файл настроек %1 — это каталог, а не файл</source>
        <translation>файл параметрів %1 — це каталог, а не файл</translation>
    </message>
    <message>
        <source>файл настроек %1 — не обычный файл, а канал или устройство</source>
        <translation>файл параметрів %1 — не звичайний файл, а канал або пристрій</translation>
    </message>
    <message>
        <source>нет доступа на чтение к файлу настроек %1</source>
        <translation>немає доступу на читання до файлу параметрів %1</translation>
    </message>
    <message>
        <source>нет доступа на запись к файлу настроек %1</source>
        <translation>немає доступу на запис до файлу параметрів %1</translation>
    </message>
    <message>
        <source>файл настроек %1 не удалось записать</source>
        <translation>файл параметрів %1 не вдалося записати</translation>
    </message>
    <message>
        <source>файл настроек %1 занят: его блокировку %2 держит другая программа</source>
        <translation>файл параметрів %1 зайнятий: його блокування %2 тримає інша програма</translation>
    </message>
    <message>
        <source>файл настроек %1 повреждён, а новый записать не удалось</source>
        <translation>файл параметрів %1 пошкоджено, а новий записати не вдалося</translation>
    </message>
    <message>
        <source>файл настроек %1 повреждён, а отложить его копию не удалось</source>
        <translation>файл параметрів %1 пошкоджено, а зберегти його резервну копію не вдалося</translation>
    </message>
    <message>
        <source>файл блокировки настроек %1 — ссылка, а не обычный файл</source>
        <translation>файл блокування параметрів %1 — посилання, а не звичайний файл</translation>
    </message>
    <message>
        <source>файл блокировки настроек %1 — это каталог, а не файл</source>
        <translation>файл блокування параметрів %1 — це каталог, а не файл</translation>
    </message>
    <message>
        <source>файл блокировки настроек %1 — не обычный файл, а канал или устройство</source>
        <translation>файл блокування параметрів %1 — не звичайний файл, а канал або пристрій</translation>
    </message>
    <message>
        <source>нет дисплея, на котором можно показать окно (%1).</source>
        <translation>немає дисплея, на якому можна показати вікно (%1).</translation>
    </message>
    <message>
        <source>Чтобы позвонить без окна, передайте ссылку: %1</source>
        <translation>Щоб зателефонувати без вікна, передайте посилання: %1</translation>
    </message>
    <message>
        <source>ни DISPLAY, ни WAYLAND_DISPLAY не называет дисплей, который отвечает</source>
        <translation>ні DISPLAY, ні WAYLAND_DISPLAY не вказує на доступний дисплей</translation>
    </message>
    <message>
        <source>нет модуля Qt для Wayland из пакета Debian qt6-wayland</source>
        <translation>немає модуля Qt для Wayland з пакета Debian qt6-wayland</translation>
    </message>
    <message>
        <source>нет модуля Qt для X11 из пакета Debian qt6-qpa-plugins</source>
        <translation>немає модуля Qt для X11 з пакета Debian qt6-qpa-plugins</translation>
    </message>
    <message>
        <source>не удалось загрузить часть программы, которая показывает окно (%1)</source>
        <translation>не вдалося завантажити частину програми, яка показує вікно (%1)</translation>
    </message>
    <message>
        <source>нет доступа к каталогу %1 на пути к файлу настроек %2</source>
        <translation>немає доступу до каталогу %1 на шляху до файлу параметрів %2</translation>
    </message>
    <message>
        <source>системная ошибка %1</source>
        <translation>системна помилка %1</translation>
    </message>
    <message>
        <source>прервано: программу попросили завершиться</source>
        <translation>перервано: програму попросили завершитися</translation>
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
        <translation>Цим модемом керує ModemManager, але дзвонити через нього не вміє; щоб Linvox дзвонив через порт сам, віддайте йому пристрій правилом udev з ENV{ID_MM_DEVICE_IGNORE}=&quot;1&quot;.</translation>
    </message>
    <message>
        <source>файл настроек %1 слишком велик: больше 1 МБ</source>
        <translation>файл параметрів %1 завеликий: понад 1 МБ</translation>
    </message>
    <message>
        <source>путь устройства %1 в разделе [ports] содержит управляющий символ</source>
        <translation>шлях пристрою %1 у розділі [ports] містить керівний символ</translation>
    </message>
</context>
</TS>
