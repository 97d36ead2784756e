<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AboutBox</name>
    <message>
        <source>About Kalvenor</source>
        <translation>Acerca de Kalvenor</translation>
    </message>
    <message>
        <source>Kalvenor Version %1</source>
        <translation>Kalvenor, versión %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>AppTexts</name>
    <message>
        <source>Failed to launch help.</source>
        <translation>No se pudo abrir la ayuda.</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Log files (*.log)</source>
        <translation>Archivos de registro (*.log)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
</context>
<context>
    <name>FileMenu</name>
    <message>
        <source>Undo from &amp;Log File…</source>
        <translation>Deshacer desde archivo de &amp;registro…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>Reading…</source>
        <translation>Leyendo…</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Equipo</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Carpeta personal</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>File System (%1)</source>
        <extracomment>The volume that holds &quot;/&quot;, with its mount point.</extracomment>
        <translation>Sistema de archivos (%1)</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help on Kalvenor</source>
        <translation>&amp;Ayuda de Kalvenor</translation>
    </message>
    <message>
        <source>&amp;About Kalvenor...</source>
        <translation>A&amp;cerca de Kalvenor…</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Kalvenor Help</source>
        <translation>Ayuda de Kalvenor</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Untitled</source>
        <translation>Sin título</translation>
    </message>
    <message>
        <source>&amp;Prefix</source>
        <translation>&amp;Prefijo</translation>
    </message>
    <message>
        <source>P&amp;ostfix</source>
        <translation>Sufi&amp;jo</translation>
    </message>
    <message>
        <source>&amp;Alphanumeric</source>
        <translation>A&amp;lfanumérico</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Fecha</translation>
    </message>
    <message>
        <source>File &amp;Type</source>
        <translation>&amp;Tipo de archivo</translation>
    </message>
    <message>
        <source>Date Ta&amp;ken</source>
        <translation>Fec&amp;ha de captura</translation>
    </message>
    <message>
        <source>Ascend&amp;ing</source>
        <translation>Asc&amp;endente</translation>
    </message>
    <message>
        <source>Fill &amp;gaps in numbers</source>
        <translation>&amp;Rellenar huecos en la numeración</translation>
    </message>
    <message>
        <source>&amp;Number photo sets as one</source>
        <translation>Nu&amp;merar conjuntos de fotos como uno solo</translation>
    </message>
    <message>
        <source>Lea&amp;ve hidden files alone</source>
        <translation>No renombrar los archivos &amp;ocultos</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>E&amp;xaminar…</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Iniciar</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Continuar</translation>
    </message>
    <message>
        <source>&amp;Undo Last</source>
        <translation>&amp;Deshacer último</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Refresh -&gt;</source>
        <translation>Actuali&amp;zar -&gt;</translation>
    </message>
    <message>
        <source>Select folder to kalvenor</source>
        <translation>Elige la carpeta que se va a numerar</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>Base Na&amp;me</source>
        <translation>&amp;Nombre base</translation>
    </message>
    <message>
        <source>Base Inde&amp;x</source>
        <translation>Índice &amp;base</translation>
    </message>
    <message>
        <source>Index Position</source>
        <translation>Posición del índice</translation>
    </message>
    <message>
        <source>Presort Type</source>
        <translation>Ordenación previa</translation>
    </message>
    <message>
        <source>&amp;Log File</source>
        <translation>Archi&amp;vo de registro</translation>
    </message>
    <message>
        <source>Base Name</source>
        <translation>Nombre base</translation>
    </message>
    <message>
        <source>Base Index</source>
        <translation>Índice base</translation>
    </message>
    <message>
        <source>Log File</source>
        <translation>Archivo de registro</translation>
    </message>
    <message>
        <source>Selected folder</source>
        <translation>Carpeta seleccionada</translation>
    </message>
    <message>
        <source>On: numbers left free between those already in use are given first. Off: numbering goes on after the highest number in use.</source>
        <translation>Activada: los números libres entre los ya usados se asignan primero. Desactivada: la numeración sigue después del número más alto en uso.</translation>
    </message>
    <message>
        <source>On: the files of one picture (a raw file, its JPEG, their sidecars, a Live Photo&apos;s still and film) share one number.</source>
        <translation>Activada: los archivos de una misma imagen (un archivo RAW, su JPEG, sus archivos sidecar, la foto fija y el vídeo de una Live Photo) comparten un número.</translation>
    </message>
    <message>
        <source>On: hidden files (names beginning with a dot, Thumbs.db, desktop.ini, .DS_Store) keep their names. Off: they are numbered like every other file.</source>
        <translation>Activada: los archivos ocultos (nombres que empiezan por un punto, Thumbs.db, desktop.ini, .DS_Store) conservan su nombre. Desactivada: se numeran como cualquier otro archivo.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Nothing to undo.</source>
        <translation>No hay nada que deshacer.</translation>
    </message>
    <message>
        <source>Cannot undo from log file %1: %2.</source>
        <translation>No se puede deshacer desde el archivo de registro %1: %2.</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 archivo</translation>
    </message>
    <message>
        <source>Rename %1 of the batch of %2 back to the names they had before it?</source>
        <translation>¿Devolver a los archivos del lote del %2 (%1) los nombres que tenían antes?</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n archivo</numerusform>
            <numerusform>%n archivos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Reading the folder…</source>
        <translation>Leyendo la carpeta…</translation>
    </message>
    <message>
        <source>Reading capture times…</source>
        <translation>Leyendo las horas de captura…</translation>
    </message>
    <message>
        <source>Renaming files…</source>
        <translation>Renombrando archivos…</translation>
    </message>
    <message>
        <source>Renaming files back…</source>
        <translation>Devolviendo los nombres anteriores…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Deteniendo…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%v of %m files</source>
        <translation>%v de %m archivos</translation>
    </message>
    <message>
        <source>Files done</source>
        <translation>Archivos procesados</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 -&gt; Not Renamed</source>
        <extracomment>A file whose name is already in the series: its name, then this.</extracomment>
        <translation>%1 -&gt; No renombrado</translation>
    </message>
    <message>
        <source>Index exceeds limit.</source>
        <translation>El índice supera el límite.</translation>
    </message>
    <message>
        <source>Click Continue to do the above.</source>
        <translation>Pulsa Continuar para llevar a cabo lo anterior.</translation>
    </message>
    <message>
        <source>Operations complete.</source>
        <translation>Operaciones completadas.</translation>
    </message>
    <message>
        <source>File count exceeds %1.</source>
        <translation>El número de archivos supera %1.</translation>
    </message>
    <message>
        <source>Stopped before %1.</source>
        <translation>Detenido antes de %1.</translation>
    </message>
    <message>
        <source>Rename error: %1</source>
        <extracomment>%1 is the cause, such as &quot;access denied.&quot;</extracomment>
        <translation>Error al renombrar: %1</translation>
    </message>
    <message>
        <source>Cannot open log file.</source>
        <translation>No se puede abrir el archivo de registro.</translation>
    </message>
    <message>
        <source>Cannot write to log file %1.</source>
        <translation>No se puede escribir en el archivo de registro %1.</translation>
    </message>
    <message>
        <source>users other than its owner may write to it</source>
        <extracomment>Why a log is not undone from: &quot;Cannot undo from log file X: &lt;this&gt;.&quot;</extracomment>
        <translation>otros usuarios además de su propietario pueden escribir en él</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>pertenece a otro usuario</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>line %1 is longer than any line of a log</source>
        <translation>la línea %1 es más larga que cualquier línea de un registro</translation>
    </message>
    <message>
        <source>line %1 is not a rename line</source>
        <translation>la línea %1 no es una línea de cambio de nombre</translation>
    </message>
    <message>
        <source>line %1 is not an undo line</source>
        <translation>la línea %1 no es una línea de deshacer</translation>
    </message>
    <message>
        <source>line %1 holds a broken escape</source>
        <translation>la línea %1 contiene una secuencia de escape no válida</translation>
    </message>
    <message>
        <source>none given.</source>
        <translation>sin indicar.</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>no se encontró el archivo.</translation>
    </message>
    <message>
        <source>bad path.</source>
        <translation>ruta no válida.</translation>
    </message>
    <message>
        <source>too many open files.</source>
        <translation>demasiados archivos abiertos.</translation>
    </message>
    <message>
        <source>access denied.</source>
        <translation>acceso denegado.</translation>
    </message>
    <message>
        <source>hardware error.</source>
        <translation>error de hardware.</translation>
    </message>
    <message>
        <source>sharing violation.</source>
        <translation>infracción de uso compartido.</translation>
    </message>
    <message>
        <source>unspecified.</source>
        <translation>error sin especificar.</translation>
    </message>
    <message>
        <source>Files without a capture time, ordered by their file time: %1</source>
        <translation>Archivos sin hora de captura, ordenados por su fecha de archivo: %1</translation>
    </message>
</context>
</TS>
