<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>AboutBox</name>
    <message>
        <source>About Kalvenor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kalvenor Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileMenu</name>
    <message>
        <source>Undo from &amp;Log File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>Reading…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File System (%1)</source>
        <extracomment>The volume that holds &quot;/&quot;, with its mount point.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help on Kalvenor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Kalvenor...</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Prefix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;ostfix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Alphanumeric</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File &amp;Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date Ta&amp;ken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ascend&amp;ing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill &amp;gaps in numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Number photo sets as one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lea&amp;ve hidden files alone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo Last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh -&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select folder to kalvenor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base Na&amp;me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base Inde&amp;x</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Presort Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Log File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Base Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On: numbers left free between those already in use are given first. Off: numbering goes on after the highest number in use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On: the files of one picture (a raw file, its JPEG, their sidecars, a Live Photo&apos;s still and film) share one number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On: hidden files (names beginning with a dot, Thumbs.db, desktop.ini, .DS_Store) keep their names. Off: they are numbered like every other file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Nothing to undo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot undo from log file %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename %1 of the batch of %2 back to the names they had before it?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Reading the folder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading capture times…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renaming files…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Renaming files back…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%v of %m files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 -&gt; Not Renamed</source>
        <extracomment>A file whose name is already in the series: its name, then this.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index exceeds limit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click Continue to do the above.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operations complete.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File count exceeds %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped before %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename error: %1</source>
        <extracomment>%1 is the cause, such as &quot;access denied.&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open log file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write to log file %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>users other than its owner may write to it</source>
        <extracomment>Why a log is not undone from: &quot;Cannot undo from log file X: &lt;this&gt;.&quot;</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 is longer than any line of a log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 is not a rename line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 is not an undo line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1 holds a broken escape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none given.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bad path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>too many open files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>access denied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>hardware error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sharing violation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unspecified.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files without a capture time, ordered by their file time: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
