<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>AboutBox</name>
    <message>
        <source>About Kalvenor</source>
        <translation>O programie Kalvenor</translation>
    </message>
    <message>
        <source>Kalvenor Version %1</source>
        <translation>Kalvenor, wersja %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>AppTexts</name>
    <message>
        <source>Failed to launch help.</source>
        <translation>Nie udało się otworzyć pomocy.</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Log files (*.log)</source>
        <translation>Pliki dziennika (*.log)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Wszystkie pliki (*)</translation>
    </message>
</context>
<context>
    <name>FileMenu</name>
    <message>
        <source>Undo from &amp;Log File…</source>
        <translation>Cofnij z pliku &amp;dziennika…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Zakończ</translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>Reading…</source>
        <translation>Wczytywanie…</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Komputer</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Katalog domowy</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Sieć</translation>
    </message>
    <message>
        <source>File System (%1)</source>
        <extracomment>The volume that holds &quot;/&quot;, with its mount point.</extracomment>
        <translation>System plików (%1)</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help on Kalvenor</source>
        <translation>&amp;Pomoc programu Kalvenor</translation>
    </message>
    <message>
        <source>&amp;About Kalvenor...</source>
        <translation>&amp;O programie Kalvenor…</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Kalvenor Help</source>
        <translation>Pomoc programu Kalvenor</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Untitled</source>
        <translation>Bez tytułu</translation>
    </message>
    <message>
        <source>&amp;Prefix</source>
        <translation>Prz&amp;edrostek</translation>
    </message>
    <message>
        <source>P&amp;ostfix</source>
        <translation>Prz&amp;yrostek</translation>
    </message>
    <message>
        <source>&amp;Alphanumeric</source>
        <translation>&amp;Alfanumerycznie</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Data</translation>
    </message>
    <message>
        <source>File &amp;Type</source>
        <translation>&amp;Typ pliku</translation>
    </message>
    <message>
        <source>Date Ta&amp;ken</source>
        <translation>Data &amp;wykonania</translation>
    </message>
    <message>
        <source>Ascend&amp;ing</source>
        <translation>&amp;Rosnąco</translation>
    </message>
    <message>
        <source>Fill &amp;gaps in numbers</source>
        <translation>Wypełniaj luki w &amp;numeracji</translation>
    </message>
    <message>
        <source>&amp;Number photo sets as one</source>
        <translation>Numeruj zestawy zdjęć &amp;jako całość</translation>
    </message>
    <message>
        <source>Lea&amp;ve hidden files alone</source>
        <translation>Nie zmieniaj nazw plików &amp;ukrytych</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Prze&amp;glądaj…</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Kontynuuj</translation>
    </message>
    <message>
        <source>&amp;Undo Last</source>
        <translation>Co&amp;fnij ostatnie</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>Po&amp;moc</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Zakończ</translation>
    </message>
    <message>
        <source>&amp;Refresh -&gt;</source>
        <translation>&amp;Odśwież -&gt;</translation>
    </message>
    <message>
        <source>Select folder to kalvenor</source>
        <translation>Wybierz katalog do ponumerowania</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Wyniki</translation>
    </message>
    <message>
        <source>Base Na&amp;me</source>
        <translation>Nazwa &amp;bazowa</translation>
    </message>
    <message>
        <source>Base Inde&amp;x</source>
        <translation>&amp;Indeks bazowy</translation>
    </message>
    <message>
        <source>Index Position</source>
        <translation>Pozycja indeksu</translation>
    </message>
    <message>
        <source>Presort Type</source>
        <translation>Wstępne sortowanie</translation>
    </message>
    <message>
        <source>&amp;Log File</source>
        <translation>P&amp;lik dziennika</translation>
    </message>
    <message>
        <source>Base Name</source>
        <translation>Nazwa bazowa</translation>
    </message>
    <message>
        <source>Base Index</source>
        <translation>Indeks bazowy</translation>
    </message>
    <message>
        <source>Log File</source>
        <translation>Plik dziennika</translation>
    </message>
    <message>
        <source>Selected folder</source>
        <translation>Wybrany katalog</translation>
    </message>
    <message>
        <source>On: numbers left free between those already in use are given first. Off: numbering goes on after the highest number in use.</source>
        <translation>Włączone: wolne numery między już używanymi są nadawane w pierwszej kolejności. Wyłączone: numeracja jest kontynuowana od najwyższego używanego numeru.</translation>
    </message>
    <message>
        <source>On: the files of one picture (a raw file, its JPEG, their sidecars, a Live Photo&apos;s still and film) share one number.</source>
        <translation>Włączone: pliki jednego zdjęcia (plik RAW, jego JPEG, ich pliki pomocnicze, obraz i film z Live Photo) mają wspólny numer.</translation>
    </message>
    <message>
        <source>On: hidden files (names beginning with a dot, Thumbs.db, desktop.ini, .DS_Store) keep their names. Off: they are numbered like every other file.</source>
        <translation>Włączone: pliki ukryte (nazwy zaczynające się od kropki, Thumbs.db, desktop.ini, .DS_Store) zachowują swoje nazwy. Wyłączone: są numerowane jak każdy inny plik.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Pomo&amp;c</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Nothing to undo.</source>
        <translation>Nie ma nic do cofnięcia.</translation>
    </message>
    <message>
        <source>Cannot undo from log file %1: %2.</source>
        <translation>Nie można cofnąć z pliku dziennika %1: %2.</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 plik</translation>
    </message>
    <message>
        <source>Rename %1 of the batch of %2 back to the names they had before it?</source>
        <translation>Przywrócić poprzednie nazwy plików z partii z %2 (%1)?</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n plik</numerusform>
            <numerusform>%n pliki</numerusform>
            <numerusform>%n plików</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Reading the folder…</source>
        <translation>Odczytywanie katalogu…</translation>
    </message>
    <message>
        <source>Reading capture times…</source>
        <translation>Odczytywanie czasów wykonania…</translation>
    </message>
    <message>
        <source>Renaming files…</source>
        <translation>Zmienianie nazw plików…</translation>
    </message>
    <message>
        <source>Renaming files back…</source>
        <translation>Przywracanie poprzednich nazw…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Zatrzymywanie…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>%v of %m files</source>
        <translation>%v z %m plików</translation>
    </message>
    <message>
        <source>Files done</source>
        <translation>Przetworzone pliki</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 -&gt; Not Renamed</source>
        <extracomment>A file whose name is already in the series: its name, then this.</extracomment>
        <translation>%1 -&gt; Bez zmiany nazwy</translation>
    </message>
    <message>
        <source>Index exceeds limit.</source>
        <translation>Indeks przekracza limit.</translation>
    </message>
    <message>
        <source>Click Continue to do the above.</source>
        <translation>Kliknij Kontynuuj, aby wykonać powyższe.</translation>
    </message>
    <message>
        <source>Operations complete.</source>
        <translation>Operacje zakończone.</translation>
    </message>
    <message>
        <source>File count exceeds %1.</source>
        <translation>Liczba plików przekracza %1.</translation>
    </message>
    <message>
        <source>Stopped before %1.</source>
        <translation>Zatrzymano przed %1.</translation>
    </message>
    <message>
        <source>Rename error: %1</source>
        <extracomment>%1 is the cause, such as &quot;access denied.&quot;</extracomment>
        <translation>Błąd zmiany nazwy: %1</translation>
    </message>
    <message>
        <source>Cannot open log file.</source>
        <translation>Nie można otworzyć pliku dziennika.</translation>
    </message>
    <message>
        <source>Cannot write to log file %1.</source>
        <translation>Nie można zapisać do pliku dziennika %1.</translation>
    </message>
    <message>
        <source>users other than its owner may write to it</source>
        <extracomment>Why a log is not undone from: &quot;Cannot undo from log file X: &lt;this&gt;.&quot;</extracomment>
        <translation>mogą do niego pisać inni użytkownicy niż jego właściciel</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>należy do innego użytkownika</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>to nie jest zwykły plik</translation>
    </message>
    <message>
        <source>line %1 is longer than any line of a log</source>
        <translation>wiersz %1 jest dłuższy niż jakikolwiek wiersz dziennika</translation>
    </message>
    <message>
        <source>line %1 is not a rename line</source>
        <translation>wiersz %1 nie jest wierszem zmiany nazwy</translation>
    </message>
    <message>
        <source>line %1 is not an undo line</source>
        <translation>wiersz %1 nie jest wierszem cofnięcia</translation>
    </message>
    <message>
        <source>line %1 holds a broken escape</source>
        <translation>wiersz %1 zawiera błędną sekwencję ucieczki</translation>
    </message>
    <message>
        <source>none given.</source>
        <translation>nie podano.</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>nie znaleziono pliku.</translation>
    </message>
    <message>
        <source>bad path.</source>
        <translation>nieprawidłowa ścieżka.</translation>
    </message>
    <message>
        <source>too many open files.</source>
        <translation>zbyt wiele otwartych plików.</translation>
    </message>
    <message>
        <source>access denied.</source>
        <translation>odmowa dostępu.</translation>
    </message>
    <message>
        <source>hardware error.</source>
        <translation>błąd sprzętowy.</translation>
    </message>
    <message>
        <source>sharing violation.</source>
        <translation>naruszenie zasad udostępniania.</translation>
    </message>
    <message>
        <source>unspecified.</source>
        <translation>nieokreślony błąd.</translation>
    </message>
    <message>
        <source>Files without a capture time, ordered by their file time: %1</source>
        <translation>Pliki bez czasu wykonania uporządkowane według czasu pliku: %1</translation>
    </message>
</context>
</TS>
