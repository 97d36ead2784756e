<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl">
<context>
    <name>AboutBox</name>
    <message>
        <source>About Kalvenor</source>
        <translation>Over Kalvenor</translation>
    </message>
    <message>
        <source>Kalvenor Version %1</source>
        <translation>Kalvenor versie %1</translation>
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
        <translation>Kan de Help niet openen.</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Log files (*.log)</source>
        <translation>Logbestanden (*.log)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle bestanden (*)</translation>
    </message>
</context>
<context>
    <name>FileMenu</name>
    <message>
        <source>Undo from &amp;Log File…</source>
        <translation>Ongedaan maken vanuit &amp;logbestand…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Afsluiten</translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>Reading…</source>
        <translation>Bezig met lezen…</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Persoonlijke map</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netwerk</translation>
    </message>
    <message>
        <source>File System (%1)</source>
        <extracomment>The volume that holds &quot;/&quot;, with its mount point.</extracomment>
        <translation>Bestandssysteem (%1)</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help on Kalvenor</source>
        <translation>&amp;Help bij Kalvenor</translation>
    </message>
    <message>
        <source>&amp;About Kalvenor...</source>
        <translation>&amp;Over Kalvenor…</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Kalvenor Help</source>
        <translation>Help bij Kalvenor</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Untitled</source>
        <translation>Naamloos</translation>
    </message>
    <message>
        <source>&amp;Prefix</source>
        <translation>&amp;Voorvoegsel</translation>
    </message>
    <message>
        <source>P&amp;ostfix</source>
        <translation>A&amp;chtervoegsel</translation>
    </message>
    <message>
        <source>&amp;Alphanumeric</source>
        <translation>Alfan&amp;umeriek</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>Da&amp;tum</translation>
    </message>
    <message>
        <source>File &amp;Type</source>
        <translation>Bestandst&amp;ype</translation>
    </message>
    <message>
        <source>Date Ta&amp;ken</source>
        <translation>&amp;Opnamedatum</translation>
    </message>
    <message>
        <source>Ascend&amp;ing</source>
        <translation>O&amp;plopend</translation>
    </message>
    <message>
        <source>Fill &amp;gaps in numbers</source>
        <translation>&amp;Gaten in nummering opvullen</translation>
    </message>
    <message>
        <source>&amp;Number photo sets as one</source>
        <translation>&amp;Fotosets als één geheel nummeren</translation>
    </message>
    <message>
        <source>Lea&amp;ve hidden files alone</source>
        <translation>Verborgen bestanden &amp;niet hernoemen</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Blade&amp;ren…</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Doorgaan</translation>
    </message>
    <message>
        <source>&amp;Undo Last</source>
        <translation>Laatste ongedaan &amp;maken</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>H&amp;elp</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Afsluiten</translation>
    </message>
    <message>
        <source>&amp;Refresh -&gt;</source>
        <translation>Vernieu&amp;wen -&gt;</translation>
    </message>
    <message>
        <source>Select folder to kalvenor</source>
        <translation>Kies de map om te nummeren</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Resultaten</translation>
    </message>
    <message>
        <source>Base Na&amp;me</source>
        <translation>Bas&amp;isnaam</translation>
    </message>
    <message>
        <source>Base Inde&amp;x</source>
        <translation>Basisinde&amp;x</translation>
    </message>
    <message>
        <source>Index Position</source>
        <translation>Indexpositie</translation>
    </message>
    <message>
        <source>Presort Type</source>
        <translation>Voorsortering</translation>
    </message>
    <message>
        <source>&amp;Log File</source>
        <translation>&amp;Logbestand</translation>
    </message>
    <message>
        <source>Base Name</source>
        <translation>Basisnaam</translation>
    </message>
    <message>
        <source>Base Index</source>
        <translation>Basisindex</translation>
    </message>
    <message>
        <source>Log File</source>
        <translation>Logbestand</translation>
    </message>
    <message>
        <source>Selected folder</source>
        <translation>Gekozen map</translation>
    </message>
    <message>
        <source>On: numbers left free between those already in use are given first. Off: numbering goes on after the highest number in use.</source>
        <translation>Aan: vrije nummers tussen de al gebruikte worden eerst uitgedeeld. Uit: de nummering gaat verder na het hoogste gebruikte nummer.</translation>
    </message>
    <message>
        <source>On: the files of one picture (a raw file, its JPEG, their sidecars, a Live Photo&apos;s still and film) share one number.</source>
        <translation>Aan: de bestanden van één opname (een RAW-bestand, de JPEG ervan, hun sidecarbestanden, de foto en de video van een Live Photo) krijgen samen één nummer.</translation>
    </message>
    <message>
        <source>On: hidden files (names beginning with a dot, Thumbs.db, desktop.ini, .DS_Store) keep their names. Off: they are numbered like every other file.</source>
        <translation>Aan: verborgen bestanden (namen die met een punt beginnen, Thumbs.db, desktop.ini, .DS_Store) houden hun naam. Uit: ze worden genummerd zoals elk ander bestand.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Bestand</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Nothing to undo.</source>
        <translation>Er is niets om ongedaan te maken.</translation>
    </message>
    <message>
        <source>Cannot undo from log file %1: %2.</source>
        <translation>Kan niet ongedaan maken vanuit logbestand %1: %2.</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 bestand</translation>
    </message>
    <message>
        <source>Rename %1 of the batch of %2 back to the names they had before it?</source>
        <translation>De bestanden van de batch van %2 (%1) hun vorige namen teruggeven?</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n bestand</numerusform>
            <numerusform>%n bestanden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Reading the folder…</source>
        <translation>Map wordt gelezen…</translation>
    </message>
    <message>
        <source>Reading capture times…</source>
        <translation>Opnametijden worden gelezen…</translation>
    </message>
    <message>
        <source>Renaming files…</source>
        <translation>Bestanden worden hernoemd…</translation>
    </message>
    <message>
        <source>Renaming files back…</source>
        <translation>Vorige namen worden teruggezet…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Bezig met stoppen…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>%v of %m files</source>
        <translation>%v van %m bestanden</translation>
    </message>
    <message>
        <source>Files done</source>
        <translation>Verwerkte bestanden</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 -&gt; Not Renamed</source>
        <extracomment>A file whose name is already in the series: its name, then this.</extracomment>
        <translation>%1 -&gt; Niet hernoemd</translation>
    </message>
    <message>
        <source>Index exceeds limit.</source>
        <translation>Index overschrijdt de grens.</translation>
    </message>
    <message>
        <source>Click Continue to do the above.</source>
        <translation>Klik op Doorgaan om het bovenstaande uit te voeren.</translation>
    </message>
    <message>
        <source>Operations complete.</source>
        <translation>Bewerkingen voltooid.</translation>
    </message>
    <message>
        <source>File count exceeds %1.</source>
        <translation>Aantal bestanden overschrijdt %1.</translation>
    </message>
    <message>
        <source>Stopped before %1.</source>
        <translation>Gestopt vóór %1.</translation>
    </message>
    <message>
        <source>Rename error: %1</source>
        <extracomment>%1 is the cause, such as &quot;access denied.&quot;</extracomment>
        <translation>Fout bij hernoemen: %1</translation>
    </message>
    <message>
        <source>Cannot open log file.</source>
        <translation>Kan logbestand niet openen.</translation>
    </message>
    <message>
        <source>Cannot write to log file %1.</source>
        <translation>Kan niet schrijven naar logbestand %1.</translation>
    </message>
    <message>
        <source>users other than its owner may write to it</source>
        <extracomment>Why a log is not undone from: &quot;Cannot undo from log file X: &lt;this&gt;.&quot;</extracomment>
        <translation>andere gebruikers dan de eigenaar mogen erin schrijven</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>het is van een andere gebruiker</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>het is geen gewoon bestand</translation>
    </message>
    <message>
        <source>line %1 is longer than any line of a log</source>
        <translation>regel %1 is langer dan elke regel van een logbestand</translation>
    </message>
    <message>
        <source>line %1 is not a rename line</source>
        <translation>regel %1 is geen hernoemregel</translation>
    </message>
    <message>
        <source>line %1 is not an undo line</source>
        <translation>regel %1 is geen regel van een terugdraaiing</translation>
    </message>
    <message>
        <source>line %1 holds a broken escape</source>
        <translation>regel %1 bevat een ongeldige escape</translation>
    </message>
    <message>
        <source>none given.</source>
        <translation>niet opgegeven.</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>bestand niet gevonden.</translation>
    </message>
    <message>
        <source>bad path.</source>
        <translation>ongeldig pad.</translation>
    </message>
    <message>
        <source>too many open files.</source>
        <translation>te veel geopende bestanden.</translation>
    </message>
    <message>
        <source>access denied.</source>
        <translation>toegang geweigerd.</translation>
    </message>
    <message>
        <source>hardware error.</source>
        <translation>hardwarefout.</translation>
    </message>
    <message>
        <source>sharing violation.</source>
        <translation>schending van gedeelde toegang.</translation>
    </message>
    <message>
        <source>unspecified.</source>
        <translation>onbekende fout.</translation>
    </message>
    <message>
        <source>Files without a capture time, ordered by their file time: %1</source>
        <translation>Bestanden zonder opnametijd, geordend op bestandstijd: %1</translation>
    </message>
</context>
</TS>
