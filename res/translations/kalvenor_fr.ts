<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AboutBox</name>
    <message>
        <source>About Kalvenor</source>
        <translation>À propos de Kalvenor</translation>
    </message>
    <message>
        <source>Kalvenor Version %1</source>
        <translation>Kalvenor, version %1</translation>
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
        <translation>Impossible d’ouvrir l’aide.</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Log files (*.log)</source>
        <translation>Fichiers journaux (*.log)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
</context>
<context>
    <name>FileMenu</name>
    <message>
        <source>Undo from &amp;Log File…</source>
        <translation>Annuler depuis un fichier &amp;journal…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>Reading…</source>
        <translation>Lecture…</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Ordinateur</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Dossier personnel</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Réseau</translation>
    </message>
    <message>
        <source>File System (%1)</source>
        <extracomment>The volume that holds &quot;/&quot;, with its mount point.</extracomment>
        <translation>Système de fichiers (%1)</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help on Kalvenor</source>
        <translation>&amp;Aide de Kalvenor</translation>
    </message>
    <message>
        <source>&amp;About Kalvenor...</source>
        <translation>À &amp;propos de Kalvenor…</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Kalvenor Help</source>
        <translation>Aide de Kalvenor</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Untitled</source>
        <translation>Sans titre</translation>
    </message>
    <message>
        <source>&amp;Prefix</source>
        <translation>Préfi&amp;xe</translation>
    </message>
    <message>
        <source>P&amp;ostfix</source>
        <translation>&amp;Suffixe</translation>
    </message>
    <message>
        <source>&amp;Alphanumeric</source>
        <translation>Alp&amp;hanumérique</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>Dat&amp;e</translation>
    </message>
    <message>
        <source>File &amp;Type</source>
        <translation>&amp;Type de fichier</translation>
    </message>
    <message>
        <source>Date Ta&amp;ken</source>
        <translation>Date de prise de &amp;vue</translation>
    </message>
    <message>
        <source>Ascend&amp;ing</source>
        <translation>&amp;Croissant</translation>
    </message>
    <message>
        <source>Fill &amp;gaps in numbers</source>
        <translation>Co&amp;mbler les trous de numérotation</translation>
    </message>
    <message>
        <source>&amp;Number photo sets as one</source>
        <translation>Un seul numéro par &amp;groupe de photos</translation>
    </message>
    <message>
        <source>Lea&amp;ve hidden files alone</source>
        <translation>Ne pas &amp;renommer les fichiers cachés</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir…</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Démarrer</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>C&amp;ontinuer</translation>
    </message>
    <message>
        <source>&amp;Undo Last</source>
        <translation>Annuler &amp;le dernier</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Refresh -&gt;</source>
        <translation>Act&amp;ualiser -&gt;</translation>
    </message>
    <message>
        <source>Select folder to kalvenor</source>
        <translation>Choisissez le dossier à numéroter</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Résultats</translation>
    </message>
    <message>
        <source>Base Na&amp;me</source>
        <translation>&amp;Nom de base</translation>
    </message>
    <message>
        <source>Base Inde&amp;x</source>
        <translation>Index de &amp;base</translation>
    </message>
    <message>
        <source>Index Position</source>
        <translation>Position de l’index</translation>
    </message>
    <message>
        <source>Presort Type</source>
        <translation>Tri préalable</translation>
    </message>
    <message>
        <source>&amp;Log File</source>
        <translation>Fichier &amp;journal</translation>
    </message>
    <message>
        <source>Base Name</source>
        <translation>Nom de base</translation>
    </message>
    <message>
        <source>Base Index</source>
        <translation>Index de base</translation>
    </message>
    <message>
        <source>Log File</source>
        <translation>Fichier journal</translation>
    </message>
    <message>
        <source>Selected folder</source>
        <translation>Dossier sélectionné</translation>
    </message>
    <message>
        <source>On: numbers left free between those already in use are given first. Off: numbering goes on after the highest number in use.</source>
        <translation>Activé&#xa0;: les numéros libres entre ceux déjà utilisés sont attribués en premier. Désactivé&#xa0;: la numérotation continue après le plus grand numéro utilisé.</translation>
    </message>
    <message>
        <source>On: the files of one picture (a raw file, its JPEG, their sidecars, a Live Photo&apos;s still and film) share one number.</source>
        <translation>Activé&#xa0;: les fichiers d’une même image (un fichier RAW, son JPEG, leurs fichiers annexes, l’image fixe et la vidéo d’une Live Photo) partagent un numéro.</translation>
    </message>
    <message>
        <source>On: hidden files (names beginning with a dot, Thumbs.db, desktop.ini, .DS_Store) keep their names. Off: they are numbered like every other file.</source>
        <translation>Activé&#xa0;: les fichiers cachés (noms commençant par un point, Thumbs.db, desktop.ini, .DS_Store) gardent leur nom. Désactivé&#xa0;: ils sont numérotés comme tous les autres fichiers.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Nothing to undo.</source>
        <translation>Rien à annuler.</translation>
    </message>
    <message>
        <source>Cannot undo from log file %1: %2.</source>
        <translation>Impossible d’annuler depuis le fichier journal %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 fichier</translation>
    </message>
    <message>
        <source>Rename %1 of the batch of %2 back to the names they had before it?</source>
        <translation>Rendre aux fichiers du lot du %2 (%1) les noms qu’ils avaient auparavant&#xa0;?</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n fichier</numerusform>
            <numerusform>%n fichiers</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Reading the folder…</source>
        <translation>Lecture du dossier…</translation>
    </message>
    <message>
        <source>Reading capture times…</source>
        <translation>Lecture des heures de prise de vue…</translation>
    </message>
    <message>
        <source>Renaming files…</source>
        <translation>Renommage des fichiers…</translation>
    </message>
    <message>
        <source>Renaming files back…</source>
        <translation>Rétablissement des anciens noms…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Arrêt en cours…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%v of %m files</source>
        <translation>%v fichiers sur %m</translation>
    </message>
    <message>
        <source>Files done</source>
        <translation>Fichiers traités</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 -&gt; Not Renamed</source>
        <extracomment>A file whose name is already in the series: its name, then this.</extracomment>
        <translation>%1 -&gt; non renommé</translation>
    </message>
    <message>
        <source>Index exceeds limit.</source>
        <translation>L’index dépasse la limite.</translation>
    </message>
    <message>
        <source>Click Continue to do the above.</source>
        <translation>Cliquez sur Continuer pour effectuer ce qui précède.</translation>
    </message>
    <message>
        <source>Operations complete.</source>
        <translation>Opérations terminées.</translation>
    </message>
    <message>
        <source>File count exceeds %1.</source>
        <translation>Le nombre de fichiers dépasse %1.</translation>
    </message>
    <message>
        <source>Stopped before %1.</source>
        <translation>Arrêté avant %1.</translation>
    </message>
    <message>
        <source>Rename error: %1</source>
        <extracomment>%1 is the cause, such as &quot;access denied.&quot;</extracomment>
        <translation>Erreur de renommage&#xa0;: %1</translation>
    </message>
    <message>
        <source>Cannot open log file.</source>
        <translation>Impossible d’ouvrir le fichier journal.</translation>
    </message>
    <message>
        <source>Cannot write to log file %1.</source>
        <translation>Impossible d’écrire dans le fichier journal %1.</translation>
    </message>
    <message>
        <source>users other than its owner may write to it</source>
        <extracomment>Why a log is not undone from: &quot;Cannot undo from log file X: &lt;this&gt;.&quot;</extracomment>
        <translation>d’autres utilisateurs que son propriétaire peuvent y écrire</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>il appartient à un autre utilisateur</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>line %1 is longer than any line of a log</source>
        <translation>la ligne %1 est plus longue que toute ligne d’un journal</translation>
    </message>
    <message>
        <source>line %1 is not a rename line</source>
        <translation>la ligne %1 n’est pas une ligne de renommage</translation>
    </message>
    <message>
        <source>line %1 is not an undo line</source>
        <translation>la ligne %1 n’est pas une ligne d’annulation</translation>
    </message>
    <message>
        <source>line %1 holds a broken escape</source>
        <translation>la ligne %1 contient une séquence d’échappement invalide</translation>
    </message>
    <message>
        <source>none given.</source>
        <translation>non précisée.</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>fichier introuvable.</translation>
    </message>
    <message>
        <source>bad path.</source>
        <translation>chemin incorrect.</translation>
    </message>
    <message>
        <source>too many open files.</source>
        <translation>trop de fichiers ouverts.</translation>
    </message>
    <message>
        <source>access denied.</source>
        <translation>accès refusé.</translation>
    </message>
    <message>
        <source>hardware error.</source>
        <translation>erreur matérielle.</translation>
    </message>
    <message>
        <source>sharing violation.</source>
        <translation>violation de partage.</translation>
    </message>
    <message>
        <source>unspecified.</source>
        <translation>erreur non spécifiée.</translation>
    </message>
    <message>
        <source>Files without a capture time, ordered by their file time: %1</source>
        <translation>Fichiers sans heure de prise de vue, classés selon leur date de fichier&#xa0;: %1</translation>
    </message>
</context>
</TS>
