<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>AboutBox</name>
    <message>
        <source>About Kalvenor</source>
        <translation>Informazioni su Kalvenor</translation>
    </message>
    <message>
        <source>Kalvenor Version %1</source>
        <translation>Kalvenor, versione %1</translation>
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
        <translation>Impossibile aprire la guida.</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Log files (*.log)</source>
        <translation>File di registro (*.log)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tutti i file (*)</translation>
    </message>
</context>
<context>
    <name>FileMenu</name>
    <message>
        <source>Undo from &amp;Log File…</source>
        <translation>Annulla dal file di &amp;registro…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Esci</translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>Reading…</source>
        <translation>Lettura…</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Cartella home</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Rete</translation>
    </message>
    <message>
        <source>File System (%1)</source>
        <extracomment>The volume that holds &quot;/&quot;, with its mount point.</extracomment>
        <translation>File system (%1)</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help on Kalvenor</source>
        <translation>&amp;Guida di Kalvenor</translation>
    </message>
    <message>
        <source>&amp;About Kalvenor...</source>
        <translation>&amp;Informazioni su Kalvenor…</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Kalvenor Help</source>
        <translation>Guida di Kalvenor</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Untitled</source>
        <translation>Senza titolo</translation>
    </message>
    <message>
        <source>&amp;Prefix</source>
        <translation>&amp;Prefisso</translation>
    </message>
    <message>
        <source>P&amp;ostfix</source>
        <translation>&amp;Suffisso</translation>
    </message>
    <message>
        <source>&amp;Alphanumeric</source>
        <translation>Alfanu&amp;merico</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Data</translation>
    </message>
    <message>
        <source>File &amp;Type</source>
        <translation>&amp;Tipo di file</translation>
    </message>
    <message>
        <source>Date Ta&amp;ken</source>
        <translation>Data ac&amp;quisizione</translation>
    </message>
    <message>
        <source>Ascend&amp;ing</source>
        <translation>Cr&amp;escente</translation>
    </message>
    <message>
        <source>Fill &amp;gaps in numbers</source>
        <translation>Riempi i vuoti nella numera&amp;zione</translation>
    </message>
    <message>
        <source>&amp;Number photo sets as one</source>
        <translation>Numera ogni gruppo di foto come un’unit&amp;à</translation>
    </message>
    <message>
        <source>Lea&amp;ve hidden files alone</source>
        <translation>&amp;Non rinominare i file nascosti</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Sfog&amp;lia…</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>A&amp;vvia</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Continua</translation>
    </message>
    <message>
        <source>&amp;Undo Last</source>
        <translation>Annulla &amp;ultimo</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>&amp;Guida</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>C&amp;hiudi</translation>
    </message>
    <message>
        <source>&amp;Refresh -&gt;</source>
        <translation>Aggi&amp;orna -&gt;</translation>
    </message>
    <message>
        <source>Select folder to kalvenor</source>
        <translation>Seleziona la cartella da numerare</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Risultati</translation>
    </message>
    <message>
        <source>Base Na&amp;me</source>
        <translation>Nome &amp;base</translation>
    </message>
    <message>
        <source>Base Inde&amp;x</source>
        <translation>&amp;Indice base</translation>
    </message>
    <message>
        <source>Index Position</source>
        <translation>Posizione dell’indice</translation>
    </message>
    <message>
        <source>Presort Type</source>
        <translation>Ordinamento preliminare</translation>
    </message>
    <message>
        <source>&amp;Log File</source>
        <translation>File di &amp;registro</translation>
    </message>
    <message>
        <source>Base Name</source>
        <translation>Nome base</translation>
    </message>
    <message>
        <source>Base Index</source>
        <translation>Indice base</translation>
    </message>
    <message>
        <source>Log File</source>
        <translation>File di registro</translation>
    </message>
    <message>
        <source>Selected folder</source>
        <translation>Cartella selezionata</translation>
    </message>
    <message>
        <source>On: numbers left free between those already in use are given first. Off: numbering goes on after the highest number in use.</source>
        <translation>Attiva: i numeri liberi tra quelli già in uso vengono assegnati per primi. Disattiva: la numerazione prosegue dopo il numero più alto in uso.</translation>
    </message>
    <message>
        <source>On: the files of one picture (a raw file, its JPEG, their sidecars, a Live Photo&apos;s still and film) share one number.</source>
        <translation>Attiva: i file di una stessa immagine (un file RAW, il suo JPEG, i loro file sidecar, la foto e il video di una Live Photo) condividono un numero.</translation>
    </message>
    <message>
        <source>On: hidden files (names beginning with a dot, Thumbs.db, desktop.ini, .DS_Store) keep their names. Off: they are numbered like every other file.</source>
        <translation>Attiva: i file nascosti (nomi che iniziano con un punto, Thumbs.db, desktop.ini, .DS_Store) mantengono il loro nome. Disattiva: vengono numerati come tutti gli altri file.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aiuto</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Nothing to undo.</source>
        <translation>Niente da annullare.</translation>
    </message>
    <message>
        <source>Cannot undo from log file %1: %2.</source>
        <translation>Impossibile annullare dal file di registro %1: %2.</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 file</translation>
    </message>
    <message>
        <source>Rename %1 of the batch of %2 back to the names they had before it?</source>
        <translation>Riportare i file del blocco del %2 (%1) ai nomi che avevano prima?</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n file</numerusform>
            <numerusform>%n file</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Reading the folder…</source>
        <translation>Lettura della cartella…</translation>
    </message>
    <message>
        <source>Reading capture times…</source>
        <translation>Lettura delle ore di scatto…</translation>
    </message>
    <message>
        <source>Renaming files…</source>
        <translation>Rinomina dei file…</translation>
    </message>
    <message>
        <source>Renaming files back…</source>
        <translation>Ripristino dei nomi precedenti…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Interruzione…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>%v of %m files</source>
        <translation>%v file su %m</translation>
    </message>
    <message>
        <source>Files done</source>
        <translation>File elaborati</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 -&gt; Not Renamed</source>
        <extracomment>A file whose name is already in the series: its name, then this.</extracomment>
        <translation>%1 -&gt; Non rinominato</translation>
    </message>
    <message>
        <source>Index exceeds limit.</source>
        <translation>L’indice supera il limite.</translation>
    </message>
    <message>
        <source>Click Continue to do the above.</source>
        <translation>Premi Continua per eseguire quanto sopra.</translation>
    </message>
    <message>
        <source>Operations complete.</source>
        <translation>Operazioni completate.</translation>
    </message>
    <message>
        <source>File count exceeds %1.</source>
        <translation>Il numero di file supera %1.</translation>
    </message>
    <message>
        <source>Stopped before %1.</source>
        <translation>Interrotto prima di %1.</translation>
    </message>
    <message>
        <source>Rename error: %1</source>
        <extracomment>%1 is the cause, such as &quot;access denied.&quot;</extracomment>
        <translation>Errore di rinomina: %1</translation>
    </message>
    <message>
        <source>Cannot open log file.</source>
        <translation>Impossibile aprire il file di registro.</translation>
    </message>
    <message>
        <source>Cannot write to log file %1.</source>
        <translation>Impossibile scrivere nel file di registro %1.</translation>
    </message>
    <message>
        <source>users other than its owner may write to it</source>
        <extracomment>Why a log is not undone from: &quot;Cannot undo from log file X: &lt;this&gt;.&quot;</extracomment>
        <translation>utenti diversi dal proprietario possono scriverci</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>appartiene a un altro utente</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>non è un file normale</translation>
    </message>
    <message>
        <source>line %1 is longer than any line of a log</source>
        <translation>la riga %1 è più lunga di qualsiasi riga di un registro</translation>
    </message>
    <message>
        <source>line %1 is not a rename line</source>
        <translation>la riga %1 non è una riga di rinomina</translation>
    </message>
    <message>
        <source>line %1 is not an undo line</source>
        <translation>la riga %1 non è una riga di annullamento</translation>
    </message>
    <message>
        <source>line %1 holds a broken escape</source>
        <translation>la riga %1 contiene una sequenza di escape non valida</translation>
    </message>
    <message>
        <source>none given.</source>
        <translation>non indicato.</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>file non trovato.</translation>
    </message>
    <message>
        <source>bad path.</source>
        <translation>percorso non valido.</translation>
    </message>
    <message>
        <source>too many open files.</source>
        <translation>troppi file aperti.</translation>
    </message>
    <message>
        <source>access denied.</source>
        <translation>accesso negato.</translation>
    </message>
    <message>
        <source>hardware error.</source>
        <translation>errore hardware.</translation>
    </message>
    <message>
        <source>sharing violation.</source>
        <translation>violazione di condivisione.</translation>
    </message>
    <message>
        <source>unspecified.</source>
        <translation>errore non specificato.</translation>
    </message>
    <message>
        <source>Files without a capture time, ordered by their file time: %1</source>
        <translation>File senza ora dello scatto, ordinati per data del file: %1</translation>
    </message>
</context>
</TS>
