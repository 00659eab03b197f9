<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CalendarPanel</name>
    <message>
        <source>Month</source>
        <translation>Месяц</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Январь</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Февраль</translation>
    </message>
    <message>
        <source>March</source>
        <translation>Март</translation>
    </message>
    <message>
        <source>April</source>
        <translation>Апрель</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Май</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Июнь</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Июль</translation>
    </message>
    <message>
        <source>August</source>
        <translation>Август</translation>
    </message>
    <message>
        <source>September</source>
        <translation>Сентябрь</translation>
    </message>
    <message>
        <source>October</source>
        <translation>Октябрь</translation>
    </message>
    <message>
        <source>November</source>
        <translation>Ноябрь</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Декабрь</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Календарь</translation>
    </message>
    <message>
        <source>Current Date Button </source>
        <translation>Кнопка текущей даты </translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Год</translation>
    </message>
</context>
<context>
    <name>EncodingHint</name>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Looks like %1: Convert &gt; %2</source>
        <translation>Похоже на %1: Кодировка &gt; %2</translation>
    </message>
</context>
<context>
    <name>FavouritesPage</name>
    <message>
        <source>Favourites</source>
        <translation>Избранное</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>Очистить всё</translation>
    </message>
    <message>
        <source>All files (*.*)</source>
        <translation>Все файлы (*.*)</translation>
    </message>
    <message>
        <source>Sorry,only %1 Favourites</source>
        <translation>Извините, в избранном может быть не более %1 файлов</translation>
    </message>
    <message>
        <source>Error in TfrmOptions.btnOKFavClick</source>
        <translation>Ошибка в TfrmOptions.btnOKFavClick</translation>
    </message>
    <message>
        <source>Only %1 Favourites</source>
        <translation>В избранном может быть не более %1 файлов</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Добавить</translation>
    </message>
</context>
<context>
    <name>FileFormat</name>
    <message>
        <source>Windows-1251</source>
        <translation>Windows-1251</translation>
    </message>
    <message>
        <source>UTF-8</source>
        <translation>UTF-8</translation>
    </message>
    <message>
        <source>KOI8-R</source>
        <translation>KOI8-R</translation>
    </message>
    <message>
        <source>DOS 866</source>
        <translation>DOS 866</translation>
    </message>
    <message>
        <source>Windows (CR LF)</source>
        <translation>Windows (CR LF)</translation>
    </message>
    <message>
        <source>Unix (LF)</source>
        <translation>Unix (LF)</translation>
    </message>
    <message>
        <source>Mac (CR)</source>
        <translation>Mac (CR)</translation>
    </message>
    <message>
        <source>%1 with BOM</source>
        <translation>%1 с BOM</translation>
    </message>
</context>
<context>
    <name>FindDialog</name>
    <message>
        <source>Find</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>The search failed.</source>
        <translation>Поиск не удался.</translation>
    </message>
</context>
<context>
    <name>FindDialogWindow</name>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Что искать:</translation>
    </message>
    <message>
        <source>Re&amp;place with:</source>
        <translation>&amp;Заменить на:</translation>
    </message>
    <message>
        <source>Match &amp;whole word only</source>
        <translation>&amp;Только слово целиком</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>С учётом &amp;регистра</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Направление</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>&amp;Вверх</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>В&amp;низ</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>Найти &amp;далее</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>За&amp;менить</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>Заменить вс&amp;е</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>Formatting</name>
    <message>
        <source>Ch&amp;aracter</source>
        <translation>Фор&amp;мат</translation>
    </message>
    <message>
        <source>&amp;Left</source>
        <translation>По &amp;левому краю</translation>
    </message>
    <message>
        <source>&amp;Center</source>
        <translation>По &amp;центру</translation>
    </message>
    <message>
        <source>&amp;Right</source>
        <translation>По &amp;правому краю</translation>
    </message>
    <message>
        <source>&amp;Word wrap</source>
        <translation>Перенос по &amp;словам</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>&amp;Шрифт...</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Полужирный</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Курсив</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Подчёркнутый</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>По левому краю</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>По центру</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>По правому краю</translation>
    </message>
    <message>
        <source>Bullets|Enter bullet mode</source>
        <translation>Маркеры|Маркированный список</translation>
    </message>
    <message>
        <source>Font Name|Select font name</source>
        <translation>Шрифт|Выбор шрифта</translation>
    </message>
    <message>
        <source>Font Size|Select font size</source>
        <translation>Размер шрифта|Выбор размера шрифта</translation>
    </message>
    <message>
        <source>&amp;Bullets</source>
        <translation>&amp;Маркеры</translation>
    </message>
</context>
<context>
    <name>GeneralPage</name>
    <message>
        <source>Sample Text</source>
        <translation>Sample Text</translation>
    </message>
    <message>
        <source>Примерный текст</source>
        <translation>Примерный текст</translation>
    </message>
    <message>
        <source>Error in TfrmOptions.btnOKGenClick</source>
        <translation>Ошибка в TfrmOptions.btnOKGenClick</translation>
    </message>
    <message>
        <source>&amp;BackGround Color</source>
        <translation>&amp;Цвет фона</translation>
    </message>
    <message>
        <source>&amp;Font </source>
        <translation>&amp;Шрифт </translation>
    </message>
    <message>
        <source>&amp;Reopen the documents open at exit</source>
        <translation>&amp;Восстанавливать документы, открытые при выходе</translation>
    </message>
</context>
<context>
    <name>IndentRuler</name>
    <message>
        <source>Ruler</source>
        <translation>Линейка</translation>
    </message>
    <message>
        <source>First line indent</source>
        <translation>Отступ первой строки</translation>
    </message>
    <message>
        <source>Left indent</source>
        <translation>Отступ слева</translation>
    </message>
    <message>
        <source>Right indent</source>
        <translation>Отступ справа</translation>
    </message>
</context>
<context>
    <name>KeyboardDriver</name>
    <message>
        <source>Synthetic keystrokes are not available here: sending keys needs an X11 session.</source>
        <translation>Имитация нажатий клавиш здесь недоступна: для отправки клавиш нужен сеанс X11.</translation>
    </message>
</context>
<context>
    <name>LangParserPage</name>
    <message>
        <source>Sets the font and style for comments</source>
        <translation>Шрифт и начертание комментариев</translation>
    </message>
    <message>
        <source>Sets the font and style for keywords</source>
        <translation>Шрифт и начертание ключевых слов</translation>
    </message>
    <message>
        <source>Sets the font and style for any normal text</source>
        <translation>Шрифт и начертание обычного текста</translation>
    </message>
    <message>
        <source>Sets the font and style for numbers</source>
        <translation>Шрифт и начертание чисел</translation>
    </message>
    <message>
        <source>Sets the font and style for strings</source>
        <translation>Шрифт и начертание строк</translation>
    </message>
    <message>
        <source>Language Parser enabled</source>
        <translation>Грамматический анализатор включён</translation>
    </message>
    <message>
        <source>enable or disable language parser</source>
        <translation>Включает или отключает грамматический анализатор</translation>
    </message>
    <message>
        <source>Отключение грамматического анализатора позволит ускорить загрузку больших файлов</source>
        <translation>Отключение грамматического анализатора позволит ускорить загрузку больших файлов</translation>
    </message>
    <message>
        <source>Disable a language parser will allow to accelerate opening the greater files</source>
        <translation>Disable a language parser will allow to accelerate opening the greater files</translation>
    </message>
    <message>
        <source>Error in TfrmOptions.btnOKLangClick</source>
        <translation>Ошибка в TfrmOptions.btnOKLangClick</translation>
    </message>
    <message>
        <source>C&amp;omment Font</source>
        <translation>Шрифт &amp;комментариев</translation>
    </message>
    <message>
        <source>&amp;Keyword Font</source>
        <translation>Шрифт к&amp;лючевых слов</translation>
    </message>
    <message>
        <source>&amp;Normal Font</source>
        <translation>&amp;Обычный шрифт</translation>
    </message>
    <message>
        <source>N&amp;umber Font</source>
        <translation>Шрифт &amp;чисел</translation>
    </message>
    <message>
        <source>&amp;String Font</source>
        <translation>Шрифт &amp;строк</translation>
    </message>
</context>
<context>
    <name>MonthCalendar</name>
    <message>
        <source>Days</source>
        <translation>Дни</translation>
    </message>
</context>
<context>
    <name>PageControl</name>
    <message>
        <source>Modified</source>
        <translation>Изменён</translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <source>Unknown error</source>
        <translation>Неизвестная ошибка</translation>
    </message>
</context>
<context>
    <name>QtPrompts</name>
    <message>
        <source>Font</source>
        <translation>Шрифт</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation>&amp;Полужирный</translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation>&amp;Курсив</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>П&amp;одчёркнутый</translation>
    </message>
    <message>
        <source>Stri&amp;keout</source>
        <translation>&amp;Зачёркнутый</translation>
    </message>
    <message>
        <source>Colour...</source>
        <translation>Цвет...</translation>
    </message>
    <message>
        <source>AaBbYyZz АаБбЯя</source>
        <translation>AaBbYyZz АаБбЯя</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Шрифт:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Размер:</translation>
    </message>
    <message>
        <source>%1
This file is set to read-only.
Try again with a different file name.</source>
        <translation>%1
Этот файл доступен только для чтения.
Попробуйте другое имя файла.</translation>
    </message>
</context>
<context>
    <name>ReplaceDialog</name>
    <message>
        <source>Replace</source>
        <translation>Замена</translation>
    </message>
</context>
<context>
    <name>SendKeys</name>
    <message>
        <source>SendKeys</source>
        <translation>SendKeys</translation>
    </message>
    <message>
        <source>Invalid Key Name</source>
        <translation>Неверное имя клавиши</translation>
    </message>
    <message>
        <source>No Close</source>
        <translation>Нет закрывающей скобки</translation>
    </message>
    <message>
        <source>Invalid KeyName</source>
        <translation>Неверное имя клавиши</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>About Scrivlet</source>
        <translation>О программе Scrivlet</translation>
    </message>
    <message>
        <source>Free to use and to give to friends.</source>
        <translation>Можно свободно использовать и дарить друзьям.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Scrivlet</source>
        <translation>Scrivlet</translation>
    </message>
    <message>
        <source>Scrivlet ver.1.9.2</source>
        <translation>Scrivlet, версия 1.9.2</translation>
    </message>
    <message>
        <source>Designed and written by Brenmoor</source>
        <translation>Автор программы: Brenmoor</translation>
    </message>
    <message>
        <source>Welcome to my home page</source>
        <translation>Добро пожаловать на мою страницу</translation>
    </message>
    <message>
        <source>Send me e-mail</source>
        <translation>Напишите мне письмо</translation>
    </message>
    <message>
        <source>Physical Memory Available to Windows:</source>
        <translation>Физическая память, доступная Windows:</translation>
    </message>
    <message>
        <source>Memory in Use:</source>
        <translation>Занято памяти:</translation>
    </message>
    <message>
        <source> KB</source>
        <translation> КБ</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
</context>
<context>
    <name>TEditForm</name>
    <message>
        <source>Document is at its size limit</source>
        <translation>Документ достиг предельного размера</translation>
    </message>
    <message>
        <source>%1 is not in %2; save as UTF-8 to keep it</source>
        <translation>Символа %1 нет в кодировке %2; чтобы не потерять его, сохраните файл в UTF-8</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Создать</translation>
    </message>
    <message>
        <source>New|New file</source>
        <translation>Создать|Создать новый файл</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Открыть...</translation>
    </message>
    <message>
        <source>Open|Open an existing file</source>
        <translation>Открыть|Открыть существующий файл</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>О&amp;бновить</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>Cl&amp;ose All</source>
        <translation>Закрыть вс&amp;е</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>Со&amp;хранить</translation>
    </message>
    <message>
        <source>Save|Save current file</source>
        <translation>Сохранить|Сохранить текущий файл</translation>
    </message>
    <message>
        <source>Save &amp;as...</source>
        <translation>Сохранить к&amp;ак...</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Печать</translation>
    </message>
    <message>
        <source>Print|Print current file</source>
        <translation>Печать|Напечатать текущий файл</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Пред&amp;варительный просмотр</translation>
    </message>
    <message>
        <source>Printer setup...</source>
        <translation>&amp;Настройка принтера...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Reopen with &amp;Encoding</source>
        <translation>Открыть в &amp;кодировке</translation>
    </message>
    <message>
        <source>Sa&amp;ve with Encoding</source>
        <translation>Сохранить в ко&amp;дировке</translation>
    </message>
    <message>
        <source>&amp;Line endings</source>
        <translation>Концы ст&amp;рок</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>Undo|Undo the last action</source>
        <translation>Отменить|Отменить последнее действие</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Вырезать</translation>
    </message>
    <message>
        <source>Cut|Delete selected item</source>
        <translation>Вырезать|Вырезать выделенный фрагмент</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Копировать</translation>
    </message>
    <message>
        <source>Copy|Copy selected item to clipboard</source>
        <translation>Копировать|Копировать выделенный фрагмент в буфер обмена</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Вст&amp;авить</translation>
    </message>
    <message>
        <source>Paste|Paste contents of clipboard</source>
        <translation>Вставить|Вставить содержимое буфера обмена</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>&amp;Удалить</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>Вы&amp;делить всё</translation>
    </message>
    <message>
        <source>&amp;Find and Replace...</source>
        <translation>&amp;Найти и заменить...</translation>
    </message>
    <message>
        <source>Find Again</source>
        <translation>Найти снова</translation>
    </message>
    <message>
        <source>&amp;Convert</source>
        <translation>&amp;Кодировка</translation>
    </message>
    <message>
        <source>Dos866-&gt;Win1251</source>
        <translation>Dos866-&gt;Win1251</translation>
    </message>
    <message>
        <source>Win1251-&gt;Dos866</source>
        <translation>Win1251-&gt;Dos866</translation>
    </message>
    <message>
        <source>Koi8-&gt;Win1251</source>
        <translation>Koi8-&gt;Win1251</translation>
    </message>
    <message>
        <source>Win1251-&gt;Koi8</source>
        <translation>Win1251-&gt;Koi8</translation>
    </message>
    <message>
        <source>UTF-8-&gt;Win1251</source>
        <translation>UTF-8-&gt;Win1251</translation>
    </message>
    <message>
        <source>Win1251-&gt;UTF-8</source>
        <translation>Win1251-&gt;UTF-8</translation>
    </message>
    <message>
        <source>EngToLower</source>
        <translation>EngToLower</translation>
    </message>
    <message>
        <source>Translate</source>
        <translation>Translate</translation>
    </message>
    <message>
        <source>InStart</source>
        <translation>В начало</translation>
    </message>
    <message>
        <source>Rus</source>
        <translation>Рус</translation>
    </message>
    <message>
        <source>Eng</source>
        <translation>Англ</translation>
    </message>
    <message>
        <source>Plain text files (*.txt)</source>
        <translation>Текстовые файлы (*.txt)</translation>
    </message>
    <message>
        <source>Rich text files (*.rtf)</source>
        <translation>Файлы RTF (*.rtf)</translation>
    </message>
    <message>
        <source>HTML files</source>
        <translation>Файлы HTML</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Все файлы</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>ВСТ</translation>
    </message>
    <message>
        <source>Error in TEditForm.FormPaint</source>
        <translation>Ошибка в TEditForm.FormPaint</translation>
    </message>
    <message>
        <source>Error in TEditForm.SetEditRect</source>
        <translation>Ошибка в TEditForm.SetEditRect</translation>
    </message>
    <message>
        <source>Error in TEditForm.Synchronize</source>
        <translation>Ошибка в TEditForm.Synchronize</translation>
    </message>
    <message>
        <source>Error in TEditForm.FormActivate</source>
        <translation>Ошибка в TEditForm.FormActivate</translation>
    </message>
    <message>
        <source>Error in TEditForm.FormActivate_menu</source>
        <translation>Ошибка в TEditForm.FormActivate_menu</translation>
    </message>
    <message>
        <source>Error in TEditForm.Open</source>
        <translation>Ошибка в TEditForm.Open</translation>
    </message>
    <message>
        <source>%1 was changed by another program since it was opened. Overwrite it?</source>
        <translation>Файл %1 изменён другой программой после открытия. Перезаписать его?</translation>
    </message>
    <message>
        <source>%1 is not in %2 and will be saved as &quot;?&quot;, as will every character %2 lacks. Save anyway? (File &gt; Save with Encoding &gt; UTF-8 keeps them.)</source>
        <translation>Символа %1 нет в кодировке %2: он будет сохранён как «?», как и все символы, которых нет в %2. Всё равно сохранить? (Файл &gt; Сохранить в кодировке &gt; UTF-8 сохранит их.)</translation>
    </message>
    <message>
        <source>Save %1 as plain text? Its formatting, pictures and tables will be lost.</source>
        <translation>Сохранить %1 как простой текст? Форматирование, рисунки и таблицы будут потеряны.</translation>
    </message>
    <message>
        <source>Error in TEditForm.SaveAs1Click_menu</source>
        <translation>Ошибка в TEditForm.SaveAs1Click_menu</translation>
    </message>
    <message>
        <source>Discard the changes to %1 and reload it from disk?</source>
        <translation>Отменить изменения в %1 и заново загрузить файл с диска?</translation>
    </message>
    <message>
        <source>RTF</source>
        <translation>RTF</translation>
    </message>
    <message>
        <source>%1 was changed by another program. Reload it?</source>
        <translation>Файл %1 изменён другой программой. Загрузить его заново?</translation>
    </message>
    <message>
        <source>Reloading discards your changes.</source>
        <translation>При повторной загрузке ваши изменения будут потеряны.</translation>
    </message>
    <message>
        <source>%1 was deleted or moved by another program.</source>
        <translation>Файл %1 удалён или перемещён другой программой.</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Изменён</translation>
    </message>
    <message>
        <source>Line: %3d   Col: %3d</source>
        <translation>Стр: %3d   Кол: %3d</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>ЗАМ</translation>
    </message>
    <message>
        <source>Error in TEditForm.Translate2Click</source>
        <translation>Ошибка в TEditForm.Translate2Click</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Сохранить изменения в %1?</translation>
    </message>
    <message>
        <source>Error in TEditForm.FormCloseQuery</source>
        <translation>Ошибка в TEditForm.FormCloseQuery</translation>
    </message>
    <message>
        <source>Error in TEditForm.FormCloseMy</source>
        <translation>Ошибка в TEditForm.FormCloseMy</translation>
    </message>
    <message>
        <source>Zoom: %1%</source>
        <translation>Масштаб: %1%</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повторить</translation>
    </message>
    <message>
        <source>Redo|Redo the last undone action</source>
        <translation>Повторить|Повторить отменённое действие</translation>
    </message>
    <message>
        <source>&amp;Go to Line...</source>
        <translation>Перейти к &amp;строке...</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>Увели&amp;чить</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Умень&amp;шить</translation>
    </message>
    <message>
        <source>&amp;Normal Size</source>
        <translation>Обычный &amp;масштаб</translation>
    </message>
    <message>
        <source>Go to Line</source>
        <translation>Перейти к строке</translation>
    </message>
    <message>
        <source>Line number (1 to %1):</source>
        <translation>Номер строки (от 1 до %1):</translation>
    </message>
    <message>
        <source>Only the start of %1 was loaded. Saving it now cuts the file short. Save anyway?</source>
        <translation>Загружено только начало %1. Если сохранить его сейчас, файл будет обрезан. Всё равно сохранить?</translation>
    </message>
</context>
<context>
    <name>TFindReplace</name>
    <message>
        <source>Search string &apos;%1&apos; not found</source>
        <translation>Строка «%1» не найдена</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Замена</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not in Windows-1251: Replace cannot write it into the text.</source>
        <translation>«%1» нет в кодировке Windows-1251: замена не может вставить этот символ в текст.</translation>
    </message>
</context>
<context>
    <name>TFrameForm</name>
    <message>
        <source>Documents</source>
        <translation>Документы</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Создать</translation>
    </message>
    <message>
        <source>New|New file</source>
        <translation>Создать|Создать новый файл</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Открыть...</translation>
    </message>
    <message>
        <source>Open|Open an existing file</source>
        <translation>Открыть|Открыть существующий файл</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Fa&amp;vourites</source>
        <translation>&amp;Избранное</translation>
    </message>
    <message>
        <source>Favourites...</source>
        <translation>Избранное...</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Окно</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>&amp;Мозаика</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>&amp;Каскад</translation>
    </message>
    <message>
        <source>&amp;Entire</source>
        <translation>&amp;Развернуть</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Ка&amp;лендарь</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Сервис</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Параметры...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>О про&amp;грамме</translation>
    </message>
    <message>
        <source>Error in TFrameForm.LoadDefaultValue</source>
        <translation>Ошибка в TFrameForm.LoadDefaultValue</translation>
    </message>
    <message>
        <source>Error in TFrameForm.RegistryToFont</source>
        <translation>Ошибка в TFrameForm.RegistryToFont</translation>
    </message>
    <message>
        <source>Error in TFrameForm.FontToRegistry</source>
        <translation>Ошибка в TFrameForm.FontToRegistry</translation>
    </message>
    <message>
        <source>Plain text files (*.txt)</source>
        <translation>Текстовые файлы (*.txt)</translation>
    </message>
    <message>
        <source>Rich text files (*.rtf)</source>
        <translation>Файлы RTF (*.rtf)</translation>
    </message>
    <message>
        <source>Pascal files (*.pas;*.dpr)</source>
        <translation>Файлы Pascal (*.pas;*.dpr)</translation>
    </message>
    <message>
        <source>C/C++ files (*.cpp;*.c;*.hpp;*.h)</source>
        <translation>Файлы C/C++ (*.cpp;*.c;*.hpp;*.h)</translation>
    </message>
    <message>
        <source>Assembler files (*.asm)</source>
        <translation>Файлы ассемблера (*.asm)</translation>
    </message>
    <message>
        <source>Java files (*.java)</source>
        <translation>Файлы Java (*.java)</translation>
    </message>
    <message>
        <source>Batch files (*.bat)</source>
        <translation>Пакетные файлы (*.bat)</translation>
    </message>
    <message>
        <source>HTML files</source>
        <translation>Файлы HTML</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Все файлы</translation>
    </message>
    <message>
        <source>Error in TFrameForm.SaveTempOpenFile</source>
        <translation>Ошибка в TFrameForm.SaveTempOpenFile</translation>
    </message>
    <message>
        <source>Error in TFrameForm.FormPaint</source>
        <translation>Ошибка в TFrameForm.FormPaint</translation>
    </message>
    <message>
        <source>Error in TFrameForm.LoadTempOpenFile</source>
        <translation>Ошибка в TFrameForm.LoadTempOpenFile</translation>
    </message>
    <message>
        <source>Scrivlet was stopped while saving %1. The previous version was kept as %2. Open it?</source>
        <translation>Работа Scrivlet прервалась во время сохранения %1. Предыдущая версия сохранена как %2. Открыть её?</translation>
    </message>
    <message>
        <source>Error in TFrameForm.FormShow</source>
        <translation>Ошибка в TFrameForm.FormShow</translation>
    </message>
    <message>
        <source>Error in TFrameForm.GetFreePageCount</source>
        <translation>Ошибка в TFrameForm.GetFreePageCount</translation>
    </message>
    <message>
        <source>Error in TFrameForm.New1Click</source>
        <translation>Ошибка в TFrameForm.New1Click</translation>
    </message>
    <message>
        <source>Error in TFrameForm.PerformFileOpen</source>
        <translation>Ошибка в TFrameForm.PerformFileOpen</translation>
    </message>
    <message>
        <source>Error in TFrameForm.DragDrop1FileDrop</source>
        <translation>Ошибка в TFrameForm.DragDrop1FileDrop</translation>
    </message>
    <message>
        <source>File %1 not exists</source>
        <translation>Файл %1 не существует</translation>
    </message>
    <message>
        <source>File already open,continue?</source>
        <translation>Файл уже открыт. Продолжить?</translation>
    </message>
    <message>
        <source>Error in TFrameForm.Synchronize</source>
        <translation>Ошибка в TFrameForm.Synchronize</translation>
    </message>
    <message>
        <source>Error in TFrameForm.PageControl1Change</source>
        <translation>Ошибка в TFrameForm.PageControl1Change</translation>
    </message>
    <message>
        <source>Error in TFrameForm.FormResize</source>
        <translation>Ошибка в TFrameForm.FormResize</translation>
    </message>
    <message>
        <source>Error in TFrameForm.CloseAll</source>
        <translation>Ошибка в TFrameForm.CloseAll</translation>
    </message>
    <message>
        <source>Error in TFrameForm.FormCloseQuery part 2</source>
        <translation>Ошибка в TFrameForm.FormCloseQuery part 2</translation>
    </message>
    <message>
        <source>Error in TFrameForm.FormCloseQuery part 1</source>
        <translation>Ошибка в TFrameForm.FormCloseQuery part 1</translation>
    </message>
    <message>
        <source>&amp;Next Document</source>
        <translation>&amp;Следующий документ</translation>
    </message>
    <message>
        <source>&amp;Previous Document</source>
        <translation>&amp;Предыдущий документ</translation>
    </message>
</context>
<context>
    <name>TJustOne</name>
    <message>
        <source>Another Scrivlet is running but not answering.</source>
        <translation>Другая копия Scrivlet запущена, но не отвечает.</translation>
    </message>
    <message>
        <source>Another Scrivlet is running but not answering. Open a second window anyway?</source>
        <translation>Другая копия Scrivlet запущена, но не отвечает. Всё равно открыть второе окно?</translation>
    </message>
</context>
<context>
    <name>TRichEdit</name>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>This document holds a table inside a table that Scrivlet cannot keep; saving it will turn it into text.</source>
        <translation>В документе есть таблица внутри таблицы, которую Scrivlet не может сохранить; при сохранении она станет текстом.</translation>
    </message>
    <message>
        <source>This document holds %1 tables inside tables that Scrivlet cannot keep; saving it will turn them into text.</source>
        <translation>Таблиц внутри таблиц в документе: %1. Scrivlet не может их сохранить; при сохранении они станут текстом.</translation>
    </message>
    <message>
        <source>This document holds headers, footers, footnotes or comments that Scrivlet cannot keep; saving it will drop them.</source>
        <translation>В документе есть колонтитулы, сноски или примечания, которые Scrivlet не может сохранить; при сохранении они будут потеряны.</translation>
    </message>
</context>
<context>
    <name>TTrayIcon</name>
    <message>
        <source>Error in TTrayIcon.SetActive</source>
        <translation>Ошибка в TTrayIcon.SetActive</translation>
    </message>
    <message>
        <source>Error in TTrayIcon.FillDataStructure</source>
        <translation>Ошибка в TTrayIcon.FillDataStructure</translation>
    </message>
    <message>
        <source>Error in TTrayIcon.HandleMinimize</source>
        <translation>Ошибка в TTrayIcon.HandleMinimize</translation>
    </message>
    <message>
        <source>Error in TTrayIcon.HandleRestore</source>
        <translation>Ошибка в TTrayIcon.HandleRestore</translation>
    </message>
</context>
<context>
    <name>TfrmFind</name>
    <message>
        <source>Find &amp; Replace</source>
        <translation>Найти и заменить</translation>
    </message>
    <message>
        <source>Text to find:</source>
        <translation>Что искать:</translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation>Заменить на:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>Учитывать регистр</translation>
    </message>
    <message>
        <source>Whole words only</source>
        <translation>Слово целиком</translation>
    </message>
    <message>
        <source>Prompt on replace</source>
        <translation>Запрос при замене</translation>
    </message>
    <message>
        <source>Search direction</source>
        <translation>Направление</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Вниз</translation>
    </message>
    <message>
        <source>Scope</source>
        <translation>Где искать</translation>
    </message>
    <message>
        <source>All open documents</source>
        <translation>Все документы</translation>
    </message>
    <message>
        <source>Current document</source>
        <translation>Текущий документ</translation>
    </message>
    <message>
        <source>Start search</source>
        <translation>Откуда искать</translation>
    </message>
    <message>
        <source>Start of document</source>
        <translation>С начала</translation>
    </message>
    <message>
        <source>Current cursor position</source>
        <translation>От курсора</translation>
    </message>
    <message>
        <source>Error in TfrmFind.FormClose</source>
        <translation>Ошибка в TfrmFind.FormClose</translation>
    </message>
    <message>
        <source>Error in TfrmFind.LoadFindItems</source>
        <translation>Ошибка в TfrmFind.LoadFindItems</translation>
    </message>
    <message>
        <source>Search string &quot;%1&quot; not found</source>
        <translation>Строка «%1» не найдена</translation>
    </message>
    <message>
        <source>Error in TfrmFind.SetEditor</source>
        <translation>Ошибка в TfrmFind.SetEditor</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Найти</translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation>Найти &amp;далее</translation>
    </message>
    <message>
        <source>Replace &amp;Current</source>
        <translation>&amp;Заменить</translation>
    </message>
    <message>
        <source>&amp;Replace Next</source>
        <translation>Заменить с&amp;лед.</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>Заменить &amp;все</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>Зак&amp;рыть</translation>
    </message>
    <message>
        <source>Replace All: occurrences replaced: %1; documents changed: %2</source>
        <translation>Заменить все: заменено вхождений: %1; изменено документов: %2</translation>
    </message>
</context>
<context>
    <name>TfrmOptions</name>
    <message>
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Избранное</translation>
    </message>
    <message>
        <source>Translate</source>
        <translation>Перевод</translation>
    </message>
    <message>
        <source>LangParser</source>
        <translation>Анализатор</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Прочее</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>Enter Hot Keys</source>
        <translation>Горячие клавиши</translation>
    </message>
    <message>
        <source>Samples</source>
        <translation>Примеры</translation>
    </message>
    <message>
        <source>^%z                -Ctrl+Alt+Z</source>
        <translation>^%z                -Ctrl+Alt+Z</translation>
    </message>
    <message>
        <source>^({INS}{INS}) - Ctrl+Ins+Ins</source>
        <translation>^({INS}{INS}) - Ctrl+Ins+Ins</translation>
    </message>
    <message>
        <source>^{F11}            -Ctrl+F11</source>
        <translation>^{F11}            -Ctrl+F11</translation>
    </message>
    <message>
        <source>+p                  -Shift +P</source>
        <translation>+p                  -Shift +P</translation>
    </message>
    <message>
        <source>%a                  -Alt + A</source>
        <translation>%a                  -Alt + A</translation>
    </message>
    <message>
        <source>&lt;- по умолчанию в Сократе 97</source>
        <translation>&lt;- по умолчанию в Сократе 97</translation>
    </message>
    <message>
        <source>&lt;- по умолчанию в Lingvo 5.0</source>
        <translation>&lt;- по умолчанию в Lingvo 5.0</translation>
    </message>
    <message>
        <source>Enable Translate popup menu</source>
        <translation>Пункт Translate во всплывающем меню</translation>
    </message>
    <message>
        <source>Появление пункта Translate во всплывающем меню</source>
        <translation>Появление пункта Translate во всплывающем меню</translation>
    </message>
    <message>
        <source>Данная горячая клавиша используется для быстрого вызова какого-нибудь переводчика(типа Сократ 97) при выборе всплывающего меню Translate и выделении текста</source>
        <translation>Данная горячая клавиша используется для быстрого вызова какого-нибудь переводчика(типа Сократ 97) при выборе всплывающего меню Translate и выделении текста</translation>
    </message>
    <message>
        <source>Given hot key is used for quick calling some translator(type Socrates 97) at choice popup menu Translate and separation of text</source>
        <translation>Given hot key is used for quick calling some translator(type Socrates 97) at choice popup menu Translate and separation of text</translation>
    </message>
    <message>
        <source>Only One Keyboard Layout</source>
        <translation>Одна раскладка клавиатуры</translation>
    </message>
    <message>
        <source>Разрешает или запрещает переключение раскладки клавиатуры</source>
        <translation>Разрешает или запрещает переключение раскладки клавиатуры</translation>
    </message>
    <message>
        <source>при изменении кодовой страници шрифта.</source>
        <translation>при изменении кодовой страници шрифта.</translation>
    </message>
    <message>
        <source>Allows or forbids switching an keyboard layout when changing a code</source>
        <translation>Allows or forbids switching an keyboard layout when changing a code</translation>
    </message>
    <message>
        <source>page of font.</source>
        <translation>page of font.</translation>
    </message>
    <message>
        <source>Options were modified,leave without the saving?</source>
        <translation>Параметры изменены. Выйти без сохранения?</translation>
    </message>
    <message>
        <source>Error in TfrmOptions.FormCloseQuery</source>
        <translation>Ошибка в TfrmOptions.FormCloseQuery</translation>
    </message>
    <message>
        <source>Error in TfrmOptions.btnOKHotClick</source>
        <translation>Ошибка в TfrmOptions.btnOKHotClick</translation>
    </message>
    <message>
        <source>Error in TfrmOptions.btnOKOtherClick</source>
        <translation>Ошибка в TfrmOptions.btnOKOtherClick</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Применить</translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>New</source>
        <translation>Создать</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>RESTORE</source>
        <translation>ВОССТАНОВИТЬ</translation>
    </message>
</context>
<context>
    <name>UpDown</name>
    <message>
        <source>Up</source>
        <translation>Больше</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Меньше</translation>
    </message>
</context>
<context>
    <name>Utf8Conversion</name>
    <message>
        <source>1 character of the text is not in Windows-1251 and will become &quot;?&quot;.</source>
        <translation>Один символ текста отсутствует в Windows-1251 и станет «?».</translation>
    </message>
    <message>
        <source>%1 characters of the text are not in Windows-1251 and will become &quot;?&quot;.</source>
        <translation>Символов текста, которых нет в Windows-1251: %1. Они станут «?».</translation>
    </message>
</context>
<context>
    <name>WorkProgress</name>
    <message>
        <source>Progress</source>
        <translation>Ход работы</translation>
    </message>
    <message>
        <source>Loading </source>
        <translation>Загрузка </translation>
    </message>
    <message>
        <source>Reading </source>
        <translation>Чтение </translation>
    </message>
    <message>
        <source>Saving </source>
        <translation>Сохранение </translation>
    </message>
    <message>
        <source>Changing </source>
        <translation>Изменение </translation>
    </message>
    <message>
        <source>Only part of the file was loaded</source>
        <translation>Загружена только часть файла</translation>
    </message>
    <message>
        <source>Read-only: lines too long</source>
        <translation>Только чтение: слишком длинные строки</translation>
    </message>
    <message>
        <source>The file is still loading and takes no changes until it is loaded. Escape stops loading.</source>
        <translation>Файл ещё загружается и не принимает изменений до конца загрузки. Escape останавливает загрузку.</translation>
    </message>
    <message>
        <source>Lines longer than %1 characters are shown in pieces of that length and cannot be changed; saving writes them as they were.</source>
        <translation>Строки длиннее %1 символов показаны частями такой длины и не могут быть изменены; при сохранении они записываются как были.</translation>
    </message>
</context>
<context>
    <name>actions</name>
    <message>
        <source>More</source>
        <translation>Ещё</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>A text and RTF editor for Russian and English</source>
        <translation>Редактор текстов и RTF для русского и английского языков</translation>
    </message>
    <message>
        <source>%1: not a file</source>
        <translation>%1: это не файл</translation>
    </message>
    <message>
        <source>%1: no such file</source>
        <translation>%1: нет такого файла</translation>
    </message>
    <message>
        <source>The files to open</source>
        <translation>Открываемые файлы</translation>
    </message>
</context>
<context>
    <name>rtf</name>
    <message>
        <source>Picture</source>
        <translation>Рисунок</translation>
    </message>
    <message>
        <source>WMF picture</source>
        <translation>Рисунок WMF</translation>
    </message>
    <message>
        <source>EMF picture</source>
        <translation>Рисунок EMF</translation>
    </message>
    <message>
        <source>OS/2 picture</source>
        <translation>Рисунок OS/2</translation>
    </message>
    <message>
        <source>Mac picture</source>
        <translation>Рисунок Mac</translation>
    </message>
    <message>
        <source>Bitmap picture</source>
        <translation>Точечный рисунок</translation>
    </message>
    <message>
        <source>Object</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Фигура</translation>
    </message>
</context>
</TS>
