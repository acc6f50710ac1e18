<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>main</name>
    <message>
        <source>An instance has already been running.</source>
        <translation>已有一个实例正在运行。</translation>
    </message>
</context>
<context>
    <name>StartupWindow</name>
    <message>
        <source>Add a video or audio file to start cutting.</source>
        <translation>添加视频或音频文件即可开始剪切。</translation>
    </message>
</context>
<context>
    <name>VoVideoConvertItem</name>
    <message>
        <source>No Subtitle</source>
        <translation>无字幕</translation>
    </message>
    <message>
        <source>Video Internal CC</source>
        <translation>视频内嵌隐藏字幕</translation>
    </message>
</context>
<context>
    <name>VoInfoManager</name>
    <message>
        <source>Current</source>
        <translation>当前</translation>
    </message>
</context>
</TS>
