<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AboutBox</name>
    <message>
        <source>About Kalvenor</source>
        <translation>Sobre o Kalvenor</translation>
    </message>
    <message>
        <source>Kalvenor Version %1</source>
        <translation>Kalvenor, versão %1</translation>
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
        <translation>Não foi possível abrir a ajuda.</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Log files (*.log)</source>
        <translation>Arquivos de log (*.log)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos os arquivos (*)</translation>
    </message>
</context>
<context>
    <name>FileMenu</name>
    <message>
        <source>Undo from &amp;Log File…</source>
        <translation>Desfazer a partir do arquivo de &amp;log…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Sair</translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>Reading…</source>
        <translation>Lendo…</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computador</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Pasta pessoal</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Rede</translation>
    </message>
    <message>
        <source>File System (%1)</source>
        <extracomment>The volume that holds &quot;/&quot;, with its mount point.</extracomment>
        <translation>Sistema de arquivos (%1)</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help on Kalvenor</source>
        <translation>A&amp;juda do Kalvenor</translation>
    </message>
    <message>
        <source>&amp;About Kalvenor...</source>
        <translation>&amp;Sobre o Kalvenor…</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Kalvenor Help</source>
        <translation>Ajuda do Kalvenor</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Untitled</source>
        <translation>Sem título</translation>
    </message>
    <message>
        <source>&amp;Prefix</source>
        <translation>Pr&amp;efixo</translation>
    </message>
    <message>
        <source>P&amp;ostfix</source>
        <translation>Sufi&amp;xo</translation>
    </message>
    <message>
        <source>&amp;Alphanumeric</source>
        <translation>Alfanu&amp;mérico</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>&amp;Data</translation>
    </message>
    <message>
        <source>File &amp;Type</source>
        <translation>Tipo de arqui&amp;vo</translation>
    </message>
    <message>
        <source>Date Ta&amp;ken</source>
        <translation>Da&amp;ta de captura</translation>
    </message>
    <message>
        <source>Ascend&amp;ing</source>
        <translation>C&amp;rescente</translation>
    </message>
    <message>
        <source>Fill &amp;gaps in numbers</source>
        <translation>Preenc&amp;her lacunas na numeração</translation>
    </message>
    <message>
        <source>&amp;Number photo sets as one</source>
        <translation>Numerar conjuntos de &amp;fotos como um só</translation>
    </message>
    <message>
        <source>Lea&amp;ve hidden files alone</source>
        <translation>Não renomear arquivos &amp;ocultos</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Procurar…</translation>
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
        <translation>Desfa&amp;zer último</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>A&amp;juda</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Sair</translation>
    </message>
    <message>
        <source>&amp;Refresh -&gt;</source>
        <translation>Atua&amp;lizar -&gt;</translation>
    </message>
    <message>
        <source>Select folder to kalvenor</source>
        <translation>Selecione a pasta a ser numerada</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Resultados</translation>
    </message>
    <message>
        <source>Base Na&amp;me</source>
        <translation>&amp;Nome base</translation>
    </message>
    <message>
        <source>Base Inde&amp;x</source>
        <translation>Índice &amp;base</translation>
    </message>
    <message>
        <source>Index Position</source>
        <translation>Posição do índice</translation>
    </message>
    <message>
        <source>Presort Type</source>
        <translation>Ordenação prévia</translation>
    </message>
    <message>
        <source>&amp;Log File</source>
        <translation>Ar&amp;quivo de log</translation>
    </message>
    <message>
        <source>Base Name</source>
        <translation>Nome base</translation>
    </message>
    <message>
        <source>Base Index</source>
        <translation>Índice base</translation>
    </message>
    <message>
        <source>Log File</source>
        <translation>Arquivo de log</translation>
    </message>
    <message>
        <source>Selected folder</source>
        <translation>Pasta selecionada</translation>
    </message>
    <message>
        <source>On: numbers left free between those already in use are given first. Off: numbering goes on after the highest number in use.</source>
        <translation>Ativada: números livres entre os já usados são dados primeiro. Desativada: a numeração continua depois do maior número em uso.</translation>
    </message>
    <message>
        <source>On: the files of one picture (a raw file, its JPEG, their sidecars, a Live Photo&apos;s still and film) share one number.</source>
        <translation>Ativada: os arquivos de uma mesma imagem (um arquivo RAW, seu JPEG, seus arquivos sidecar, a foto e o vídeo de uma Live Photo) compartilham um número.</translation>
    </message>
    <message>
        <source>On: hidden files (names beginning with a dot, Thumbs.db, desktop.ini, .DS_Store) keep their names. Off: they are numbered like every other file.</source>
        <translation>Ativada: arquivos ocultos (nomes que começam com um ponto, Thumbs.db, desktop.ini, .DS_Store) mantêm seus nomes. Desativada: eles são numerados como qualquer outro arquivo.</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arquivo</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aj&amp;uda</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Nothing to undo.</source>
        <translation>Nada a desfazer.</translation>
    </message>
    <message>
        <source>Cannot undo from log file %1: %2.</source>
        <translation>Não é possível desfazer a partir do arquivo de log %1: %2.</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 arquivo</translation>
    </message>
    <message>
        <source>Rename %1 of the batch of %2 back to the names they had before it?</source>
        <translation>Devolver aos arquivos do lote de %2 (%1) os nomes que tinham antes?</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n arquivo</numerusform>
            <numerusform>%n arquivos</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Reading the folder…</source>
        <translation>Lendo a pasta…</translation>
    </message>
    <message>
        <source>Reading capture times…</source>
        <translation>Lendo os horários de captura…</translation>
    </message>
    <message>
        <source>Renaming files…</source>
        <translation>Renomeando arquivos…</translation>
    </message>
    <message>
        <source>Renaming files back…</source>
        <translation>Restaurando os nomes anteriores…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Parando…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%v of %m files</source>
        <translation>%v de %m arquivos</translation>
    </message>
    <message>
        <source>Files done</source>
        <translation>Arquivos processados</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 -&gt; Not Renamed</source>
        <extracomment>A file whose name is already in the series: its name, then this.</extracomment>
        <translation>%1 -&gt; Não renomeado</translation>
    </message>
    <message>
        <source>Index exceeds limit.</source>
        <translation>O índice excede o limite.</translation>
    </message>
    <message>
        <source>Click Continue to do the above.</source>
        <translation>Clique em Continuar para executar o que está acima.</translation>
    </message>
    <message>
        <source>Operations complete.</source>
        <translation>Operações concluídas.</translation>
    </message>
    <message>
        <source>File count exceeds %1.</source>
        <translation>O número de arquivos excede %1.</translation>
    </message>
    <message>
        <source>Stopped before %1.</source>
        <translation>Interrompido antes de %1.</translation>
    </message>
    <message>
        <source>Rename error: %1</source>
        <extracomment>%1 is the cause, such as &quot;access denied.&quot;</extracomment>
        <translation>Erro ao renomear: %1</translation>
    </message>
    <message>
        <source>Cannot open log file.</source>
        <translation>Não é possível abrir o arquivo de log.</translation>
    </message>
    <message>
        <source>Cannot write to log file %1.</source>
        <translation>Não é possível gravar no arquivo de log %1.</translation>
    </message>
    <message>
        <source>users other than its owner may write to it</source>
        <extracomment>Why a log is not undone from: &quot;Cannot undo from log file X: &lt;this&gt;.&quot;</extracomment>
        <translation>outros usuários além do dono podem gravar nele</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>ele pertence a outro usuário</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>não é um arquivo comum</translation>
    </message>
    <message>
        <source>line %1 is longer than any line of a log</source>
        <translation>a linha %1 é mais longa que qualquer linha de um log</translation>
    </message>
    <message>
        <source>line %1 is not a rename line</source>
        <translation>a linha %1 não é uma linha de renomeação</translation>
    </message>
    <message>
        <source>line %1 is not an undo line</source>
        <translation>a linha %1 não é uma linha de desfazer</translation>
    </message>
    <message>
        <source>line %1 holds a broken escape</source>
        <translation>a linha %1 contém uma sequência de escape inválida</translation>
    </message>
    <message>
        <source>none given.</source>
        <translation>não informado.</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>arquivo não encontrado.</translation>
    </message>
    <message>
        <source>bad path.</source>
        <translation>caminho inválido.</translation>
    </message>
    <message>
        <source>too many open files.</source>
        <translation>arquivos abertos demais.</translation>
    </message>
    <message>
        <source>access denied.</source>
        <translation>acesso negado.</translation>
    </message>
    <message>
        <source>hardware error.</source>
        <translation>erro de hardware.</translation>
    </message>
    <message>
        <source>sharing violation.</source>
        <translation>violação de compartilhamento.</translation>
    </message>
    <message>
        <source>unspecified.</source>
        <translation>erro não especificado.</translation>
    </message>
    <message>
        <source>Files without a capture time, ordered by their file time: %1</source>
        <translation>Arquivos sem horário de captura, ordenados pelo horário do arquivo: %1</translation>
    </message>
</context>
</TS>
