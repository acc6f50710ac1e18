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
    <name>QPreferencesDlg</name>
    <message>
        <source>Preferences</source>
        <translation>首选项</translation>
    </message>
    <message>
        <source>General</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>转换</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>GeneralWidget</name>
    <message>
        <source>Automatic updates</source>
        <translation>自动更新</translation>
    </message>
    <message>
        <source>Automatically update to the newest version</source>
        <translation>自动更新到最新版本</translation>
    </message>
    <message>
        <source>Close automatic updates</source>
        <translation>关闭自动更新</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Minimize to Tray</source>
        <translation>最小化到托盘</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>ConvertWidget</name>
    <message>
        <source>Conversion Completed</source>
        <translation>转换完成后</translation>
    </message>
    <message>
        <source>Turn Off Computer</source>
        <translation>关闭计算机</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>输出文件夹</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>更改</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Save to</source>
        <translation>保存到</translation>
    </message>
</context>
<context>
    <name>QShowCloseDlg</name>
    <message>
        <source>Minimize to Tray</source>
        <translation>最小化到托盘</translation>
    </message>
    <message>
        <source>Minimize (no system tray available)</source>
        <translation>最小化（没有可用的系统托盘）</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Don't show this window again</source>
        <translation>不再显示此窗口</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>QAboutDlg</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Visit:</source>
        <translation>访问：</translation>
    </message>
</context>
<context>
    <name>QUpdateDlg</name>
    <message>
        <source>Check for Updates</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>正在检查更新...</translation>
    </message>
    <message>
        <source>You are up to date: %1 %2 is the newest version.</source>
        <translation>已是最新：%1 %2 是最新版本。</translation>
    </message>
    <message>
        <source>A new version %1 of %2 is available. You have version %3.</source>
        <translation>%2 有新版本 %1 可用。您的版本是 %3。</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>发行说明</translation>
    </message>
    <message>
        <source>The update information could not be retrieved. Please check your network connection and try again later.</source>
        <translation>无法获取更新信息。请检查网络连接，稍后再试。</translation>
    </message>
</context>
<context>
    <name>ProgramMenu</name>
    <message>
        <source>Preferences</source>
        <translation>首选项</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>主页</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
</context>
<context>
    <name>ShellTray</name>
    <message>
        <source>Hidden (&amp;H)</source>
        <translation>隐藏 (&amp;H)</translation>
    </message>
    <message>
        <source>Show Window (&amp;S)</source>
        <translation>显示窗口 (&amp;S)</translation>
    </message>
    <message>
        <source>Quit (&amp;Q)</source>
        <translation>退出 (&amp;Q)</translation>
    </message>
</context>
</TS>
