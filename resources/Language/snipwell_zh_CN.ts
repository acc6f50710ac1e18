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
    <name>QVoMessageDlg</name>
    <message>
        <source>Zelvane Video Cutter</source>
        <translation>Zelvane 视频剪切器</translation>
    </message>
    <message>
        <source>QVoMessageDlg::LoadTitleIconImg fail</source>
        <translation>QVoMessageDlg::LoadTitleIconImg 失败</translation>
    </message>
    <message>
        <source>QVoMessageDlg::InitButton fail</source>
        <translation>QVoMessageDlg::InitButton 失败</translation>
    </message>
    <message>
        <source>QVoMessageDlg::InitButton Load Yes Image fail</source>
        <translation>QVoMessageDlg::InitButton 加载“是”按钮图片失败</translation>
    </message>
    <message>
        <source>QVoMessageDlg::InitButton Load Cancel Image fail</source>
        <translation>QVoMessageDlg::InitButton 加载“取消”按钮图片失败</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>重新启动</translation>
    </message>
    <message>
        <source>Restart Later</source>
        <translation>稍后重启</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>是</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>否</translation>
    </message>
</context>
<context>
    <name>QVoMessageBox</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
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
<context>
    <name>ProfileCatalogue</name>
    <message>
        <source>The profile file %1 could not be read: %2</source>
        <translation>无法读取格式配置文件 %1：%2</translation>
    </message>
    <message>
        <source>The profile file %1 has no valid entry "%2".</source>
        <translation>格式配置文件 %1 中没有有效的条目“%2”。</translation>
    </message>
    <message>
        <source>The format %1 in the category "%2" of the profile file %3 has no valid entry "%4".</source>
        <translation>格式配置文件 %3 的类别“%2”中的格式 %1 没有有效的条目“%4”。</translation>
    </message>
    <message>
        <source>The format %1 in the category "%2" of the profile file %3 names no audio codec for the video codec %4.</source>
        <translation>格式配置文件 %3 的类别“%2”中的格式 %1 没有为视频编解码器 %4 指定音频编解码器。</translation>
    </message>
</context>
<context>
    <name>QVideoPlayDlg</name>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Previous Frame</source>
        <translation>上一帧</translation>
    </message>
    <message>
        <source>Next Frame</source>
        <translation>下一帧</translation>
    </message>
    <message>
        <source>Previous Key Frame</source>
        <translation>上一关键帧</translation>
    </message>
    <message>
        <source>Next Key Frame</source>
        <translation>下一关键帧</translation>
    </message>
    <message>
        <source>Drag media files here to start</source>
        <translation>将媒体文件拖到此处开始</translation>
    </message>
</context>
<context>
    <name>VideoImageWindow</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
</context>
<context>
    <name>QConverterObject</name>
    <message>
        <source>The source ends at %1; the segment was cut there.</source>
        <translation>源文件在 %1 处结束；片段已在该处截断。</translation>
    </message>
</context>
</TS>
