<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AboutBox</name>
    <message>
        <source>About Kalvenor</source>
        <translation>Über Kalvenor</translation>
    </message>
    <message>
        <source>Kalvenor Version %1</source>
        <translation>Kalvenor, Version %1</translation>
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
        <translation>Die Hilfe konnte nicht geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Log files (*.log)</source>
        <translation>Protokolldateien (*.log)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>FileMenu</name>
    <message>
        <source>Undo from &amp;Log File…</source>
        <translation>Aus &amp;Protokolldatei rückgängig machen …</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>Reading…</source>
        <translation>Wird gelesen …</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Persönlicher Ordner</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>File System (%1)</source>
        <extracomment>The volume that holds &quot;/&quot;, with its mount point.</extracomment>
        <translation>Dateisystem (%1)</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help on Kalvenor</source>
        <translation>&amp;Hilfe zu Kalvenor</translation>
    </message>
    <message>
        <source>&amp;About Kalvenor...</source>
        <translation>Ü&amp;ber Kalvenor …</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Kalvenor Help</source>
        <translation>Kalvenor-Hilfe</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>&amp;Prefix</source>
        <translation>&amp;Präfix</translation>
    </message>
    <message>
        <source>P&amp;ostfix</source>
        <translation>Suffi&amp;x</translation>
    </message>
    <message>
        <source>&amp;Alphanumeric</source>
        <translation>&amp;Alphanumerisch</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>Da&amp;tum</translation>
    </message>
    <message>
        <source>File &amp;Type</source>
        <translation>Dateit&amp;yp</translation>
    </message>
    <message>
        <source>Date Ta&amp;ken</source>
        <translation>A&amp;ufnahmedatum</translation>
    </message>
    <message>
        <source>Ascend&amp;ing</source>
        <translation>Aufstei&amp;gend</translation>
    </message>
    <message>
        <source>Fill &amp;gaps in numbers</source>
        <translation>&amp;Lücken in der Nummerierung füllen</translation>
    </message>
    <message>
        <source>&amp;Number photo sets as one</source>
        <translation>Fotogruppen als Einheit &amp;nummerieren</translation>
    </message>
    <message>
        <source>Lea&amp;ve hidden files alone</source>
        <translation>&amp;Versteckte Dateien nicht umbenennen</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Dur&amp;chsuchen …</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Fortfahren</translation>
    </message>
    <message>
        <source>&amp;Undo Last</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>Hilf&amp;e</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Refresh -&gt;</source>
        <translation>A&amp;ktualisieren -&gt;</translation>
    </message>
    <message>
        <source>Select folder to kalvenor</source>
        <translation>Ordner zum Nummerieren wählen</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
    <message>
        <source>Base Na&amp;me</source>
        <translation>Basisna&amp;me</translation>
    </message>
    <message>
        <source>Base Inde&amp;x</source>
        <translation>Bas&amp;isindex</translation>
    </message>
    <message>
        <source>Index Position</source>
        <translation>Indexposition</translation>
    </message>
    <message>
        <source>Presort Type</source>
        <translation>Vorsortierung</translation>
    </message>
    <message>
        <source>&amp;Log File</source>
        <translation>Pr&amp;otokolldatei</translation>
    </message>
    <message>
        <source>Base Name</source>
        <translation>Basisname</translation>
    </message>
    <message>
        <source>Base Index</source>
        <translation>Basisindex</translation>
    </message>
    <message>
        <source>Log File</source>
        <translation>Protokolldatei</translation>
    </message>
    <message>
        <source>Selected folder</source>
        <translation>Gewählter Ordner</translation>
    </message>
    <message>
        <source>On: numbers left free between those already in use are given first. Off: numbering goes on after the highest number in use.</source>
        <translation>Ein: Nummern, die zwischen den schon vergebenen frei sind, werden zuerst vergeben. Aus: Die Nummerierung wird nach der höchsten vergebenen Nummer fortgesetzt.</translation>
    </message>
    <message>
        <source>On: the files of one picture (a raw file, its JPEG, their sidecars, a Live Photo&apos;s still and film) share one number.</source>
        <translation>Ein: Die Dateien eines Bildes (eine RAW-Datei, ihr JPEG, ihre Sidecar-Dateien, Standbild und Film eines Live Photos) erhalten eine gemeinsame Nummer.</translation>
    </message>
    <message>
        <source>On: hidden files (names beginning with a dot, Thumbs.db, desktop.ini, .DS_Store) keep their names. Off: they are numbered like every other file.</source>
        <translation>Ein: Versteckte Dateien (Namen, die mit einem Punkt beginnen, Thumbs.db, desktop.ini, .DS_Store) behalten ihre Namen. Aus: Sie werden wie jede andere Datei nummeriert.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Nothing to undo.</source>
        <translation>Es gibt nichts rückgängig zu machen.</translation>
    </message>
    <message>
        <source>Cannot undo from log file %1: %2.</source>
        <translation>Aus der Protokolldatei %1 kann nichts rückgängig gemacht werden: %2.</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 Datei</translation>
    </message>
    <message>
        <source>Rename %1 of the batch of %2 back to the names they had before it?</source>
        <translation>Den Dateien des Durchgangs vom %2 (%1) wieder ihre vorherigen Namen geben?</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n Datei</numerusform>
            <numerusform>%n Dateien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Reading the folder…</source>
        <translation>Ordner wird gelesen …</translation>
    </message>
    <message>
        <source>Reading capture times…</source>
        <translation>Aufnahmezeiten werden gelesen …</translation>
    </message>
    <message>
        <source>Renaming files…</source>
        <translation>Dateien werden umbenannt …</translation>
    </message>
    <message>
        <source>Renaming files back…</source>
        <translation>Vorherige Namen werden wiederhergestellt …</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Wird angehalten …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%v of %m files</source>
        <translation>%v von %m Dateien</translation>
    </message>
    <message>
        <source>Files done</source>
        <translation>Erledigte Dateien</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 -&gt; Not Renamed</source>
        <extracomment>A file whose name is already in the series: its name, then this.</extracomment>
        <translation>%1 -&gt; nicht umbenannt</translation>
    </message>
    <message>
        <source>Index exceeds limit.</source>
        <translation>Der Index überschreitet die Obergrenze.</translation>
    </message>
    <message>
        <source>Click Continue to do the above.</source>
        <translation>Klicken Sie auf „Fortfahren“, um den obigen Plan auszuführen.</translation>
    </message>
    <message>
        <source>Operations complete.</source>
        <translation>Alle Vorgänge abgeschlossen.</translation>
    </message>
    <message>
        <source>File count exceeds %1.</source>
        <translation>Die Anzahl der Dateien übersteigt %1.</translation>
    </message>
    <message>
        <source>Stopped before %1.</source>
        <translation>Angehalten vor %1.</translation>
    </message>
    <message>
        <source>Rename error: %1</source>
        <extracomment>%1 is the cause, such as &quot;access denied.&quot;</extracomment>
        <translation>Fehler beim Umbenennen: %1</translation>
    </message>
    <message>
        <source>Cannot open log file.</source>
        <translation>Die Protokolldatei kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Cannot write to log file %1.</source>
        <translation>In die Protokolldatei %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>users other than its owner may write to it</source>
        <extracomment>Why a log is not undone from: &quot;Cannot undo from log file X: &lt;this&gt;.&quot;</extracomment>
        <translation>außer ihrem Besitzer dürfen auch andere Benutzer in sie schreiben</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>sie gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>sie ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>line %1 is longer than any line of a log</source>
        <translation>Zeile %1 ist länger als jede Zeile eines Protokolls</translation>
    </message>
    <message>
        <source>line %1 is not a rename line</source>
        <translation>Zeile %1 ist keine Umbenennungszeile</translation>
    </message>
    <message>
        <source>line %1 is not an undo line</source>
        <translation>Zeile %1 ist keine Rücknahmezeile</translation>
    </message>
    <message>
        <source>line %1 holds a broken escape</source>
        <translation>Zeile %1 enthält eine fehlerhafte Escape-Sequenz</translation>
    </message>
    <message>
        <source>none given.</source>
        <translation>keine Angabe.</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>Datei nicht gefunden.</translation>
    </message>
    <message>
        <source>bad path.</source>
        <translation>ungültiger Pfad.</translation>
    </message>
    <message>
        <source>too many open files.</source>
        <translation>zu viele offene Dateien.</translation>
    </message>
    <message>
        <source>access denied.</source>
        <translation>Zugriff verweigert.</translation>
    </message>
    <message>
        <source>hardware error.</source>
        <translation>Hardwarefehler.</translation>
    </message>
    <message>
        <source>sharing violation.</source>
        <translation>Freigabeverletzung.</translation>
    </message>
    <message>
        <source>unspecified.</source>
        <translation>unbekannter Fehler.</translation>
    </message>
    <message>
        <source>Files without a capture time, ordered by their file time: %1</source>
        <translation>Dateien ohne Aufnahmezeit, nach ihrer Dateizeit eingeordnet: %1</translation>
    </message>
</context>
</TS>
