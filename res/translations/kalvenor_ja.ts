<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>AboutBox</name>
    <message>
        <source>About Kalvenor</source>
        <translation>Kalvenor について</translation>
    </message>
    <message>
        <source>Kalvenor Version %1</source>
        <translation>Kalvenor バージョン %1</translation>
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
        <translation>ヘルプを開けませんでした。</translation>
    </message>
</context>
<context>
    <name>FileDialogs</name>
    <message>
        <source>Log files (*.log)</source>
        <translation>ログファイル (*.log)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
</context>
<context>
    <name>FileMenu</name>
    <message>
        <source>Undo from &amp;Log File…</source>
        <translation>ログファイルから元に戻す(&amp;L)…</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
</context>
<context>
    <name>FolderTree</name>
    <message>
        <source>Reading…</source>
        <translation>読み込み中…</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>コンピューター</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>ホーム</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>ネットワーク</translation>
    </message>
    <message>
        <source>File System (%1)</source>
        <extracomment>The volume that holds &quot;/&quot;, with its mount point.</extracomment>
        <translation>ファイルシステム (%1)</translation>
    </message>
</context>
<context>
    <name>HelpMenu</name>
    <message>
        <source>&amp;Help on Kalvenor</source>
        <translation>Kalvenor のヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Kalvenor...</source>
        <translation>Kalvenor について(&amp;A)…</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Kalvenor Help</source>
        <translation>Kalvenor ヘルプ</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>&amp;Prefix</source>
        <translation>先頭(&amp;P)</translation>
    </message>
    <message>
        <source>P&amp;ostfix</source>
        <translation>末尾(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Alphanumeric</source>
        <translation>英数字順(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Date</source>
        <translation>日付(&amp;D)</translation>
    </message>
    <message>
        <source>File &amp;Type</source>
        <translation>ファイルの種類(&amp;T)</translation>
    </message>
    <message>
        <source>Date Ta&amp;ken</source>
        <translation>撮影日時(&amp;K)</translation>
    </message>
    <message>
        <source>Ascend&amp;ing</source>
        <translation>昇順(&amp;I)</translation>
    </message>
    <message>
        <source>Fill &amp;gaps in numbers</source>
        <translation>欠番を埋める(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Number photo sets as one</source>
        <translation>写真セットに同じ番号を付ける(&amp;N)</translation>
    </message>
    <message>
        <source>Lea&amp;ve hidden files alone</source>
        <translation>隠しファイルの名前を変更しない(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>参照(&amp;B)…</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>開始(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>続行(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Undo Last</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>H&amp;elp</source>
        <translation>ヘルプ(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Refresh -&gt;</source>
        <translation>更新(&amp;R) -&gt;</translation>
    </message>
    <message>
        <source>Select folder to kalvenor</source>
        <translation>連番を付けるフォルダーを選択</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>Base Na&amp;me</source>
        <translation>基本名(&amp;M)</translation>
    </message>
    <message>
        <source>Base Inde&amp;x</source>
        <translation>開始番号(&amp;X)</translation>
    </message>
    <message>
        <source>Index Position</source>
        <translation>番号の位置</translation>
    </message>
    <message>
        <source>Presort Type</source>
        <translation>事前の並べ替え</translation>
    </message>
    <message>
        <source>&amp;Log File</source>
        <translation>ログファイル(&amp;L)</translation>
    </message>
    <message>
        <source>Base Name</source>
        <translation>基本名</translation>
    </message>
    <message>
        <source>Base Index</source>
        <translation>開始番号</translation>
    </message>
    <message>
        <source>Log File</source>
        <translation>ログファイル</translation>
    </message>
    <message>
        <source>Selected folder</source>
        <translation>選択したフォルダー</translation>
    </message>
    <message>
        <source>On: numbers left free between those already in use are given first. Off: numbering goes on after the highest number in use.</source>
        <translation>オン：使用中の番号の間にある空き番号から先に割り当てます。オフ：使用中の最大の番号の次から番号を続けます。</translation>
    </message>
    <message>
        <source>On: the files of one picture (a raw file, its JPEG, their sidecars, a Live Photo&apos;s still and film) share one number.</source>
        <translation>オン：1 枚の写真を構成するファイル（RAW ファイル、その JPEG、それらのサイドカーファイル、Live Photo の静止画と動画）に同じ番号を付けます。</translation>
    </message>
    <message>
        <source>On: hidden files (names beginning with a dot, Thumbs.db, desktop.ini, .DS_Store) keep their names. Off: they are numbered like every other file.</source>
        <translation>オン：隠しファイル（ドットで始まる名前、Thumbs.db、desktop.ini、.DS_Store）の名前は変更しません。オフ：他のファイルと同じように番号を付けます。</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Nothing to undo.</source>
        <translation>元に戻す処理はありません。</translation>
    </message>
    <message>
        <source>Cannot undo from log file %1: %2.</source>
        <translation>ログファイル %1 から元に戻せません（%2）。</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 個のファイル</translation>
    </message>
    <message>
        <source>Rename %1 of the batch of %2 back to the names they had before it?</source>
        <translation>%2 の一括処理のファイル（%1）を、処理前の名前に戻しますか？</translation>
    </message>
    <message numerus="yes">
        <source>%n files</source>
        <translation>
            <numerusform>%n 個のファイル</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Progress</name>
    <message>
        <source>Reading the folder…</source>
        <translation>フォルダーを読み込んでいます…</translation>
    </message>
    <message>
        <source>Reading capture times…</source>
        <translation>撮影日時を読み込んでいます…</translation>
    </message>
    <message>
        <source>Renaming files…</source>
        <translation>ファイルの名前を変更しています…</translation>
    </message>
    <message>
        <source>Renaming files back…</source>
        <translation>ファイルの名前を元に戻しています…</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>停止しています…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>%v of %m files</source>
        <translation>%v / %m 個のファイル</translation>
    </message>
    <message>
        <source>Files done</source>
        <translation>処理済みのファイル</translation>
    </message>
</context>
<context>
    <name>RunTexts</name>
    <message>
        <source>%1 -&gt; Not Renamed</source>
        <extracomment>A file whose name is already in the series: its name, then this.</extracomment>
        <translation>%1 -&gt; 変更なし</translation>
    </message>
    <message>
        <source>Index exceeds limit.</source>
        <translation>番号が上限を超えています。</translation>
    </message>
    <message>
        <source>Click Continue to do the above.</source>
        <translation>上記の内容を実行するには「続行」をクリックしてください。</translation>
    </message>
    <message>
        <source>Operations complete.</source>
        <translation>すべての処理が完了しました。</translation>
    </message>
    <message>
        <source>File count exceeds %1.</source>
        <translation>ファイル数が %1 を超えています。</translation>
    </message>
    <message>
        <source>Stopped before %1.</source>
        <translation>%1 の前で停止しました。</translation>
    </message>
    <message>
        <source>Rename error: %1</source>
        <extracomment>%1 is the cause, such as &quot;access denied.&quot;</extracomment>
        <translation>名前の変更エラー：%1</translation>
    </message>
    <message>
        <source>Cannot open log file.</source>
        <translation>ログファイルを開けません。</translation>
    </message>
    <message>
        <source>Cannot write to log file %1.</source>
        <translation>ログファイル %1 に書き込めません。</translation>
    </message>
    <message>
        <source>users other than its owner may write to it</source>
        <extracomment>Why a log is not undone from: &quot;Cannot undo from log file X: &lt;this&gt;.&quot;</extracomment>
        <translation>所有者以外のユーザーが書き込めます</translation>
    </message>
    <message>
        <source>it belongs to another user</source>
        <translation>別のユーザーが所有しています</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>line %1 is longer than any line of a log</source>
        <translation>%1 行目がログの行として長すぎます</translation>
    </message>
    <message>
        <source>line %1 is not a rename line</source>
        <translation>%1 行目は名前の変更の行ではありません</translation>
    </message>
    <message>
        <source>line %1 is not an undo line</source>
        <translation>%1 行目は元に戻す処理の行ではありません</translation>
    </message>
    <message>
        <source>line %1 holds a broken escape</source>
        <translation>%1 行目に不正なエスケープがあります</translation>
    </message>
    <message>
        <source>none given.</source>
        <translation>理由は示されていません。</translation>
    </message>
    <message>
        <source>file not found.</source>
        <translation>ファイルが見つかりません。</translation>
    </message>
    <message>
        <source>bad path.</source>
        <translation>パスが正しくありません。</translation>
    </message>
    <message>
        <source>too many open files.</source>
        <translation>開いているファイルが多すぎます。</translation>
    </message>
    <message>
        <source>access denied.</source>
        <translation>アクセスが拒否されました。</translation>
    </message>
    <message>
        <source>hardware error.</source>
        <translation>ハードウェアエラーです。</translation>
    </message>
    <message>
        <source>sharing violation.</source>
        <translation>共有違反です。</translation>
    </message>
    <message>
        <source>unspecified.</source>
        <translation>不明なエラーです。</translation>
    </message>
    <message>
        <source>Files without a capture time, ordered by their file time: %1</source>
        <translation>撮影日時がなく、ファイルの日時で並べたファイル：%1</translation>
    </message>
</context>
</TS>
