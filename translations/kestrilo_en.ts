<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>CommandLine</name>
    <message>
        <source>Неизвестный параметр: </source>
        <translation>Unknown option: </translation>
    </message>
    <message>
        <source>Можно указать только один файл уровня.</source>
        <translation>Only one level file can be given.</translation>
    </message>
    <message>
        <source>Использование: kestrilo [УРОВЕНЬ.mtf]
Редактор уровней Kestrilo. С файлом уровня открывает файл объектов
из папки данных и затем этот уровень.

Параметры:
  -h, --help     показать эту справку и выйти
  -v, --version  показать версию и выйти
</source>
        <translation>Usage: kestrilo [LEVEL.mtf]
The Kestrilo level editor. Given a level file, it opens the objects file
of the data folder and then that level.

Options:
  -h, --help     show this help and exit
  -v, --version  show the version and exit
</translation>
    </message>
</context>
<context>
    <name>HelpTexts</name>
    <message>
        <source>Управление в редакторе:</source>
        <translation>Editor controls:</translation>
    </message>
    <message>
        <source>курсорные клавиши: </source>
        <translation>cursor keys: </translation>
    </message>
    <message>
        <source>лево/право/верх/низ</source>
        <translation>left/right/up/down</translation>
    </message>
    <message>
        <source>также вверх/вниз можно </source>
        <translation>up/down can also be </translation>
    </message>
    <message>
        <source>контролировать MWHEEL UP/DOWN</source>
        <translation>controlled with MWHEEL UP/DOWN</translation>
    </message>
    <message>
        <source>После загрузки необходимо </source>
        <translation>After start-up, </translation>
    </message>
    <message>
        <source>загрузить файл графики:Меню/Объект/Открыть файл объектов</source>
        <translation>load the graphics file: Menu/Object/Open objects file</translation>
    </message>
    <message>
        <source>Далее загрузить тестовый </source>
        <translation>Then load the test </translation>
    </message>
    <message>
        <source>уровень:</source>
        <translation>level:</translation>
    </message>
    <message>
        <source>файл --&gt; загрузить матрицу /  из </source>
        <translation>file --&gt; load matrix /  from </translation>
    </message>
    <message>
        <source>каталога DATA / matrix1.mtx</source>
        <translation>the DATA folder / matrix1.mtx</translation>
    </message>
    <message>
        <source>Далее: отключить сетку (настройка/сетка/нет)</source>
        <translation>Next: switch the grid off (settings/grid/none)</translation>
    </message>
    <message>
        <source>Затем: предварительный просмотр (ВНИМАНИЕ! при предварительном</source>
        <translation>Then: preview (WARNING! during the preview</translation>
    </message>
    <message>
        <source>просмотре игрок может быть уничтожен! последствия непредсказуемы...)</source>
        <translation>the player can be destroyed! the consequences are unpredictable...)</translation>
    </message>
    <message>
        <source>Управление игроком: W/A/S/D + Space на лифте</source>
        <translation>Player controls: W/A/S/D + Space on a lift</translation>
    </message>
    <message>
        <source>ВНИМАНИЕ: ПРОГРАММА АДАПТИРОВАНА ПОД 800х600х16 !!!</source>
        <translation>WARNING: THE PROGRAM IS MADE FOR 800x600x16 !!!</translation>
    </message>
</context>
<context>
    <name>TAmmoCrate</name>
    <message>
        <source>Единиц оружия </source>
        <translation>Weapon units </translation>
    </message>
</context>
<context>
    <name>TEditor</name>
    <message>
        <source>База данных объектов не загружена! Желаете создать новую ?</source>
        <translation>The object database is not loaded! Do you want to create a new one?</translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation>Attention!</translation>
    </message>
    <message>
        <source>Удалить текущий объект ?</source>
        <translation>Delete the current object?</translation>
    </message>
    <message>
        <source>Подтвердите удаление</source>
        <translation>Confirm deletion</translation>
    </message>
    <message>
        <source>Файлы матрицы (*.mtf)|*.mtf</source>
        <translation>Matrix files (*.mtf)|*.mtf</translation>
    </message>
    <message>
        <source>Файлы матрицы Kestrilo (*.mtf)|*.mtf</source>
        <translation>Kestrilo matrix files (*.mtf)|*.mtf</translation>
    </message>
    <message>
        <source>Файл объектов загружен не был... Невозможно загрузить матрицу!</source>
        <translation>The objects file has not been loaded... The matrix cannot be loaded!</translation>
    </message>
    <message>
        <source>Правда выйти ?</source>
        <translation>Really exit?</translation>
    </message>
    <message>
        <source>Подтвердите выход!</source>
        <translation>Confirm exit!</translation>
    </message>
    <message>
        <source>добавление объекта «%1» в библиотеку</source>
        <translation>adding the object «%1» to the library</translation>
    </message>
    <message>
        <source>удаление объекта «%1» из библиотеки</source>
        <translation>deleting the object «%1» from the library</translation>
    </message>
    <message>
        <source>Отменено: %1</source>
        <translation>Undone: %1</translation>
    </message>
    <message>
        <source>Повторено: %1</source>
        <translation>Redone: %1</translation>
    </message>
    <message>
        <source>новый уровень</source>
        <translation>new level</translation>
    </message>
    <message>
        <source>Уровень: %1</source>
        <translation>Level: %1</translation>
    </message>
    <message>
        <source>Библиотека</source>
        <translation>Library</translation>
    </message>
    <message>
        <source>Файл объектов открыт: %1</source>
        <translation>Objects file opened: %1</translation>
    </message>
    <message>
        <source>Файл объектов не был открыт, и библиотека пуста: сохранять нечего. Откройте файл объектов (Объект → Открыть файл объектов).</source>
        <translation>The objects file was not opened and the library is empty: there is nothing to save. Open the objects file (Object → Open objects file).</translation>
    </message>
    <message>
        <source>Файл объектов сохранён: %1</source>
        <translation>Objects file saved: %1</translation>
    </message>
    <message>
        <source>Объект добавлен: %1</source>
        <translation>Object added: %1</translation>
    </message>
    <message>
        <source>Объект удалён из библиотеки: %1</source>
        <translation>Object deleted from the library: %1</translation>
    </message>
    <message>
        <source>Уровень сохранён: %1</source>
        <translation>Level saved: %1</translation>
    </message>
    <message>
        <source>Уровень загружен: %1</source>
        <translation>Level loaded: %1</translation>
    </message>
    <message>
        <source>Есть несохранённые изменения в уровне и в библиотеке объектов. Сохранить их ?</source>
        <translation>The level and the object library have unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>Есть несохранённые изменения в уровне. Сохранить их ?</source>
        <translation>The level has unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>Есть несохранённые изменения в библиотеке объектов. Сохранить их ?</source>
        <translation>The object library has unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>Несохранённые изменения</source>
        <translation>Unsaved changes</translation>
    </message>
    <message>
        <source>Прошлая работа редактора завершилась аварийно. Восстановить несохранённые изменения ?</source>
        <translation>The editor&apos;s last run did not end normally. Restore the unsaved changes?</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>Несохранённые изменения восстановлены</source>
        <translation>Unsaved changes restored</translation>
    </message>
    <message>
        <source>размещение «%1»</source>
        <translation>placing «%1»</translation>
    </message>
    <message>
        <source>Объект размещён: %1</source>
        <translation>Object placed: %1</translation>
    </message>
    <message>
        <source>удаление объекта с уровня</source>
        <translation>erasing an object from the level</translation>
    </message>
    <message>
        <source>Объект удалён с уровня</source>
        <translation>Object erased from the level</translation>
    </message>
    <message>
        <source>Тест отсюда: наведите указатель мыши на клетку уровня</source>
        <translation>Test from here: point the mouse at a cell of the level</translation>
    </message>
    <message>
        <source>Файл объектов загружен не был... Тест уровня невозможен!</source>
        <translation>The objects file has not been loaded... The level cannot be tested!</translation>
    </message>
    <message>
        <source>Тест отсюда: над клеткой %1, %2 до самого верха уровня нет места для игрока.</source>
        <translation>Test from here: above cell %1, %2 there is no room for the player up to the top of the level.</translation>
    </message>
    <message>
        <source>Тест с клетки %1, %2: F6 — заново, Pause — пауза, F10 — шаг, F5 или Esc — конец</source>
        <translation>Testing from cell %1, %2: F6 restarts, Pause pauses, F10 steps, F5 or Esc ends</translation>
    </message>
    <message>
        <source>Тест окончен: уровень такой, как задуман</source>
        <translation>Test ended: the level is as designed</translation>
    </message>
    <message>
        <source>Игра начата заново</source>
        <translation>Play restarted</translation>
    </message>
    <message>
        <source>Пауза: F10 — один шаг, Pause — дальше</source>
        <translation>Paused: F10 steps once, Pause goes on</translation>
    </message>
    <message>
        <source>Игра продолжается</source>
        <translation>Play goes on</translation>
    </message>
    <message>
        <source>рисование</source>
        <translation>painting</translation>
    </message>
    <message>
        <source>стирание</source>
        <translation>erasing</translation>
    </message>
    <message>
        <source>Нарисовано объектов: </source>
        <translation>Objects painted: </translation>
    </message>
    <message>
        <source>Стёрто объектов: </source>
        <translation>Objects erased: </translation>
    </message>
    <message>
        <source>Скопировано объектов: </source>
        <translation>Objects copied: </translation>
    </message>
    <message>
        <source>удаление выделенного</source>
        <translation>deleting the selection</translation>
    </message>
    <message>
        <source>Выделенное удалено</source>
        <translation>Selection deleted</translation>
    </message>
    <message>
        <source>вырезание выделенного</source>
        <translation>cutting the selection</translation>
    </message>
    <message>
        <source>Вырезано объектов: </source>
        <translation>Objects cut: </translation>
    </message>
    <message>
        <source>Буфер обмена пуст</source>
        <translation>The clipboard is empty</translation>
    </message>
    <message>
        <source>вставка</source>
        <translation>paste</translation>
    </message>
    <message>
        <source>Вставлено объектов: </source>
        <translation>Objects pasted: </translation>
    </message>
    <message>
        <source>перемещение выделенного</source>
        <translation>moving the selection</translation>
    </message>
    <message>
        <source>Выделенное перемещено</source>
        <translation>Selection moved</translation>
    </message>
    <message>
        <source>заполнение «%1»</source>
        <translation>filling with «%1»</translation>
    </message>
    <message>
        <source>Заполнено объектов: </source>
        <translation>Objects filled: </translation>
    </message>
    <message>
        <source>Масштаб 1/</source>
        <translation>Zoom 1/</translation>
    </message>
    <message>
        <source>Масштаб 1:1</source>
        <translation>Zoom 1:1</translation>
    </message>
    <message>
        <source>Уровень использует объекты, которых ещё нет в сохранённой библиотеке. Сохранить и библиотеку ?</source>
        <translation>The level uses objects that are not in the saved library yet. Save the library as well?</translation>
    </message>
    <message>
        <source>Несохранённые объекты</source>
        <translation>Unsaved objects</translation>
    </message>
    <message>
        <source>новый уровень, ещё не сохранявшийся</source>
        <translation>a new level, never saved</translation>
    </message>
    <message>
        <source>Уровень: %1, копия от %2</source>
        <translation>Level: %1, copy from %2</translation>
    </message>
    <message>
        <source>Библиотека объектов: копия от %1</source>
        <translation>Object library: copy from %1</translation>
    </message>
    <message>
        <source>Копию несохранённой работы %1 не удалось прочитать: %2. Её файлы перенесены в %3 и больше не предлагаются.</source>
        <translation>The copy of unsaved work %1 could not be read: %2. Its files were moved to %3 and will not be offered again.</translation>
    </message>
    <message>
        <source>Копию несохранённой работы %1 не удалось прочитать: %2. Её файлы не удалось отложить: %3</source>
        <translation>The copy of unsaved work %1 could not be read: %2. Its files could not be moved aside: %3</translation>
    </message>
    <message>
        <source>Файл существует! Перезаписать ?</source>
        <translation>The file exists! Overwrite?</translation>
    </message>
    <message>
        <source>Перезапись</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>Файл существет! Перезаписать ?</source>
        <translation>The file exists! Overwrite?</translation>
    </message>
    <message>
        <source>File Exists!</source>
        <translation>File Exists!</translation>
    </message>
    <message>
        <source>Новый уровень</source>
        <translation>New level</translation>
    </message>
    <message>
        <source>Не удалено: здесь объект, стоящий на плане «%1»</source>
        <translation>Not deleted: the object here stands on the %1</translation>
    </message>
    <message>
        <source>Отменено шагов: %1; последний: %2</source>
        <translation>Steps undone: %1; the last: %2</translation>
    </message>
    <message>
        <source>Повторено шагов: %1; последний: %2</source>
        <translation>Steps redone: %1; the last: %2</translation>
    </message>
    <message>
        <source>штамп</source>
        <translation>stamp</translation>
    </message>
    <message>
        <source>Оттиснуто копий буфера: </source>
        <translation>Copies of the clipboard stamped: </translation>
    </message>
</context>
<context>
    <name>TFindAndReplace</name>
    <message>
        <source>Ничего не выделено: выделите клетки Shift и левой кнопкой</source>
        <translation>Nothing is selected: select cells with Shift and the left button</translation>
    </message>
    <message>
        <source>«%1» в уровне не найден</source>
        <translation>“%1” is not in the level</translation>
    </message>
    <message>
        <source>«%1» в выделенном не найден</source>
        <translation>“%1” is not in the selection</translation>
    </message>
    <message>
        <source>«%1»: %2 из %3, план %4, столбец %5, строка %6</source>
        <translation>“%1”: %2 of %3, plane %4, column %5, row %6</translation>
    </message>
    <message>
        <source> (поиск начат сначала)</source>
        <translation> (the search started again from the first)</translation>
    </message>
    <message>
        <source> (поиск начат с конца)</source>
        <translation> (the search started again from the last)</translation>
    </message>
    <message>
        <source>Отмечено размещений «%1»: %2</source>
        <translation>Placements of “%1” marked: %2</translation>
    </message>
    <message>
        <source>замена «%1» на «%2»</source>
        <translation>replacing “%1” by “%2”</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Новый объект</source>
        <translation>New object</translation>
    </message>
    <message>
        <source>Взять спрайт</source>
        <translation>Take sprite</translation>
    </message>
    <message>
        <source>Объект прозрачный ?</source>
        <translation>Transparent object?</translation>
    </message>
    <message>
        <source>Цвет прозрачности</source>
        <translation>Transparent colour</translation>
    </message>
    <message>
        <source>Объект с простой анимацией ?</source>
        <translation>Simply animated object?</translation>
    </message>
    <message>
        <source>Имя объекта:</source>
        <translation>Object name:</translation>
    </message>
    <message>
        <source>Ширина кадра:</source>
        <translation>Frame width:</translation>
    </message>
    <message>
        <source>Тип Объекта:</source>
        <translation>Object type:</translation>
    </message>
    <message>
        <source>Стена</source>
        <translation>Wall</translation>
    </message>
    <message>
        <source>Лифт</source>
        <translation>Lift</translation>
    </message>
    <message>
        <source>Ключ</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>Дверь </source>
        <translation>Door </translation>
    </message>
    <message>
        <source>Фон</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Монстр</source>
        <translation>Monster</translation>
    </message>
    <message>
        <source>Аптечка</source>
        <translation>Med kit</translation>
    </message>
    <message>
        <source>Патроны</source>
        <translation>Ammunition</translation>
    </message>
    <message>
        <source>Ловушка</source>
        <translation>Trap</translation>
    </message>
    <message>
        <source>Игрок</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Высота кадра:</source>
        <translation>Frame height:</translation>
    </message>
    <message>
        <source>номер объекта:</source>
        <translation>object number:</translation>
    </message>
    <message>
        <source>Скорость анимации:</source>
        <translation>Animation speed:</translation>
    </message>
    <message>
        <source>Здоровье:</source>
        <translation>Health:</translation>
    </message>
    <message>
        <source>Эффект?</source>
        <translation>Effect?</translation>
    </message>
    <message>
        <source>Пост.</source>
        <translation>Const.</translation>
    </message>
    <message>
        <source>Одиноч.</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>Свойства оруж.:</source>
        <translation>Weapon props:</translation>
    </message>
    <message>
        <source>Тип оружия:</source>
        <translation>Weapon type:</translation>
    </message>
    <message>
        <source>Тип %1</source>
        <translation>Type %1</translation>
    </message>
    <message>
        <source>Кол-во патронов:</source>
        <translation>Rounds:</translation>
    </message>
    <message>
        <source>Номер объекта: </source>
        <translation>Object number: </translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Загрузка основного файла:</source>
        <translation>Loading the main file:</translation>
    </message>
    <message>
        <source>Загрузка плоскостей заднего плана:</source>
        <translation>Loading the back planes:</translation>
    </message>
</context>
<context>
    <name>TLevelCheck</name>
    <message>
        <source>Объекта с номером %1 нет в библиотеке</source>
        <translation>The library has no object number %1</translation>
    </message>
    <message>
        <source>У монстра «%1» нет записи в файле монстров: он возьмёт первую</source>
        <translation>The monster «%1» has no record in the monster file: it takes the first one</translation>
    </message>
    <message>
        <source>Стартовых меток на уровне: %1</source>
        <translation>Start markers in the level: %1</translation>
    </message>
    <message>
        <source>Дверь с кодом %1: ни один ключ уровня её не открывает</source>
        <translation>Door with code %1: no key of the level opens it</translation>
    </message>
    <message>
        <source>Ключ с кодом %1 не открывает ни одной двери</source>
        <translation>Key with code %1 opens no door</translation>
    </message>
    <message>
        <source>В графическом файле нет картинки «%1»</source>
        <translation>The graphics file has no picture «%1»</translation>
    </message>
    <message>
        <source>На уровне нет стартовой метки «%1»</source>
        <translation>The level has no start marker «%1»</translation>
    </message>
</context>
<context>
    <name>TLevelEdits</name>
    <message>
        <source>В матрице нет объекта на данном плане. Смените ось Z!</source>
        <translation>The matrix has no object on this plane. Change the Z axis!</translation>
    </message>
</context>
<context>
    <name>TMatrix</name>
    <message>
        <source>Нет файла с таким именем!</source>
        <translation>There is no file with this name!</translation>
    </message>
</context>
<context>
    <name>TMonsterEditCommands</name>
    <message>
        <source>удаление монстра</source>
        <translation>deleting the monster</translation>
    </message>
    <message>
        <source>перемещение монстра</source>
        <translation>moving the monster</translation>
    </message>
</context>
<context>
    <name>TObjectDataBase</name>
    <message>
        <source>В массиве нет такого имени. Нечего удалять!</source>
        <translation>There is no such name in the list. Nothing to delete!</translation>
    </message>
    <message>
        <source>Запись удалена!</source>
        <translation>Entry deleted!</translation>
    </message>
    <message>
        <source>Файл не существует!</source>
        <translation>The file does not exist!</translation>
    </message>
</context>
<context>
    <name>TPictureImport</name>
    <message>
        <source>Картинка слишком велика: %1, %2&#xa0;×&#xa0;%3 точек; предел — %4&#xa0;МБ</source>
        <translation>The picture is too large: %1, %2&#xa0;×&#xa0;%3 pixels; the limit is %4&#xa0;MB</translation>
    </message>
</context>
<context>
    <name>TPlacedObjectEdits</name>
    <message>
        <source>В клетке (%1, %2) на плане %3 нет объекта</source>
        <translation>No object is anchored at cell (%1, %2) on plane %3</translation>
    </message>
    <message>
        <source>Объект с номером %1 не может лежать на заднем плане</source>
        <translation>An object numbered %1 cannot lie on a back plane</translation>
    </message>
    <message>
        <source>Объект «%1» вышел бы за край уровня</source>
        <translation>The object “%1” would cross the level’s edge</translation>
    </message>
    <message>
        <source>Объект «%1» не помещается: его клетки заняты другими объектами</source>
        <translation>The object “%1” does not fit: other objects hold its cells</translation>
    </message>
    <message>
        <source>Объекты задних планов не хранят высоту лифта и код ключа: их ставят на план 0</source>
        <translation>Objects on back planes keep no lift height or key code: put them on plane 0</translation>
    </message>
    <message>
        <source>Высота лифта есть только у лифтов</source>
        <translation>Only lifts have a lift height</translation>
    </message>
    <message>
        <source>Код ключа есть только у ключей и дверей</source>
        <translation>Only keys and doors have a key code</translation>
    </message>
    <message>
        <source>Высота лифта должна быть от %1 до %2</source>
        <translation>The lift height must be from %1 to %2</translation>
    </message>
    <message>
        <source>Код ключа должен быть от %1 до %2</source>
        <translation>The key code must be from %1 to %2</translation>
    </message>
    <message>
        <source>В библиотеке нет объекта «%1»</source>
        <translation>The library holds no object “%1”</translation>
    </message>
    <message>
        <source>Заменено объектов: %1</source>
        <translation>Objects replaced: %1</translation>
    </message>
    <message>
        <source>; оставлено у края уровня: %1</source>
        <translation>; left at the level’s edge: %1</translation>
    </message>
    <message>
        <source>; оставлено, так как клетки заняты: %1</source>
        <translation>; left because their cells are taken: %1</translation>
    </message>
    <message>
        <source>План должен быть от %1 до %2</source>
        <translation>The plane must be from %1 to %2</translation>
    </message>
    <message>
        <source>На плане %1 место занято другим объектом</source>
        <translation>Another object holds the place on plane %1</translation>
    </message>
</context>
<context>
    <name>TPlacedObjectProperties</name>
    <message>
        <source>Объект не выбран: Alt+щелчок по объекту выбирает его</source>
        <translation>No object chosen: Alt+click an object to choose it</translation>
    </message>
    <message>
        <source>Изменено: %1</source>
        <translation>Changed: %1</translation>
    </message>
    <message>
        <source>высота лифта «%1»</source>
        <translation>lift height of “%1”</translation>
    </message>
    <message>
        <source>код ключа «%1»</source>
        <translation>key code of “%1”</translation>
    </message>
    <message>
        <source>перенос «%1» на другой план</source>
        <translation>moving “%1” to another plane</translation>
    </message>
    <message>
        <source>замена «%1»</source>
        <translation>replacing “%1”</translation>
    </message>
</context>
<context>
    <name>TPlaneNames</name>
    <message>
        <source>основной план</source>
        <translation>main plane</translation>
    </message>
    <message>
        <source>задний план %1</source>
        <translation>back plane %1</translation>
    </message>
</context>
<context>
    <name>TPlaneView</name>
    <message>
        <source>Не изменено: %1 заблокирован (панель «Планы»)</source>
        <translation>Not changed: the %1 is locked (the Planes panel)</translation>
    </message>
</context>
<context>
    <name>TPlayerSprite</name>
    <message>
        <source>Жизнь игрока </source>
        <translation>Player health </translation>
    </message>
    <message>
        <source> Тип оружия: </source>
        <translation> Weapon type: </translation>
    </message>
    <message>
        <source> Осталось патронов: </source>
        <translation> Rounds left: </translation>
    </message>
</context>
<context>
    <name>TRecordingCommands</name>
    <message>
        <source>Запись пуста: начните запись и сыграйте уровень с включённым предварительным просмотром.</source>
        <translation>The recording is empty: start recording and play the level with the preview on.</translation>
    </message>
    <message>
        <source>Файл записи %1 уже существует. Заменить?</source>
        <translation>The recording file %1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>Подтвердите запись</source>
        <translation>Confirm recording</translation>
    </message>
    <message>
        <source>Записи прохождения (*.replay)|*.replay</source>
        <translation>Play-through recordings (*.replay)|*.replay</translation>
    </message>
    <message>
        <source>Запись сохранена: </source>
        <translation>Recording saved: </translation>
    </message>
</context>
<context>
    <name>TStatusOverlay</name>
    <message>
        <source>Всего объектов: </source>
        <translation>Total objects: </translation>
    </message>
    <message>
        <source>Пауза</source>
        <translation>Paused</translation>
    </message>
</context>
<context>
    <name>kestrilo::TFindPanel</name>
    <message>
        <source>Найти и заменить</source>
        <translation>Find and replace</translation>
    </message>
    <message>
        <source>Во всём уровне</source>
        <translation>In the whole level</translation>
    </message>
    <message>
        <source>В выделенном</source>
        <translation>In the selection</translation>
    </message>
    <message>
        <source>Назад</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>Далее</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Отметить все</source>
        <translation>Mark all</translation>
    </message>
    <message>
        <source>Снять отметки</source>
        <translation>Clear marks</translation>
    </message>
    <message>
        <source>Заменить</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Объект:</source>
        <translation>Object:</translation>
    </message>
    <message>
        <source>Где:</source>
        <translation>Where:</translation>
    </message>
    <message>
        <source>Заменить на:</source>
        <translation>Replace by:</translation>
    </message>
    <message>
        <source>Найти и заменить...</source>
        <translation>Find and replace...</translation>
    </message>
    <message>
        <source>Найти далее</source>
        <translation>Find next</translation>
    </message>
    <message>
        <source>Найти назад</source>
        <translation>Find previous</translation>
    </message>
</context>
<context>
    <name>kestrilo::TForm1</name>
    <message>
        <source>Стена</source>
        <translation>Wall</translation>
    </message>
    <message>
        <source>Лифт</source>
        <translation>Lift</translation>
    </message>
    <message>
        <source>Ключ</source>
        <translation>Key</translation>
    </message>
    <message>
        <source>Дверь</source>
        <translation>Door</translation>
    </message>
    <message>
        <source>Фон</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Монстр</source>
        <translation>Monster</translation>
    </message>
    <message>
        <source>Аптечки</source>
        <translation>Med kits</translation>
    </message>
    <message>
        <source>Патроны</source>
        <translation>Ammunition</translation>
    </message>
    <message>
        <source>Ловушки</source>
        <translation>Traps</translation>
    </message>
    <message>
        <source>Игрок</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Динам. объект</source>
        <translation>Dynamic object</translation>
    </message>
    <message>
        <source>Тип объекта:</source>
        <translation>Object type:</translation>
    </message>
    <message>
        <source>Объект:</source>
        <translation>Object:</translation>
    </message>
    <message>
        <source>Высота лифта:</source>
        <translation>Lift height:</translation>
    </message>
    <message>
        <source>Ось Z:</source>
        <translation>Z axis:</translation>
    </message>
    <message>
        <source>Код ключа:</source>
        <translation>Key code:</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Сохранить матрицу</source>
        <translation>Save matrix</translation>
    </message>
    <message>
        <source>Загрузить матрицу</source>
        <translation>Load matrix</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Объект</source>
        <translation>Object</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Открыть файл объектов</source>
        <translation>Open objects file</translation>
    </message>
    <message>
        <source>Сохранить файл объектов</source>
        <translation>Save objects file</translation>
    </message>
    <message>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Игрок...</source>
        <translation>Player...</translation>
    </message>
    <message>
        <source>Видимость</source>
        <translation>Visibility</translation>
    </message>
    <message>
        <source>Гравитация</source>
        <translation>Gravity</translation>
    </message>
    <message>
        <source>Сетка...</source>
        <translation>Grid...</translation>
    </message>
    <message>
        <source>32х32</source>
        <translation>32x32</translation>
    </message>
    <message>
        <source>64х64</source>
        <translation>64x64</translation>
    </message>
    <message>
        <source>128х128</source>
        <translation>128x128</translation>
    </message>
    <message>
        <source>нет</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Авто контроль</source>
        <translation>Auto control</translation>
    </message>
    <message>
        <source>Задержка вкл</source>
        <translation>Frame delay on</translation>
    </message>
    <message>
        <source>Предварительный просмотр</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Управление</source>
        <translation>Controls</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Запись</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>Начать запись</source>
        <translation>Start recording</translation>
    </message>
    <message>
        <source>Остановить запись</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>Сохранить запись...</source>
        <translation>Save recording...</translation>
    </message>
    <message>
        <source>Монстры...</source>
        <translation>Monsters...</translation>
    </message>
    <message>
        <source>Правка</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Отменить: %1</source>
        <translation>Undo: %1</translation>
    </message>
    <message>
        <source>Повторить: %1</source>
        <translation>Redo: %1</translation>
    </message>
    <message>
        <source>Тест отсюда	F5</source>
        <translation>Test from here	F5</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Вырезать</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Удалить выделенное	Del</source>
        <translation>Delete selection	Del</translation>
    </message>
    <message>
        <source>Заполнить выделенное</source>
        <translation>Fill selection</translation>
    </message>
    <message>
        <source>Снять выделение</source>
        <translation>Deselect</translation>
    </message>
    <message>
        <source>Выделять на всех планах</source>
        <translation>Select on all planes</translation>
    </message>
    <message>
        <source>Уменьшить</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Увеличить</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Свойства объекта</source>
        <translation>Object properties</translation>
    </message>
    <message>
        <source>Новый уровень</source>
        <translation>New level</translation>
    </message>
    <message>
        <source>Сохранить матрицу как...</source>
        <translation>Save matrix as...</translation>
    </message>
    <message>
        <source>Панель объектов</source>
        <translation>Objects panel</translation>
    </message>
    <message>
        <source>Обзор</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Рисовать буфером (штамп)</source>
        <translation>Paint with the clipboard (stamp)</translation>
    </message>
</context>
<context>
    <name>kestrilo::TForm3</name>
    <message>
        <source>Загрузка компонентов:</source>
        <translation>Loading components:</translation>
    </message>
    <message>
        <source>Загрузка уровня</source>
        <translation>Loading the level</translation>
    </message>
</context>
<context>
    <name>kestrilo::THistoryPanel</name>
    <message>
        <source>История правок</source>
        <translation>Edit history</translation>
    </message>
    <message>
        <source>Начало истории</source>
        <translation>Start of the history</translation>
    </message>
</context>
<context>
    <name>kestrilo::TLevelCheckWindow</name>
    <message>
        <source>Проверка уровня</source>
        <translation>Level check</translation>
    </message>
    <message>
        <source>нет в библиотеке</source>
        <translation>not in the library</translation>
    </message>
    <message>
        <source>монстры без записи</source>
        <translation>monsters without a record</translation>
    </message>
    <message>
        <source>нет метки старта</source>
        <translation>no start marker</translation>
    </message>
    <message>
        <source>несколько меток старта</source>
        <translation>several start markers</translation>
    </message>
    <message>
        <source>двери без ключа</source>
        <translation>doors without a key</translation>
    </message>
    <message>
        <source>ключи без двери</source>
        <translation>keys without a door</translation>
    </message>
    <message>
        <source>нет картинки</source>
        <translation>missing pictures</translation>
    </message>
    <message>
        <source>Щелчок ведёт к месту на уровне</source>
        <translation>A click leads to the place in the level</translation>
    </message>
    <message>
        <source>Проблем не найдено</source>
        <translation>No problems found</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Проблем найдено: %1 — %2</source>
        <translation>Problems found: %1 — %2</translation>
    </message>
</context>
<context>
    <name>kestrilo::TMonsterEditorWindow</name>
    <message>
        <source>1: идёт влево</source>
        <translation>1: walks left</translation>
    </message>
    <message>
        <source>2: идёт вправо</source>
        <translation>2: walks right</translation>
    </message>
    <message>
        <source>3: смотрит на игрока влево</source>
        <translation>3: faces the player, left</translation>
    </message>
    <message>
        <source>4: смотрит на игрока вправо</source>
        <translation>4: faces the player, right</translation>
    </message>
    <message>
        <source>5: ранен, смотрит влево</source>
        <translation>5: wounded, facing left</translation>
    </message>
    <message>
        <source>6: ранен, смотрит вправо</source>
        <translation>6: wounded, facing right</translation>
    </message>
    <message>
        <source>7: умирает, смотрит влево</source>
        <translation>7: dying, facing left</translation>
    </message>
    <message>
        <source>8: умирает, смотрит вправо</source>
        <translation>8: dying, facing right</translation>
    </message>
    <message>
        <source>ходит и падает, где нет пола</source>
        <translation>walks, and falls where there is no floor</translation>
    </message>
    <message>
        <source>ходит, не сходя с края</source>
        <translation>walks without stepping off an edge</translation>
    </message>
    <message>
        <source>летает волной и бросает бомбы</source>
        <translation>flies in waves and drops bombs</translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Как движется</source>
        <translation>Movement</translation>
    </message>
    <message>
        <source>Расстояние пробуждения</source>
        <translation>Wake distance</translation>
    </message>
    <message>
        <source>Здоровье</source>
        <translation>Health</translation>
    </message>
    <message>
        <source>Урон</source>
        <translation>Damage</translation>
    </message>
    <message>
        <source>Скорость ходьбы</source>
        <translation>Walking speed</translation>
    </message>
    <message>
        <source>Картинка выстрела</source>
        <translation>Shot picture</translation>
    </message>
    <message>
        <source>Скорость анимации</source>
        <translation>Animation speed</translation>
    </message>
    <message>
        <source>Кадры состояний</source>
        <translation>State frames</translation>
    </message>
    <message>
        <source>В файле: %1</source>
        <translation>In the file: %1</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Сохранённые записи получают монстры, поставленные после сохранения или построенные следующей загрузкой уровня.</source>
        <translation>Saved records apply to monsters placed after saving or built by the next level load.</translation>
    </message>
    <message>
        <source>Записи файла монстров</source>
        <translation>Monster file records</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Копия</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Выше</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Ниже</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Порядок важен: монстр, имени которого нет ни в одной записи, получает первую запись списка. Из записей с одинаковым именем действует верхняя.</source>
        <translation>Order matters: a monster whose name is in no record takes the first record of the list. Of records with the same name, the upper one applies.</translation>
    </message>
    <message>
        <source>Монстр</source>
        <translation>Monster</translation>
    </message>
    <message>
        <source>Имя (объект-монстр библиотеки, его картинка):</source>
        <translation>Name (a monster object of the library, its picture):</translation>
    </message>
    <message>
        <source>Здоровье при появлении: от</source>
        <translation>Health on appearing: from</translation>
    </message>
    <message>
        <source>до (не включая)</source>
        <translation>to (not including)</translation>
    </message>
    <message>
        <source>Урон игроку (касанием, выстрелом, бомбой): от</source>
        <translation>Damage to the player (by touch, shot, bomb): from</translation>
    </message>
    <message>
        <source>Скорость ходьбы:</source>
        <translation>Walking speed:</translation>
    </message>
    <message>
        <source>Как движется:</source>
        <translation>Movement:</translation>
    </message>
    <message>
        <source>Прыгает к игроку, где кончается пол (игрок в 5 клетках по горизонтали и 4 по вертикали)</source>
        <translation>Jumps towards the player where the floor ends (player within 5 cells horizontally and 4 vertically)</translation>
    </message>
    <message>
        <source>Спит, пока игрок дальше, чем (клеток):</source>
        <translation>Sleeps while the player is farther than (cells):</translation>
    </message>
    <message>
        <source>Охотник: поворачивается к игроку и стреляет (иначе взрывается при касании)</source>
        <translation>Hunter: turns to the player and shoots (otherwise explodes on touch)</translation>
    </message>
    <message>
        <source>Картинка выстрела:</source>
        <translation>Shot picture:</translation>
    </message>
    <message>
        <source>Задержка выстрела (в игре всегда 30 тиков):</source>
        <translation>Shot delay (always 30 ticks in the game):</translation>
    </message>
    <message>
        <source>Скорость анимации:</source>
        <translation>Animation speed:</translation>
    </message>
    <message>
        <source>Кадры идут от первого к последнему, по убыванию, если последний меньше. Ходьба и поворот к игроку повторяются; ранение и смерть играют один раз и кончаются перед последним номером (он может быть на один больше последнего кадра картинки). Смерть без кадров (первый = последний) убирает монстра сразу.</source>
        <translation>Frames run from the first to the last, downwards if the last is smaller. Walking and facing the player repeat; wounded and dying play once and end before the last number (it may be one more than the picture&apos;s last frame). Dying without frames (first = last) removes the monster at once.</translation>
    </message>
    <message>
        <source>Состояние (показать)</source>
        <translation>State (show)</translation>
    </message>
    <message>
        <source>первый</source>
        <translation>first</translation>
    </message>
    <message>
        <source>последний</source>
        <translation>last</translation>
    </message>
    <message>
        <source>Просмотр</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Все состояния по очереди</source>
        <translation>All states in turn</translation>
    </message>
    <message>
        <source>Кадры меняются с той же скоростью, что и в игре (тик 14 мс).</source>
        <translation>Frames change at the same speed as in the game (tick 14 ms).</translation>
    </message>
    <message>
        <source>здоровье</source>
        <translation>health</translation>
    </message>
    <message>
        <source>урон</source>
        <translation>damage</translation>
    </message>
    <message>
        <source>скорость ходьбы</source>
        <translation>walking speed</translation>
    </message>
    <message>
        <source>расстояние пробуждения</source>
        <translation>wake distance</translation>
    </message>
    <message>
        <source>прыжки</source>
        <translation>jumping</translation>
    </message>
    <message>
        <source>пробуждение</source>
        <translation>waking</translation>
    </message>
    <message>
        <source>охотник</source>
        <translation>hunter</translation>
    </message>
    <message>
        <source>кадры состояния</source>
        <translation>state frames</translation>
    </message>
    <message>
        <source>скорость анимации</source>
        <translation>animation speed</translation>
    </message>
    <message>
        <source>способ движения</source>
        <translation>movement</translation>
    </message>
    <message>
        <source>имя</source>
        <translation>name</translation>
    </message>
    <message>
        <source>картинка выстрела</source>
        <translation>shot picture</translation>
    </message>
    <message>
        <source>  (не действует: выше есть это имя)</source>
        <translation>  (inactive: this name is above)</translation>
    </message>
    <message>
        <source>  (и для неизвестных имён)</source>
        <translation>  (also for unknown names)</translation>
    </message>
    <message>
        <source>Записей нет: «Добавить» создаёт первую.</source>
        <translation>No records: «Add» creates the first one.</translation>
    </message>
    <message>
        <source> (нет среди монстров библиотеки)</source>
        <translation> (not among the library&apos;s monsters)</translation>
    </message>
    <message>
        <source>= %1 пикс. за тик</source>
        <translation>= %1 px per tick</translation>
    </message>
    <message>
        <source>ходит, не сходя с края (значение %1)</source>
        <translation>walks without stepping off an edge (value %1)</translation>
    </message>
    <message>
        <source>(нет: не стреляет)</source>
        <translation>(none: does not shoot)</translation>
    </message>
    <message>
        <source> (нет в библиотеке: не стреляет)</source>
        <translation> (not in the library: does not shoot)</translation>
    </message>
    <message>
        <source>= %1 кадра за тик</source>
        <translation>= %1 frames per tick</translation>
    </message>
    <message>
        <source>Имя: в библиотеке нет объекта-монстра с этим именем, запись ни к чему не относится.</source>
        <translation>Name: the library has no monster object with this name; the record applies to nothing.</translation>
    </message>
    <message>
        <source>Имя: в библиотеке нет картинки с этим именем; такой монстр не появится в просмотре.</source>
        <translation>Name: the library has no picture with this name; such a monster will not appear in the preview.</translation>
    </message>
    <message>
        <source>нижняя граница выше верхней</source>
        <translation>the lower bound is above the upper one</translation>
    </message>
    <message>
        <source>допустимо от %1 до %2</source>
        <translation>allowed from %1 to %2</translation>
    </message>
    <message>
        <source>номера кадров вне картинки (у неё кадры от 0 до %1)</source>
        <translation>frame numbers outside the picture (its frames are 0 to %1)</translation>
    </message>
    <message>
        <source>Монстры: %1[*]</source>
        <translation>Monsters: %1[*]</translation>
    </message>
    <message>
        <source>нет картинки</source>
        <translation>no picture</translation>
    </message>
    <message>
        <source>%1
кадр %2 из %3 (0..%4)</source>
        <translation>%1
frame %2 of %3 (0..%4)</translation>
    </message>
    <message>
        <source>новый монстр</source>
        <translation>new monster</translation>
    </message>
    <message>
        <source>копия монстра</source>
        <translation>duplicating the monster</translation>
    </message>
    <message>
        <source>Сохранить изменения в файле монстров?</source>
        <translation>Save the changes to the monster file?</translation>
    </message>
    <message>
        <source>Монстры</source>
        <translation>Monsters</translation>
    </message>
</context>
<context>
    <name>kestrilo::TPlanesPanel</name>
    <message>
        <source>Планы</source>
        <translation>Planes</translation>
    </message>
    <message>
        <source>Виден</source>
        <translation>Shown</translation>
    </message>
    <message>
        <source>Заблокирован</source>
        <translation>Locked</translation>
    </message>
    <message>
        <source>Показывать %1 при правке</source>
        <translation>Show the %1 while editing</translation>
    </message>
    <message>
        <source>Запретить правку: %1</source>
        <translation>No edits on the %1</translation>
    </message>
    <message>
        <source>Приглушить остальные планы</source>
        <translation>Dim the other planes</translation>
    </message>
    <message>
        <source>Текущий план (ось Z) виден ярко, остальные — темнее</source>
        <translation>The current plane (the Z axis) is shown bright, the others darker</translation>
    </message>
</context>
<context>
    <name>kestrilo::TPropertiesPanel</name>
    <message>
        <source>Свойства объекта</source>
        <translation>Object properties</translation>
    </message>
    <message>
        <source>Объект:</source>
        <translation>Object:</translation>
    </message>
    <message>
        <source>Тип:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>Клетка:</source>
        <translation>Cell:</translation>
    </message>
    <message>
        <source>Размер:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>Ось Z:</source>
        <translation>Z axis:</translation>
    </message>
    <message>
        <source>Высота лифта:</source>
        <translation>Lift height:</translation>
    </message>
    <message>
        <source>Код ключа:</source>
        <translation>Key code:</translation>
    </message>
    <message>
        <source>Заменить на:</source>
        <translation>Replace by:</translation>
    </message>
    <message>
        <source>Здесь нет объекта ни на одном плане</source>
        <translation>No object here on any plane</translation>
    </message>
    <message>
        <source>Alt+щелчок по объекту показывает его свойства</source>
        <translation>Alt+click an object to show its properties</translation>
    </message>
    <message>
        <source>%1 (№ %2)</source>
        <translation>%1 (No. %2)</translation>
    </message>
    <message>
        <source>столбец %1, строка %2</source>
        <translation>column %1, row %2</translation>
    </message>
    <message>
        <source>%1 × %2 клеток</source>
        <translation>%1 × %2 cells</translation>
    </message>
</context>
<context>
    <name>kestrilo::TRecentLevelsMenu</name>
    <message>
        <source>Последние уровни</source>
        <translation>Recent levels</translation>
    </message>
    <message>
        <source>(пусто)</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>Файл %1 не найден и убран из списка последних уровней.</source>
        <translation>The file %1 was not found and has been removed from the recent levels.</translation>
    </message>
</context>
</TS>
