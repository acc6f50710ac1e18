<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>main</name>
    <message>
        <source>An instance has already been running.</source>
        <translation>既にインスタンスが実行されています。</translation>
    </message>
</context>
<context>
    <name>StartupWindow</name>
    <message>
        <source>Add a video or audio file to start cutting.</source>
        <translation>動画または音声ファイルを追加してカットを始めましょう。</translation>
    </message>
</context>
<context>
    <name>VoVideoConvertItem</name>
    <message>
        <source>No Subtitle</source>
        <translation>字幕なし</translation>
    </message>
    <message>
        <source>Video Internal CC</source>
        <translation>ビデオ内蔵クローズドキャプション</translation>
    </message>
</context>
<context>
    <name>VoInfoManager</name>
    <message>
        <source>Current</source>
        <translation>現在</translation>
    </message>
</context>
</TS>
