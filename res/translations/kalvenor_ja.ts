<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>AppTexts</name>
    <message>
        <source>Failed to launch help.</source>
        <translation>ヘルプを開けませんでした。</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Kalvenor Help</source>
        <translation>Kalvenor ヘルプ</translation>
    </message>
</context>
</TS>
