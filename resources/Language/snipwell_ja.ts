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
    <name>ProfileCatalogue</name>
    <message>
        <source>The profile file %1 could not be read: %2</source>
        <translation>プロファイルファイル %1 を読み込めませんでした: %2</translation>
    </message>
    <message>
        <source>The profile file %1 has no valid entry &quot;%2&quot;.</source>
        <translation>プロファイルファイル %1 に有効な項目「%2」がありません。</translation>
    </message>
    <message>
        <source>The format %1 in the category &quot;%2&quot; of the profile file %3 has no valid entry &quot;%4&quot;.</source>
        <translation>プロファイルファイル %3 のカテゴリ「%2」にある形式 %1 に有効な項目「%4」がありません。</translation>
    </message>
    <message>
        <source>The format %1 in the category &quot;%2&quot; of the profile file %3 names no audio codec for the video codec %4.</source>
        <translation>プロファイルファイル %3 のカテゴリ「%2」にある形式 %1 には、ビデオコーデック %4 に対応するオーディオコーデックが指定されていません。</translation>
    </message>
</context>
</TS>
