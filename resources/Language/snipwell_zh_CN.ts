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
    <name>ProfileCatalogue</name>
    <message>
        <source>The profile file %1 could not be read: %2</source>
        <translation>无法读取格式配置文件 %1：%2</translation>
    </message>
    <message>
        <source>The profile file %1 has no valid entry &quot;%2&quot;.</source>
        <translation>格式配置文件 %1 中没有有效的条目“%2”。</translation>
    </message>
    <message>
        <source>The format %1 in the category &quot;%2&quot; of the profile file %3 has no valid entry &quot;%4&quot;.</source>
        <translation>格式配置文件 %3 的类别“%2”中的格式 %1 没有有效的条目“%4”。</translation>
    </message>
    <message>
        <source>The format %1 in the category &quot;%2&quot; of the profile file %3 names no audio codec for the video codec %4.</source>
        <translation>格式配置文件 %3 的类别“%2”中的格式 %1 没有为视频编解码器 %4 指定音频编解码器。</translation>
    </message>
</context>
</TS>
