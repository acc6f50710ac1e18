<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
    <context>
        <name>main</name>
        <message>
            <source>An instance has already been running.</source>
            <translation>已有一个实例正在运行。</translation>
        </message>
        <message>
            <source>Usage: snipwell [FILE]
       snipwell --version | --help

Opens %1 with FILE, a video or audio file, ready to cut. If the program is already running, FILE opens in its window.

  -h, --help     show this help and exit
  -v, --version  show the version and exit
</source>
            <translation>用法: snipwell [文件]
      snipwell --version | --help

用指定的视频或音频文件打开 %1，即可开始剪切。如果程序已在运行，文件将在其窗口中打开。

  -h, --help     显示此帮助并退出
  -v, --version  显示版本并退出
</translation>
        </message>
        <message>
            <source>Unknown option: %1</source>
            <translation>未知选项: %1</translation>
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
        <message>
            <source>Encrypted audiobooks cannot be converted.</source>
            <translation>无法转换加密的有声读物。</translation>
        </message>
        <message>
            <source>The file holds no audio or video stream.</source>
            <translation>文件中没有音频或视频流。</translation>
        </message>
        <message>
            <source>The media library could not start.</source>
            <translation>无法启动媒体库。</translation>
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
        <message>
            <source>Player</source>
            <translation>播放器</translation>
        </message>
        <message>
            <source>Volume</source>
            <translation>音量</translation>
        </message>
        <message>
            <source>Picture</source>
            <translation>画面</translation>
        </message>
        <message>
            <source>Mute</source>
            <translation>静音</translation>
        </message>
        <message>
            <source>Sound On</source>
            <translation>打开声音</translation>
        </message>
    </context>
    <context>
        <name>VideoImageWindow</name>
        <message>
            <source>Picture</source>
            <translation>画面</translation>
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
        <message>
            <source>Output Names</source>
            <translation>输出文件名</translation>
        </message>
        <message>
            <source>Segment files:</source>
            <translation>片段文件：</translation>
        </message>
        <message>
            <source>Merged files:</source>
            <translation>合并文件：</translation>
        </message>
        <message>
            <source>“%1” is not a placeholder; the template is not kept.</source>
            <translation>“%1”不是占位符；该模板不会保存。</translation>
        </message>
        <message>
            <source>{name} source name, {ext} extension, {n} or {n:02} segment number, {label}, {start}, {end}, {date}</source>
            <translation>{name} 源文件名，{ext} 扩展名，{n} 或 {n:02} 片段编号，{label}、{start}、{end}、{date}</translation>
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
            <source>Apply Segments To Other Files…</source>
            <translation>将片段应用到其他文件…</translation>
        </message>
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
        <message>
            <source>Open Project…</source>
            <translation>打开项目…</translation>
        </message>
        <message>
            <source>Save Project</source>
            <translation>保存项目</translation>
        </message>
        <message>
            <source>Save Project As…</source>
            <translation>项目另存为…</translation>
        </message>
        <message>
            <source>Recent</source>
            <translation>最近使用</translation>
        </message>
        <message>
            <source>Undo</source>
            <translation>撤销</translation>
        </message>
        <message>
            <source>Redo</source>
            <translation>重做</translation>
        </message>
        <message>
            <source>Undo %1</source>
            <translation>撤销：%1</translation>
        </message>
        <message>
            <source>Redo %1</source>
            <translation>重做：%1</translation>
        </message>
        <message>
            <source>Save Subtitles…</source>
            <translation>保存字幕…</translation>
        </message>
        <message>
            <source>Tracks…</source>
            <translation>轨道…</translation>
        </message>
        <message>
            <source>Add File…</source>
            <translation>添加文件…</translation>
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
    <context>
        <name>QVideoCutDlg</name>
        <message>
            <source>A segment cannot start after its end (%1): the start stops there. Move the end first, or add a new segment.</source>
            <translation>片段不能在其结束时间（%1）之后开始：开始时间停在该处。请先移动结束时间，或添加新的片段。</translation>
        </message>
        <message>
            <source>Start Time:</source>
            <translation>开始时间：</translation>
        </message>
        <message>
            <source>End Time:</source>
            <translation>结束时间：</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>打开</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>打开文件</translation>
        </message>
        <message>
            <source>Format</source>
            <translation>格式</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>开始</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Set Segment Start Time</source>
            <translation>设置片段开始时间</translation>
        </message>
        <message>
            <source>Set Segment End Time</source>
            <translation>设置片段结束时间</translation>
        </message>
        <message>
            <source>Play Segment</source>
            <translation>播放片段</translation>
        </message>
        <message>
            <source>Pause Segment</source>
            <translation>暂停片段</translation>
        </message>
        <message>
            <source>Stop Segment</source>
            <translation>停止片段</translation>
        </message>
        <message>
            <source>Output Format</source>
            <translation>输出格式</translation>
        </message>
        <message>
            <source>Start Conversion</source>
            <translation>开始转换</translation>
        </message>
        <message>
            <source>Stop Conversion</source>
            <translation>停止转换</translation>
        </message>
        <message>
            <source>Start Time</source>
            <translation>开始时间</translation>
        </message>
        <message>
            <source>End Time</source>
            <translation>结束时间</translation>
        </message>
        <message>
            <source>Segment</source>
            <translation>片段</translation>
        </message>
        <message>
            <source>starts at %1, frame-exact</source>
            <translation>从 %1 开始（帧精确）</translation>
        </message>
        <message>
            <source>starts at %1, key frame: %2 files are not cut frame-exact</source>
            <translation>从 %1 开始（关键帧）：%2 文件无法帧精确剪切</translation>
        </message>
        <message>
            <source>starts at %1, key frame: %2 video is not cut frame-exact</source>
            <translation>从 %1 开始（关键帧）：%2 视频无法帧精确剪切</translation>
        </message>
    </context>
    <context>
        <name>QVideoConvertItem</name>
        <message>
            <source>Start Time:</source>
            <translation>开始时间：</translation>
        </message>
        <message>
            <source>End Time:</source>
            <translation>结束时间：</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>编辑</translation>
        </message>
        <message>
            <source>No Subtitle</source>
            <translation>无字幕</translation>
        </message>
        <message>
            <source>Segment Start Time</source>
            <translation>片段开始时间</translation>
        </message>
        <message>
            <source>Segment End Time</source>
            <translation>片段结束时间</translation>
        </message>
        <message>
            <source>Segment</source>
            <translation>片段</translation>
        </message>
        <message>
            <source>Segment %1</source>
            <translation>片段 %1</translation>
        </message>
        <message>
            <source>Double-click or press F2 to name the segment</source>
            <translation>双击或按 F2 为片段命名</translation>
        </message>
        <message>
            <source>Segment Label</source>
            <translation>片段名称</translation>
        </message>
        <message>
            <source>Segment %1 · %2</source>
            <translation>片段 %1 · %2</translation>
        </message>
        <message>
            <source>From %1</source>
            <translation>来自 %1</translation>
        </message>
    </context>
    <context>
        <name>QVideoCutManageDlg</name>
        <message>
            <source>%1 is not frame-exact: it was cut at key frames (%2).</source>
            <translation>%1 不是逐帧精确的：已在关键帧处剪切（%2）。</translation>
        </message>
        <message>
            <source>Add Segment</source>
            <translation>添加片段</translation>
        </message>
        <message>
            <source>Show Segment List</source>
            <translation>显示片段列表</translation>
        </message>
        <message>
            <source>Hide Segment List</source>
            <translation>隐藏片段列表</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>编辑</translation>
        </message>
        <message>
            <source>Simple Mode</source>
            <translation>简单模式</translation>
        </message>
        <message>
            <source>Free Mode</source>
            <translation>自由模式</translation>
        </message>
        <message>
            <source>Move Up</source>
            <translation>上移</translation>
        </message>
        <message>
            <source>Move Down</source>
            <translation>下移</translation>
        </message>
        <message>
            <source>Merge Segments</source>
            <translation>合并片段</translation>
        </message>
        <message>
            <source>Open The Output Folder</source>
            <translation>打开输出文件夹</translation>
        </message>
        <message>
            <source>Switching to the Simple Mode will change the segment length!</source>
            <translation>切换到简单模式将改变片段长度！</translation>
        </message>
        <message>
            <source>The output path is invalid!</source>
            <translation>输出路径无效！</translation>
        </message>
        <message>
            <source>File conversion failed, please check whether the output format parameters 
and output file directory are set correctly.</source>
            <translation>文件转换失败，请检查输出格式参数
和输出文件目录是否设置正确。</translation>
        </message>
        <message>
            <source>Invalid path</source>
            <translation>路径无效</translation>
        </message>
        <message>
            <source>Join all segments into one file</source>
            <translation>将所有片段合并为一个文件</translation>
        </message>
        <message>
            <source>Timeline</source>
            <translation>时间线</translation>
        </message>
        <message>
            <source>Segment List</source>
            <translation>片段列表</translation>
        </message>
        <message>
            <source>%1%</source>
            <translation>%1%</translation>
        </message>
        <message>
            <source>%1% · %2 left</source>
            <translation>%1% · 剩余 %2</translation>
        </message>
        <message>
            <source>Segment Label</source>
            <translation>片段名称</translation>
        </message>
        <message>
            <source>Chapters from segments</source>
            <translation>由片段生成章节</translation>
        </message>
        <message>
            <source>One chapter per segment in the merged file, titled with its label</source>
            <translation>在合并后的文件中为每个片段生成一个章节，以片段名称为标题</translation>
        </message>
        <message>
            <source>Switch to Simple Mode</source>
            <translation>切换到简单模式</translation>
        </message>
        <message>
            <source>Switch to Free Mode</source>
            <translation>切换到自由模式</translation>
        </message>
        <message>
            <source>Delete Segment %1</source>
            <translation>删除片段 %1</translation>
        </message>
        <message>
            <source>Move Segment %1</source>
            <translation>移动片段 %1</translation>
        </message>
        <message>
            <source>Move Start of Segment %1</source>
            <translation>移动片段 %1 的开始</translation>
        </message>
        <message>
            <source>Move End of Segment %1</source>
            <translation>移动片段 %1 的结束</translation>
        </message>
        <message>
            <source>Video Edit</source>
            <translation>视频编辑</translation>
        </message>
        <message>
            <source>Rename Segment %1</source>
            <translation>重命名片段 %1</translation>
        </message>
        <message>
            <source>These files cannot be joined without encoding:</source>
            <translation>这些文件无法在不编码的情况下合并：</translation>
        </message>
        <message>
            <source>Only the sound differs. Encode the sound of the files that differ to match the first file (the pictures are still copied), or encode everything to a format you choose.</source>
            <translation>只有音频不同。可将不同文件的音频编码为与第一个文件相符（画面仍直接复制），或将全部内容编码为您选择的格式。</translation>
        </message>
        <message>
            <source>Choose a format to encode everything into one file.</source>
            <translation>请选择一种格式，将全部内容编码为一个文件。</translation>
        </message>
        <message>
            <source>Match the Sound</source>
            <translation>匹配音频</translation>
        </message>
        <message>
            <source>Choose Format…</source>
            <translation>选择格式…</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>The Simple Mode lays out the segments of one file. This work cuts from %1 files, so its segments stay in the list.</source>
            <translation>简单模式只排列一个文件的片段。此作品从 %1 个文件中剪切，因此其片段保留在列表中。</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>Written: %1.</source>
            <translation>已写入：%1。</translation>
        </message>
        <message>
            <source>Open a file and mark its segments first.</source>
            <translation>请先打开一个文件并标记其片段。</translation>
        </message>
        <message>
            <source>Apply Segments To Other Files</source>
            <translation>将片段应用到其他文件</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>所有文件 (*)</translation>
        </message>
        <message>
            <source>The output path is invalid!</source>
            <translation>输出路径无效!</translation>
        </message>
        <message>
            <source>stopped; nothing half-written was left</source>
            <translation>已停止;未留下写了一半的文件</translation>
        </message>
        <message>
            <source>1 file written</source>
            <translation>已写入 1 个文件</translation>
        </message>
        <message>
            <source>%1 files written</source>
            <translation>已写入 %1 个文件</translation>
        </message>
        <message>
            <source>Menu</source>
            <translation>菜单</translation>
        </message>
        <message>
            <source>Minimize</source>
            <translation>最小化</translation>
        </message>
        <message>
            <source>Maximize</source>
            <translation>最大化</translation>
        </message>
        <message>
            <source>Restore</source>
            <translation>还原</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>Adding segment failed. Please drag segment to leave some space at the end 
or switch to the "Free Mode".</source>
            <translation>添加片段失败。请拖动片段在末尾留出一些空间，
或切换到“自由模式”。</translation>
        </message>
        <message>
            <source>Open audio device failed. </source>
            <translation>打开音频设备失败。</translation>
        </message>
        <message>
            <source>Open file failed. </source>
            <translation>打开文件失败。</translation>
        </message>
        <message>
            <source>All Supported Formats(%1);;Apple Video files(*.m4v);;AVI Video files(*.avi);;High-definition files(*.mts *.ts *.m2ts *.m2t *.tp *.trp);; MPEG4 files(*.mp4 *.m4v);;MPEG files(*.mpg *.mpeg);;3GP files(*.3gp *.3g2);;Windows Media Video(*.wmv *.asf);; Real Media files(*.rm *.rmvb);;audio files(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;Video CD files(*.dat);; Quick Time files(*.mov);; Flash Video files(*.flv *.f4v);;MKV files(*.mkv);; Digital Video files(*.dv);;Microsoft Digital Video Recorder(*.dvr-ms);; Raw h.264 Video files(*.h.264);; Nullsoft Stream Video(*.nsv);;Unprotected VOB Files(*.vob);;WEBM Files(*.webm);;OGV Files(*.ogv);;All files(*.*)</source>
            <translation>所有支持的格式(%1);;Apple 视频文件(*.m4v);;AVI 视频文件(*.avi);;高清文件(*.mts *.ts *.m2ts *.m2t *.tp *.trp);; MPEG4 文件(*.mp4 *.m4v);;MPEG 文件(*.mpg *.mpeg);;3GP 文件(*.3gp *.3g2);;Windows Media 视频(*.wmv *.asf);; Real Media 文件(*.rm *.rmvb);;音频文件(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;VCD 文件(*.dat);; QuickTime 文件(*.mov);; Flash 视频文件(*.flv *.f4v);;MKV 文件(*.mkv);; 数码视频文件(*.dv);;Microsoft 数字视频录像(*.dvr-ms);; 原始 H.264 视频文件(*.h.264);; Nullsoft 流视频(*.nsv);;未加密的 VOB 文件(*.vob);;WEBM 文件(*.webm);;OGV 文件(*.ogv);;所有文件(*.*)</translation>
        </message>
        <message>
            <source>This file ends at %1 although it declares %2 — it may be an unfinished download.</source>
            <translation>此文件声明的时长为 %2，但在 %1 处就结束了 — 可能是未下载完成的文件。</translation>
        </message>
        <message>
            <source>%1 was not opened: a conversion is running. Open it when the conversion has finished.</source>
            <translation>未打开 %1：正在进行转换。请在转换完成后再打开。</translation>
        </message>
        <message>
            <source>%1 “%2”</source>
            <translation>%1“%2”</translation>
        </message>
        <message>
            <source>, </source>
            <translation>、</translation>
        </message>
        <message>
            <source>The file is not text in any encoding a cut list is written in.</source>
            <translation>该文件不是剪辑列表所用任何编码的文本。</translation>
        </message>
        <message>
            <source>The file holds no segment.</source>
            <translation>文件中没有片段。</translation>
        </message>
        <message>
            <source>“%1” is not a time.</source>
            <translation>“%1”不是时间。</translation>
        </message>
        <message>
            <source>A time lies before the start of the file.</source>
            <translation>有时间早于文件开头。</translation>
        </message>
        <message>
            <source>The time “%1” is larger than the format or any file can hold.</source>
            <translation>时间“%1”超出了格式或文件所能容纳的范围。</translation>
        </message>
        <message>
            <source>A segment ends where or before it starts.</source>
            <translation>有片段的结束时间不晚于其开始时间。</translation>
        </message>
        <message>
            <source>A segment has no start time.</source>
            <translation>有片段没有开始时间。</translation>
        </message>
        <message>
            <source>There are more fields than start, end and label.</source>
            <translation>字段多于开始、结束和名称。</translation>
        </message>
        <message>
            <source>A quoted label is not closed, or text follows its closing quote.</source>
            <translation>带引号的名称未闭合，或闭合引号后还有文字。</translation>
        </message>
        <message>
            <source>A chapter or track does not come after the one before it.</source>
            <translation>有章节或音轨不在前一个之后。</translation>
        </message>
        <message>
            <source>A segment starts at or after the end of the file.</source>
            <translation>有片段在文件结尾或之后开始。</translation>
        </message>
        <message>
            <source>This line is not understood: “%1”.</source>
            <translation>无法理解此行：“%1”。</translation>
        </message>
        <message>
            <source>“%1” is not a timecode at the file's frame rate.</source>
            <translation>“%1”不是符合文件帧率的时间码。</translation>
        </message>
        <message>
            <source>The file's frame rate cannot count timecodes.</source>
            <translation>该文件的帧率无法计算时间码。</translation>
        </message>
        <message>
            <source>A track has no “INDEX 01” line.</source>
            <translation>有音轨没有“INDEX 01”行。</translation>
        </message>
        <message>
            <source>The sheet names a second file; only sheets of one file can be read.</source>
            <translation>该表单指定了第二个文件；只能读取单个文件的表单。</translation>
        </message>
        <message>
            <source>Chapter text must begin at 0:00, and the first segment begins later.</source>
            <translation>章节文本必须从 0:00 开始，而第一个片段开始得更晚。</translation>
        </message>
        <message>
            <source>A segment does not begin where the one before it ends, which this format cannot hold.</source>
            <translation>有片段不是从前一个片段的结尾开始，此格式无法保存。</translation>
        </message>
        <message>
            <source>In this format the last segment must run to the end of the file.</source>
            <translation>在此格式中，最后一个片段必须延续到文件结尾。</translation>
        </message>
        <message>
            <source>A label holds a line break.</source>
            <translation>名称中含有换行符。</translation>
        </message>
        <message>
            <source>A segment runs to the end of a file whose length is unknown.</source>
            <translation>有片段延续到长度未知的文件结尾。</translation>
        </message>
        <message>
            <source>There are more segments than this format can number.</source>
            <translation>片段数量超出此格式可编号的范围。</translation>
        </message>
        <message>
            <source>The file cannot be opened.</source>
            <translation>无法打开该文件。</translation>
        </message>
        <message>
            <source>The file cannot be written.</source>
            <translation>无法写入该文件。</translation>
        </message>
        <message>
            <source>The file is too large to be a cut list.</source>
            <translation>文件太大，不可能是剪辑列表。</translation>
        </message>
        <message>
            <source>Line %1: %2</source>
            <translation>第 %1 行：%2</translation>
        </message>
        <message>
            <source>Segment %1: %2</source>
            <translation>片段 %1：%2</translation>
        </message>
        <message>
            <source>Import Cut List…</source>
            <translation>导入剪辑列表…</translation>
        </message>
        <message>
            <source>Export Cut List…</source>
            <translation>导出剪辑列表…</translation>
        </message>
        <message>
            <source>Segments From Chapters</source>
            <translation>从章节生成片段</translation>
        </message>
        <message>
            <source>Replace</source>
            <translation>替换</translation>
        </message>
        <message>
            <source>Append</source>
            <translation>追加</translation>
        </message>
        <message>
            <source>The work already has segments (%1). Replace them with the %2 from the list, or append those after them?</source>
            <translation>当前已有片段（%1 个）。用列表中的 %2 个替换它们，还是追加到其后？</translation>
        </message>
        <message>
            <source>The work can hold at most %1 segments; appending %2 to %3 would pass that.</source>
            <translation>最多只能有 %1 个片段；在 %3 个后追加 %2 个会超出上限。</translation>
        </message>
        <message>
            <source>The list has %1 segments; the work can hold at most %2.</source>
            <translation>列表有 %1 个片段；最多只能有 %2 个。</translation>
        </message>
        <message>
            <source>Cut Lists (*.csv *.tsv *.txt *.edl *.cue);;All Files (*)</source>
            <translation>剪辑列表 (*.csv *.tsv *.txt *.edl *.cue);;所有文件 (*)</translation>
        </message>
        <message>
            <source>Import Cut List</source>
            <translation>导入剪辑列表</translation>
        </message>
        <message>
            <source>The cut list “%1” cannot be imported.</source>
            <translation>无法导入剪辑列表“%1”。</translation>
        </message>
        <message>
            <source>Its type is none of CSV, TSV, chapter text (.txt), EDL or CUE sheet.</source>
            <translation>其类型不是 CSV、TSV、章节文本（.txt）、EDL 或 CUE 表单中的任何一种。</translation>
        </message>
        <message>
            <source>None of its segments lies within the file, which ends at %1.</source>
            <translation>其中没有任何片段位于文件范围内（文件在 %1 结束）。</translation>
        </message>
        <message>
            <source>Segments reaching past the end of the file were cut at its end: %1.</source>
            <translation>超出文件结尾的片段已在结尾处截断：%1。</translation>
        </message>
        <message>
            <source>Segments after the end of the file were left out: %1.</source>
            <translation>位于文件结尾之后的片段已略去：%1。</translation>
        </message>
        <message>
            <source>CSV (*.csv)</source>
            <translation>CSV (*.csv)</translation>
        </message>
        <message>
            <source>TSV (*.tsv)</source>
            <translation>TSV (*.tsv)</translation>
        </message>
        <message>
            <source>Chapter Text (*.txt)</source>
            <translation>章节文本 (*.txt)</translation>
        </message>
        <message>
            <source>CMX3600 EDL (*.edl)</source>
            <translation>CMX3600 EDL (*.edl)</translation>
        </message>
        <message>
            <source>CUE Sheet (*.cue)</source>
            <translation>CUE 表单 (*.cue)</translation>
        </message>
        <message>
            <source>Export Cut List</source>
            <translation>导出剪辑列表</translation>
        </message>
        <message>
            <source>The cut list cannot be saved as “%1”.</source>
            <translation>无法将剪辑列表保存为“%1”。</translation>
        </message>
        <message>
            <source>The file has no chapters.</source>
            <translation>该文件没有章节。</translation>
        </message>
        <message>
            <source>Chapter %1 starts at or after the end of the file; no segment was made.</source>
            <translation>章节 %1 在文件结尾或之后开始；未生成任何片段。</translation>
        </message>
        <message>
            <source>Detect Cuts…</source>
            <translation>检测剪切点…</translation>
        </message>
        <message>
            <source>The work already has segments (%1). Replace them with the %2 found, or append those after them?</source>
            <translation>工作中已有片段（%1 个）。用找到的 %2 个替换它们，还是追加到其后？</translation>
        </message>
        <message>
            <source>Change Format</source>
            <translation>更改格式</translation>
        </message>
        <message>
            <source>Detect Cuts</source>
            <translation>检测剪切点</translation>
        </message>
        <message>
            <source>Change Start of Segment %1</source>
            <translation>更改片段 %1 的开始</translation>
        </message>
        <message>
            <source>Change End of Segment %1</source>
            <translation>更改片段 %1 的结束</translation>
        </message>
        <message>
            <source>Set Start of Segment %1</source>
            <translation>设置片段 %1 的开始</translation>
        </message>
        <message>
            <source>Set End of Segment %1</source>
            <translation>设置片段 %1 的结束</translation>
        </message>
        <message>
            <source>Add Segment</source>
            <translation>添加片段</translation>
        </message>
        <message>
            <source>Change Tracks</source>
            <translation>更改轨道</translation>
        </message>
        <message>
            <source>Add File</source>
            <translation>添加文件</translation>
        </message>
    </context>
    <context>
        <name>QLoadingDlg</name>
        <message>
            <source>Adding File:</source>
            <translation>正在添加文件：</translation>
        </message>
        <message>
            <source>Added:</source>
            <translation>已添加：</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
    </context>
    <context>
        <name>FormatWidget</name>
        <message>
            <source>Output Format</source>
            <translation>输出格式</translation>
        </message>
        <message>
            <source>High - Speed mode - Fast and Lossless (Recommended)</source>
            <translation>高速模式 - 快速无损（推荐）</translation>
        </message>
        <message>
            <source>Encoding mode - Customize file format, quality and codec (Slow)</source>
            <translation>编码模式 - 自定义文件格式、质量和编码器（较慢）</translation>
        </message>
        <message>
            <source>Frame-exact cuts (re-encode only at the cut points)</source>
            <translation>逐帧精确剪切（仅在剪切点重新编码）</translation>
        </message>
        <message>
            <source>Show Advanced</source>
            <translation>显示高级</translation>
        </message>
        <message>
            <source>Hide Advanced</source>
            <translation>隐藏高级</translation>
        </message>
        <message>
            <source>Preset:</source>
            <translation>预设:</translation>
        </message>
        <message>
            <source>High Quality</source>
            <translation>高质量</translation>
        </message>
        <message>
            <source>Small Size</source>
            <translation>小体积</translation>
        </message>
        <message>
            <source>Customized</source>
            <translation>自定义</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Attention: Please don't change advanced settings if you are 
non-professionals. Please leave it as the default "Original". 
Otherwise the conversion may fail.</source>
            <translation>注意：如果您不是专业人员，请不要更改高级设置。
请保留默认的 "Original"。
否则转换可能会失败。</translation>
        </message>
        <message>
            <source>General Video</source>
            <translation>常规视频</translation>
        </message>
        <message>
            <source>HD Video</source>
            <translation>高清视频</translation>
        </message>
        <message>
            <source>Devices</source>
            <translation>设备</translation>
        </message>
        <message>
            <source>Web</source>
            <translation>网络</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>音频</translation>
        </message>
    </context>
    <context>
        <name>QSettingDlg</name>
        <message>
            <source>Codec:</source>
            <translation>编码器:</translation>
        </message>
        <message>
            <source>Resolution:</source>
            <translation>分辨率:</translation>
        </message>
        <message>
            <source>Frame Rate:</source>
            <translation>帧率:</translation>
        </message>
        <message>
            <source>Bit Rate:</source>
            <translation>比特率:</translation>
        </message>
        <message>
            <source>Channel:</source>
            <translation>声道:</translation>
        </message>
        <message>
            <source>Sample Rate:</source>
            <translation>采样率:</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>视频</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>音频</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>默认</translation>
        </message>
        <message>
            <source>Auto</source>
            <translation>自动</translation>
        </message>
        <message>
            <source>Mono</source>
            <translation>单声道</translation>
        </message>
        <message>
            <source>Stereo</source>
            <translation>立体声</translation>
        </message>
        <message>
            <source>5.1 Surround</source>
            <translation>5.1 环绕声</translation>
        </message>
        <message>
            <source>HDR kept</source>
            <translation>保留 HDR</translation>
        </message>
        <message>
            <source>HDR converted to SDR</source>
            <translation>HDR 转换为 SDR</translation>
        </message>
    </context>
    <context>
        <name>FormatItem</name>
        <message>
            <source>Set</source>
            <translation>设置</translation>
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
        <name>VoKeyFrameScanner</name>
        <message>
            <source>starts at %1, key frame</source>
            <translation>从 %1 开始（关键帧）</translation>
        </message>
    </context>
    <context>
        <name>QConverterObject</name>
        <message>
            <source>The source ends at %1; the segment was cut there.</source>
            <translation>源文件在 %1 处结束；片段已在该处截断。</translation>
        </message>
        <message>
            <source>Segment %1</source>
            <translation>片段 %1</translation>
        </message>
        <message>
            <source>a stream that was asked for is missing (%1)</source>
            <translation>缺少所要求的流（%1）</translation>
        </message>
        <message>
            <source>it does not last as long as its range (%1)</source>
            <translation>其时长与所选范围不符（%1）</translation>
        </message>
        <message>
            <source>its first picture is not shown at its start (%1)</source>
            <translation>其第一幅画面未在开头显示（%1）</translation>
        </message>
        <message>
            <source>its picture and sound do not start together (%1)</source>
            <translation>其画面与声音没有同时开始（%1）</translation>
        </message>
        <message>
            <source>its beginning does not decode (%1)</source>
            <translation>其开头无法解码（%1）</translation>
        </message>
        <message>
            <source>its end does not decode (%1)</source>
            <translation>其结尾无法解码（%1）</translation>
        </message>
        <message>
            <source>it cannot be read back (%1)</source>
            <translation>无法读回（%1）</translation>
        </message>
        <message>
            <source>%1 failed its check and was not kept: %2.</source>
            <translation>%1 未通过检查，未予保留：%2。</translation>
        </message>
        <message>
            <source>The files cannot be joined without encoding: %1. Choose a format to encode them into one file.</source>
            <translation>这些文件无法在不重新编码的情况下合并：%1。请选择一种格式，将它们编码为一个文件。</translation>
        </message>
    </context>
    <context>
        <name>QVideoEditTag</name>
        <message>
            <source>Trim</source>
            <translation>剪切</translation>
        </message>
        <message>
            <source>Adjust</source>
            <translation>调整</translation>
        </message>
        <message>
            <source>Effect</source>
            <translation>效果</translation>
        </message>
        <message>
            <source>Watermark</source>
            <translation>水印</translation>
        </message>
        <message>
            <source>Subtitle</source>
            <translation>字幕</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>音频</translation>
        </message>
        <message>
            <source>Tag</source>
            <translation>标签</translation>
        </message>
    </context>
    <context>
        <name>QCommonButtonForm</name>
        <message>
            <source>Apply to all</source>
            <translation>应用到全部</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>重置</translation>
        </message>
    </context>
    <context>
        <name>QWaitForDlg</name>
        <message>
            <source>Loading</source>
            <translation>正在加载</translation>
        </message>
    </context>
    <context>
        <name>QAdjustOperationForm</name>
        <message>
            <source>Crop, aspect, rotation and mirror of the picture. Drag the rectangle on the left picture to crop.</source>
            <translation>画面的裁剪、宽高比、旋转和镜像。拖动左侧画面上的矩形进行裁剪。</translation>
        </message>
        <message>
            <source>Rotation:</source>
            <translation>旋转：</translation>
        </message>
        <message>
            <source>Rotate Anticlockwise</source>
            <translation>逆时针旋转</translation>
        </message>
        <message>
            <source>Rotate Clockwise</source>
            <translation>顺时针旋转</translation>
        </message>
        <message>
            <source>Flip Horizontal</source>
            <translation>水平翻转</translation>
        </message>
        <message>
            <source>Flip Vertical</source>
            <translation>垂直翻转</translation>
        </message>
        <message>
            <source>Crop Area Size:</source>
            <translation>裁剪区域大小：</translation>
        </message>
        <message>
            <source>Width of the crop area in pixels of the source</source>
            <translation>裁剪区域宽度（源视频像素）</translation>
        </message>
        <message>
            <source>Height of the crop area in pixels of the source</source>
            <translation>裁剪区域高度（源视频像素）</translation>
        </message>
        <message>
            <source>Original Resolution:</source>
            <translation>原始分辨率：</translation>
        </message>
        <message>
            <source>Aspect Ratio:</source>
            <translation>宽高比：</translation>
        </message>
        <message>
            <source>Original Display</source>
            <translation>原始显示</translation>
        </message>
        <message>
            <source>Original Resolution</source>
            <translation>原始分辨率</translation>
        </message>
        <message>
            <source>Full Screen</source>
            <translation>全屏</translation>
        </message>
        <message>
            <source>Pan Scan</source>
            <translation>全景扫描</translation>
        </message>
    </context>
    <context>
        <name>QEffectOperationForm</name>
        <message>
            <source>Brightness, contrast, saturation and hue, video effects and frames.</source>
            <translation>亮度、对比度、饱和度和色调，视频效果和边框。</translation>
        </message>
        <message>
            <source>Brightness:</source>
            <translation>亮度:</translation>
        </message>
        <message>
            <source>Contrast:</source>
            <translation>对比度:</translation>
        </message>
        <message>
            <source>Saturation:</source>
            <translation>饱和度:</translation>
        </message>
        <message>
            <source>Hue:</source>
            <translation>色调:</translation>
        </message>
        <message>
            <source>Video effects</source>
            <translation>视频特效</translation>
        </message>
        <message>
            <source>Frame</source>
            <translation>边框</translation>
        </message>
    </context>
    <context>
        <name>QWatermarkOperationForm</name>
        <message>
            <source>A text or picture watermark. Drag the boxes on the right picture to place and size them.</source>
            <translation>文字或图片水印。拖动右侧画面上的框来放置并调整大小。</translation>
        </message>
        <message>
            <source>Image:</source>
            <translation>图片：</translation>
        </message>
        <message>
            <source>Add Watermark Image</source>
            <translation>添加水印图片</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Transparency:</source>
            <translation>不透明度：</translation>
        </message>
        <message>
            <source>Text:</source>
            <translation>文字：</translation>
        </message>
        <message>
            <source>Type the watermark text here</source>
            <translation>在此输入水印文字</translation>
        </message>
        <message>
            <source>Set Font</source>
            <translation>设置字体</translation>
        </message>
        <message>
            <source>Open Image</source>
            <translation>打开图片</translation>
        </message>
        <message>
            <source>Images (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic)</source>
            <translation>图片 (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic)</translation>
        </message>
    </context>
    <context>
        <name>QSubtitleOperationForm</name>
        <message>
            <source>Subtitles burned into the picture, their font, colour and position.</source>
            <translation>烧录到画面中的字幕及其字体、颜色和位置。</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>轨道：</translation>
        </message>
        <message>
            <source>File:</source>
            <translation>文件：</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>打开文件</translation>
        </message>
        <message>
            <source>Set Font</source>
            <translation>设置字体</translation>
        </message>
        <message>
            <source>Transparency:</source>
            <translation>透明度：</translation>
        </message>
        <message>
            <source>Position:</source>
            <translation>位置：</translation>
        </message>
        <message>
            <source>Top</source>
            <translation>顶部</translation>
        </message>
        <message>
            <source>Middle</source>
            <translation>中间</translation>
        </message>
        <message>
            <source>Bottom</source>
            <translation>底部</translation>
        </message>
        <message>
            <source>Margin:</source>
            <translation>边距：</translation>
        </message>
        <message>
            <source>Scale:</source>
            <translation>缩放：</translation>
        </message>
        <message>
            <source>No Subtitle</source>
            <translation>无字幕</translation>
        </message>
        <message>
            <source>Video Internet CC</source>
            <translation>视频隐藏式字幕</translation>
        </message>
        <message>
            <source>All Subtitle</source>
            <translation>全部字幕</translation>
        </message>
        <message>
            <source>The subtitle file "%1" cannot be opened.</source>
            <translation>无法打开字幕文件“%1”。</translation>
        </message>
        <message>
            <source>The file "%1" is too large to be a subtitle file.</source>
            <translation>文件“%1”太大，不可能是字幕文件。</translation>
        </message>
        <message>
            <source>The file "%1" is not a subtitle file this program reads (SRT, ASS, SSA, WebVTT or MicroDVD SUB).</source>
            <translation>文件“%1”不是本程序可读取的字幕文件（SRT、ASS、SSA、WebVTT 或 MicroDVD SUB）。</translation>
        </message>
        <message>
            <source>The file "%1" is not a text subtitle file.</source>
            <translation>文件“%1”不是文本字幕文件。</translation>
        </message>
        <message>
            <source>The file "%1" is damaged: its header is missing.</source>
            <translation>文件“%1”已损坏：缺少文件头。</translation>
        </message>
        <message>
            <source>The file "%1" holds no subtitle with a valid time.</source>
            <translation>文件“%1”中没有时间有效的字幕。</translation>
        </message>
        <message>
            <source>Open Subtitle File</source>
            <translation>打开字幕文件</translation>
        </message>
        <message>
            <source>Subtitles (%1)</source>
            <translation>字幕 (%1)</translation>
        </message>
        <message>
            <source>Subtitle files can only be burned into the picture in Encoding mode.</source>
            <translation>字幕文件只能在编码模式下压制到画面中。</translation>
        </message>
    </context>
    <context>
        <name>QAudioOperationForm</name>
        <message>
            <source>Volume, background music and sound effects.</source>
            <translation>音量、背景音乐和音效。</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>音轨:</translation>
        </message>
        <message>
            <source>Volume:</source>
            <translation>音量:</translation>
        </message>
        <message>
            <source>File:</source>
            <translation>文件:</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>打开文件</translation>
        </message>
        <message>
            <source>Weight:</source>
            <translation>比重:</translation>
        </message>
        <message>
            <source>Repeat</source>
            <translation>重复</translation>
        </message>
        <message>
            <source>Fade in (s):</source>
            <translation>淡入 (秒):</translation>
        </message>
        <message>
            <source>Fade out (s):</source>
            <translation>淡出 (秒):</translation>
        </message>
        <message>
            <source>No Audio</source>
            <translation>无音频</translation>
        </message>
        <message>
            <source>All Audio</source>
            <translation>全部音频</translation>
        </message>
        <message>
            <source>Open Audio File</source>
            <translation>打开音频文件</translation>
        </message>
        <message>
            <source>audio files(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;video files(*.avi;*.mp4;*.mov;*.3gp;*.flv;*.mkv;*.rmvb;*.wmv;*.mpg;*.mpeg;*.ts;*.trp);;all files(*.*)</source>
            <translation>音频文件(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;视频文件(*.avi;*.mp4;*.mov;*.3gp;*.flv;*.mkv;*.rmvb;*.wmv;*.mpg;*.mpeg;*.ts;*.trp);;所有文件(*.*)</translation>
        </message>
        <message>
            <source>Sound effects:</source>
            <translation>音效:</translation>
        </message>
    </context>
    <context>
        <name>QAudioTagForm</name>
        <message>
            <source>Title, artist, album and the other tags written into the output.</source>
            <translation>写入输出文件的标题、艺术家、专辑等标签。</translation>
        </message>
        <message>
            <source>Title:</source>
            <translation>标题:</translation>
        </message>
        <message>
            <source>Artist:</source>
            <translation>艺术家:</translation>
        </message>
        <message>
            <source>Composer:</source>
            <translation>作曲:</translation>
        </message>
        <message>
            <source>Album:</source>
            <translation>专辑:</translation>
        </message>
        <message>
            <source>Genre:</source>
            <translation>流派:</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>音轨:</translation>
        </message>
        <message>
            <source>Disc Num:</source>
            <translation>碟片号:</translation>
        </message>
        <message>
            <source>Year:</source>
            <translation>年份:</translation>
        </message>
        <message>
            <source>Grouping:</source>
            <translation>分组:</translation>
        </message>
        <message>
            <source>Copyright:</source>
            <translation>版权:</translation>
        </message>
        <message>
            <source>Comments:</source>
            <translation>注释:</translation>
        </message>
        <message>
            <source>Cover:</source>
            <translation>封面:</translation>
        </message>
        <message>
            <source>Add Image</source>
            <translation>添加图片</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>删除</translation>
        </message>
        <message>
            <source>Open Image</source>
            <translation>打开图片</translation>
        </message>
        <message>
            <source>Images (*.png *.xpm *.jpg)</source>
            <translation>图片 (*.png *.xpm *.jpg)</translation>
        </message>
    </context>
    <context>
        <name>QPlayerOperationForm</name>
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
            <source>Snapshot</source>
            <translation>快照</translation>
        </message>
        <message>
            <source>Snapshot Menu</source>
            <translation>快照菜单</translation>
        </message>
    </context>
    <context>
        <name>QTrimOperationForm</name>
        <message>
            <source>Previous Frame</source>
            <translation>上一帧</translation>
        </message>
        <message>
            <source>Next Frame</source>
            <translation>下一帧</translation>
        </message>
        <message>
            <source>Play Section</source>
            <translation>播放片段</translation>
        </message>
        <message>
            <source>Pause Section</source>
            <translation>暂停片段</translation>
        </message>
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
            <source>Snapshot</source>
            <translation>快照</translation>
        </message>
        <message>
            <source>Snapshot Menu</source>
            <translation>快照菜单</translation>
        </message>
        <message>
            <source>Trim</source>
            <translation>剪切</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>重置</translation>
        </message>
    </context>
    <context>
        <name>QVideoEditingDlg</name>
        <message>
            <source>Video Edit</source>
            <translation>视频编辑</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Snapshot successfully!</source>
            <translation>快照已保存！</translation>
        </message>
        <message>
            <source>Snapshot failed!</source>
            <translation>快照失败！</translation>
        </message>
        <message>
            <source>Open Folder</source>
            <translation>打开文件夹</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>设置</translation>
        </message>
    </context>
    <context>
        <name>QEditTipDlg</name>
        <message>
            <source>Video Edit</source>
            <translation>视频编辑</translation>
        </message>
        <message>
            <source>Note: The currently selected output mode is High-Speed mode (Lossless). The edited effect won't be applied to the output file.</source>
            <translation>注意：当前选择的输出模式为高速模式（无损）。编辑的效果不会应用到输出文件。</translation>
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
        <name>QWatermartTextSettingDlg</name>
        <message>
            <source>Font</source>
            <translation>字体</translation>
        </message>
        <message>
            <source>Choose the font of the watermark text</source>
            <translation>选择水印文字的字体</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>重置</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Font Name:</source>
            <translation>字体名称：</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>字体颜色：</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>描边颜色：</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>描边粗细：</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>阴影颜色：</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>阴影偏移：</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>水平间距：</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>垂直间距：</translation>
        </message>
        <message>
            <source>Choose a colour</source>
            <translation>选择颜色</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>默认</translation>
        </message>
        <message>
            <source>Select Color</source>
            <translation>选择颜色</translation>
        </message>
    </context>
    <context>
        <name>QSubtitleSettingDlg</name>
        <message>
            <source>Font</source>
            <translation>字体</translation>
        </message>
        <message>
            <source>Font Name:</source>
            <translation>字体名称：</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>默认</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>字体颜色：</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>描边颜色：</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>描边粗细：</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>阴影颜色：</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>阴影偏移：</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>水平间距：</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>垂直间距：</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>重置</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Choose the font of the subtitles</source>
            <translation>选择字幕的字体</translation>
        </message>
    </context>
    <context>
        <name>QCaptureSettingDlg</name>
        <message>
            <source>Snapshot Setting</source>
            <translation>快照设置</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>Save to:</source>
            <translation>保存到：</translation>
        </message>
        <message>
            <source>Format:</source>
            <translation>格式：</translation>
        </message>
        <message>
            <source>Please choose destination folder</source>
            <translation>请选择目标文件夹</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>is not exists</source>
            <translation> 不存在</translation>
        </message>
        <message>
            <source>The folder "%1" cannot be written to. Please choose another folder for snapshots.</source>
            <translation>无法写入文件夹“%1”。请为快照选择其他文件夹。</translation>
        </message>
        <message>
            <source>Save to</source>
            <translation>保存到</translation>
        </message>
    </context>
    <context>
        <name>EffectLibrary</name>
        <message>
            <source>None</source>
            <translation>无</translation>
        </message>
        <message>
            <source>Snow</source>
            <translation>雪花</translation>
        </message>
        <message>
            <source>Rain</source>
            <translation>雨</translation>
        </message>
        <message>
            <source>Bubbles</source>
            <translation>泡泡</translation>
        </message>
        <message>
            <source>Sparkles</source>
            <translation>闪光</translation>
        </message>
        <message>
            <source>Falling Leaves</source>
            <translation>落叶</translation>
        </message>
        <message>
            <source>Light Leak</source>
            <translation>漏光</translation>
        </message>
        <message>
            <source>Film Grain</source>
            <translation>胶片颗粒</translation>
        </message>
        <message>
            <source>Confetti</source>
            <translation>彩纸</translation>
        </message>
        <message>
            <source>Gold</source>
            <translation>金色</translation>
        </message>
        <message>
            <source>Wood</source>
            <translation>木纹</translation>
        </message>
        <message>
            <source>Film Strip</source>
            <translation>胶片</translation>
        </message>
        <message>
            <source>Instant Photo</source>
            <translation>拍立得</translation>
        </message>
        <message>
            <source>Rounded</source>
            <translation>圆角</translation>
        </message>
        <message>
            <source>Neon</source>
            <translation>霓虹</translation>
        </message>
        <message>
            <source>Dots</source>
            <translation>圆点</translation>
        </message>
        <message>
            <source>Vignette</source>
            <translation>暗角</translation>
        </message>
        <message>
            <source>Bass Boost</source>
            <translation>低音增强</translation>
        </message>
        <message>
            <source>Treble Boost</source>
            <translation>高音增强</translation>
        </message>
        <message>
            <source>Voice</source>
            <translation>人声</translation>
        </message>
        <message>
            <source>Radio</source>
            <translation>收音机</translation>
        </message>
        <message>
            <source>Telephone</source>
            <translation>电话</translation>
        </message>
        <message>
            <source>Stadium</source>
            <translation>体育场</translation>
        </message>
        <message>
            <source>Slow</source>
            <translation>慢速</translation>
        </message>
        <message>
            <source>Fast</source>
            <translation>快速</translation>
        </message>
    </context>
    <context>
        <name>ControlNames</name>
        <message>
            <source>%1: later</source>
            <translation>%1：向后</translation>
        </message>
        <message>
            <source>%1: earlier</source>
            <translation>%1：向前</translation>
        </message>
    </context>
    <context>
        <name>QButtonListDlg</name>
        <message>
            <source>Segment %1</source>
            <translation>片段 %1</translation>
        </message>
        <message>
            <source>Previous Segments</source>
            <translation>上一组片段</translation>
        </message>
        <message>
            <source>Next Segments</source>
            <translation>下一组片段</translation>
        </message>
    </context>
    <context>
        <name>QShortcut</name>
        <message>
            <source>Ctrl</source>
            <translation>Ctrl</translation>
        </message>
        <message>
            <source>Shift</source>
            <translation>Shift</translation>
        </message>
        <message>
            <source>Alt</source>
            <translation>Alt</translation>
        </message>
        <message>
            <source>Space</source>
            <translation>空格</translation>
        </message>
        <message>
            <source>Esc</source>
            <translation>Esc</translation>
        </message>
        <message>
            <source>Return</source>
            <translation>回车</translation>
        </message>
        <message>
            <source>Enter</source>
            <translation>Enter</translation>
        </message>
        <message>
            <source>Ins</source>
            <translation>Ins</translation>
        </message>
        <message>
            <source>Del</source>
            <translation>Del</translation>
        </message>
        <message>
            <source>Left</source>
            <translation>左</translation>
        </message>
        <message>
            <source>Right</source>
            <translation>右</translation>
        </message>
    </context>
    <context>
        <name>AddFileThread</name>
        <message>
            <source>Only files on this computer can be opened.</source>
            <translation>只能打开本机上的文件。</translation>
        </message>
        <message>
            <source>The file name has no extension.</source>
            <translation>文件名没有扩展名。</translation>
        </message>
        <message>
            <source>Folders are not opened; choose a file.</source>
            <translation>不会打开文件夹；请选择一个文件。</translation>
        </message>
    </context>
    <context>
        <name>QFontLookPanel</name>
        <message>
            <source>Font Name:</source>
            <translation>字体名称：</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>字体颜色：</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>描边颜色：</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>描边粗细：</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>阴影颜色：</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>阴影偏移：</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>水平间距：</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>垂直间距：</translation>
        </message>
        <message>
            <source>Choose a colour</source>
            <translation>选择颜色</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>默认</translation>
        </message>
        <message>
            <source>Select Color</source>
            <translation>选择颜色</translation>
        </message>
        <message>
            <source>Font</source>
            <translation>字体</translation>
        </message>
    </context>
    <context>
        <name>QFontLookDialog</name>
        <message>
            <source>Font</source>
            <translation>字体</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>重置</translation>
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
        <name>QCustomTimeEdit</name>
        <message>
            <source>Set to %1, the latest time allowed here.</source>
            <translation>已设为 %1，即此处允许的最晚时间。</translation>
        </message>
        <message>
            <source>Set to %1, the earliest time allowed here.</source>
            <translation>已设为 %1，即此处允许的最早时间。</translation>
        </message>
    </context>
    <context>
        <name>snipwell-cli</name>
        <message>
            <source>the file has no chapters</source>
            <translation>文件没有章节</translation>
        </message>
        <message>
            <source>not a media file we can read</source>
            <translation>不是可读取的媒体文件</translation>
        </message>
        <message>
            <source>segment %1 (%2) ends past the end of the file (%3); it was cut there</source>
            <translation>片段 %1（%2）的结束超出文件结尾（%3）；已在该处截断</translation>
        </message>
        <message>
            <source>segment %1 (%2) starts past the end of the file (%3); it was left out</source>
            <translation>片段 %1（%2）的开始超出文件结尾（%3）；已略过</translation>
        </message>
        <message>
            <source>Part %1</source>
            <translation>第 %1 部分</translation>
        </message>
        <message>
            <source>%1: not frame-exact, %2</source>
            <translation>%1：未精确到帧，%2</translation>
        </message>
        <message>
            <source>--name %1: %2 is not a placeholder; use {name} {n} {label} {start} {end} {ext} {date}</source>
            <translation>--name %1：%2 不是占位符；请使用 {name} {n} {label} {start} {end} {ext} {date}</translation>
        </message>
        <message>
            <source>the output folder cannot be made</source>
            <translation>无法创建输出文件夹</translation>
        </message>
        <message>
            <source>the output folder is not writable</source>
            <translation>输出文件夹不可写入</translation>
        </message>
        <message>
            <source>stopped; nothing half-written was left behind</source>
            <translation>已停止；未留下写了一半的文件</translation>
        </message>
        <message>
            <source>%1 needs a value</source>
            <translation>%1 需要一个值</translation>
        </message>
        <message>
            <source>unknown option %1</source>
            <translation>未知选项 %1</translation>
        </message>
        <message>
            <source>--cut %1: write the segment as START-END</source>
            <translation>--cut %1：请将片段写成 START-END</translation>
        </message>
        <message>
            <source>--cut %1: '%2' is not a time (12.5, 1:02.5 or 1:02:03.250)</source>
            <translation>--cut %1：'%2' 不是时间（12.5、1:02.5 或 1:02:03.250）</translation>
        </message>
        <message>
            <source>--cut %1: the end is not after the start</source>
            <translation>--cut %1：结束不在开始之后</translation>
        </message>
        <message>
            <source>--cuts %1: not a cut list (.csv, .tsv, .txt, .edl or .cue) or project (.snipwell)</source>
            <translation>--cuts %1：既不是剪辑列表（.csv、.tsv、.txt、.edl 或 .cue），也不是项目（.snipwell）</translation>
        </message>
        <message>
            <source>--cuts %1: the project holds no segments</source>
            <translation>--cuts %1：项目中没有片段</translation>
        </message>
        <message>
            <source>--jobs %1: give a number from 1 to 64</source>
            <translation>--jobs %1：请给出 1 到 64 之间的数字</translation>
        </message>
        <message>
            <source>no FILE to cut</source>
            <translation>没有要剪切的文件</translation>
        </message>
        <message>
            <source>--mode %1: use copy, exact or encode</source>
            <translation>--mode %1：请使用 copy、exact 或 encode</translation>
        </message>
        <message>
            <source>--merge-chapters goes with --merge</source>
            <translation>--merge-chapters 需与 --merge 一起使用</translation>
        </message>
        <message>
            <source>--merge-chapters goes with --mode copy or exact</source>
            <translation>--merge-chapters 需与 --mode copy 或 exact 一起使用</translation>
        </message>
        <message>
            <source>--format, --quality, the encoding parameters and --edits go with --mode encode</source>
            <translation>--format、--quality、编码参数和 --edits 需与 --mode encode 一起使用</translation>
        </message>
        <message>
            <source>--container goes with --mode copy or exact; --format chooses the container of an encode</source>
            <translation>--container 需与 --mode copy 或 exact 一起使用；编码的容器由 --format 选择</translation>
        </message>
        <message>
            <source>unknown container '%1'; one of: %2</source>
            <translation>未知容器 '%1'；可选：%2</translation>
        </message>
        <message>
            <source>unknown format '%1'; one of: %2</source>
            <translation>未知格式 '%1'；可选：%2</translation>
        </message>
        <message>
            <source>--quality %1: use small or high</source>
            <translation>--quality %1：请使用 small 或 high</translation>
        </message>
        <message>
            <source>--size %1: write it as WIDTHxHEIGHT</source>
            <translation>--size %1：请写成 宽x高</translation>
        </message>
        <message>
            <source>%1 %2: give a positive number</source>
            <translation>%1 %2：请给出正数</translation>
        </message>
        <message>
            <source>--edits %1: %2</source>
            <translation>--edits %1：%2</translation>
        </message>
        <message>
            <source>no FILE to read</source>
            <translation>没有要读取的文件</translation>
        </message>
        <message>
            <source>snipwell-cli info FILE...
    One JSON object a line for each FILE: format, duration, streams,
    chapters and the number of key frames.
</source>
            <translation>snipwell-cli info 文件...
    每个文件输出一行 JSON 对象：格式、时长、流、
    章节和关键帧数量。
</translation>
        </message>
        <message>
            <source>snipwell-cli cut [OPTIONS] FILE...
    Cuts the same segments out of every FILE.

  Segments (in the order given; none: the whole file):
    --cut START-END       a segment; times as 12.5, 1:02.5 or 1:02:03.250;
                          an empty END runs to the end (repeatable)
    --cuts LIST           the segments of a cut list: .csv, .tsv, .edl, .cue,
                          .txt chapter lines, or a .snipwell project with
                          its labels (repeatable)
    --chapters            one segment per chapter of each FILE

  Output:
    --mode MODE           copy (lossless at key frames, the default),
                          exact (lossless, frame-exact) or encode
    --container NAME      copy and exact: original (the default), mp4, mkv,
                          mov, ts, ... as in the lossless format list
    --format NAME         encode: a format by its title or number, as in
                          the format dialog ("MP4 H.264/AAC", 4000)
    --quality QUALITY     encode: small or high (the default)
    --merge               all segments of a FILE into one output
    --merge-chapters      with --merge (copy, exact): one chapter per segment
    --output-dir DIR      where outputs go (default: the program's output
                          folder, a folder per FILE)
    --name TEMPLATE       output names, as the window's template: {name}
                          {n} {label} {start} {end} {ext} {date}
                          (default {name}_{n}.{ext})

  Encoding parameters (encode; default: the format's):
    --video-codec TAG     as the profiles name codecs (H264, HEVC, ...), or none
    --audio-codec TAG     (AAC, MP3, ...), or none
    --size WxH            picture size (default: the source's when the
                          format allows any size, else the format's)
    --fps RATE            frame rate
    --video-bitrate KBPS
    --audio-bitrate KBPS
    --channels N
    --sample-rate HZ
    --edits FILE          edits as JSON: the editing record's fields

  Running:
    --jobs N              files converted at once (default 1)
    --json                one JSON object a line on standard output:
                          progress, each output with its path, cut
                          report and check, notes and errors
</source>
            <translation>snipwell-cli cut [选项] 文件...
    从每个文件中剪切相同的片段。

  片段（按给出的顺序；不指定：整个文件）：
    --cut START-END       一个片段；时间格式为 12.5、1:02.5 或 1:02:03.250；
                          END 为空表示到结尾（可重复）
    --cuts LIST           剪辑列表中的片段：.csv、.tsv、.edl、.cue、
                          .txt 章节行或 .snipwell 项目（连同片段名称，
                          可重复）
    --chapters            每个文件的每个章节作为一个片段

  输出：
    --mode MODE           copy（在关键帧处无损，默认）、
                          exact（无损，精确到帧）或 encode
    --container NAME      copy 和 exact：original（默认）、mp4、mkv、
                          mov、ts 等，与无损格式列表相同
    --format NAME         encode：按标题或编号指定格式，与格式对话框相同
                          （"MP4 H.264/AAC"、4000）
    --quality QUALITY     encode：small 或 high（默认）
    --merge               将一个文件的所有片段合并为一个输出
    --merge-chapters      与 --merge 一起使用（copy、exact）：每个片段一个章节
    --output-dir DIR      输出位置（默认：程序的输出文件夹，
                          每个文件一个文件夹）
    --name TEMPLATE       输出名称，与窗口的名称模板相同：
                          {name} {n} {label} {start} {end} {ext} {date}
                          （默认 {name}_{n}.{ext}）

  编码参数（encode；默认：格式自身的值）：
    --video-codec TAG     按配置文件中的编解码器名称（H264、HEVC 等），或 none
    --audio-codec TAG     （AAC、MP3 等），或 none
    --size WxH            画面尺寸（默认：格式允许任意尺寸时为源的尺寸，
                          否则为格式的尺寸）
    --fps RATE            帧率
    --video-bitrate KBPS
    --audio-bitrate KBPS
    --channels N
    --sample-rate HZ
    --edits FILE          以 JSON 表示的编辑：编辑记录的字段

  运行：
    --jobs N              同时转换的文件数（默认 1）
    --json                在标准输出上每行一个 JSON 对象：
                          进度、每个输出及其路径、剪切报告和检查结果、
                          提示和错误
</translation>
        </message>
        <message>
            <source>no such file</source>
            <translation>没有此文件</translation>
        </message>
        <message>
            <source>a folder, not a file</source>
            <translation>是文件夹，不是文件</translation>
        </message>
        <message>
            <source>not readable (permission denied)</source>
            <translation>不可读取（权限被拒绝）</translation>
        </message>
        <message>
            <source>Usage: snipwell-cli COMMAND [OPTIONS] FILE...
Cuts video and audio files without the window, on the same conversion
path as the Zelvane Snipwell window.

</source>
            <translation>用法：snipwell-cli 命令 [选项] 文件...
无需窗口即可剪切视频和音频文件，使用与 Zelvane Snipwell
窗口相同的转换路径。

</translation>
        </message>
        <message>
            <source>  --help                  this text (COMMAND --help: the command's)
  --version               the program's version

Exit status: 0 when every output was written, 1 when a file failed (the
others are still written), 2 for a wrong command line. Ctrl+C stops and
leaves no partial output. See snipwell-cli(1).
</source>
            <translation>  --help                  本说明（命令 --help：该命令的说明）
  --version               程序版本

退出状态：所有输出均已写入时为 0，有文件失败时为 1（其他文件仍会写入），
命令行错误时为 2。Ctrl+C 会停止，且不会留下不完整的输出。参见 snipwell-cli(1)。
</translation>
        </message>
        <message>
            <source>Usage: </source>
            <translation>用法：</translation>
        </message>
        <message>
            <source>a command is missing: info or cut</source>
            <translation>缺少命令：info 或 cut</translation>
        </message>
        <message>
            <source>unknown command '%1'</source>
            <translation>未知命令 '%1'</translation>
        </message>
        <message>
            <source>Try 'snipwell-cli --help'.</source>
            <translation>请参阅 'snipwell-cli --help'。</translation>
        </message>
        <message>
            <source>the file has no sound to search</source>
            <translation>文件中没有可检测的声音</translation>
        </message>
        <message>
            <source>the file has no pictures to search</source>
            <translation>文件中没有可检测的画面</translation>
        </message>
        <message>
            <source>stopped</source>
            <translation>已停止</translation>
        </message>
        <message>
            <source>a setting is out of its range</source>
            <translation>某项设置超出了其范围</translation>
        </message>
        <message>
            <source>cannot be read: %1</source>
            <translation>无法读取：%1</translation>
        </message>
        <message>
            <source>no KIND given: silence, black, scene or freeze</source>
            <translation>未指定 KIND：silence、black、scene 或 freeze</translation>
        </message>
        <message>
            <source>unknown KIND %1: silence, black, scene or freeze</source>
            <translation>未知的 KIND %1：silence、black、scene 或 freeze</translation>
        </message>
        <message>
            <source>%1 needs a number</source>
            <translation>%1 需要一个数字</translation>
        </message>
        <message>
            <source>snipwell-cli detect KIND [OPTIONS] FILE...
    Finds places to cut in every FILE and prints them in seconds, one a
    line: KIND silence, black or freeze gives START END of each range,
    scene the time of each picture change.

    --threshold VALUE     silence: level in dB (-50); black: share of black
                          pixels, 0 to 1 (0.98); scene: change score, 0 to
                          100 (10); freeze: difference in dB (-60)
    --min-length SECONDS  shortest range (silence 1, black 0.5, freeze 2);
                          scene: shortest time between changes (1)
    --json                one JSON object a line for each FILE
</source>
            <translation>snipwell-cli detect KIND [选项] 文件...
    在每个文件中查找剪切点，以秒为单位逐行输出：
    KIND 为 silence、black 或 freeze 时给出每个区间的 开始 结束，
    为 scene 时给出每次画面切换的时间。

    --threshold 值        silence：电平，单位 dB（-50）；black：黑色像素比例，
                          0 到 1（0.98）；scene：变化分数，0 到 100（10）；
                          freeze：差异，单位 dB（-60）
    --min-length 秒       最短区间（silence 1，black 0.5，freeze 2）；
                          scene：两次切换之间的最短间隔（1）
    --json                每个文件输出一行 JSON 对象
</translation>
        </message>
        <message>
            <source>--cuts %1: not a cut list (.csv, .tsv, .txt, .edl or .cue)</source>
            <translation>--cuts %1：不是剪辑列表（.csv、.tsv、.txt、.edl 或 .cue）</translation>
        </message>
        <message>
            <source>snipwell-cli cut [OPTIONS] FILE...
    Cuts the same segments out of every FILE.

  Segments (in the order given; none: the whole file):
    --cut START-END       a segment; times as 12.5, 1:02.5 or 1:02:03.250;
                          an empty END runs to the end (repeatable)
    --cuts LIST           the segments of a cut list: .csv, .tsv, .edl, .cue,
                          or .txt chapter lines (repeatable)
    --chapters            one segment per chapter of each FILE

  Output:
    --mode MODE           copy (lossless at key frames, the default),
                          exact (lossless, frame-exact) or encode
    --container NAME      copy and exact: original (the default), mp4, mkv,
                          mov, ts, ... as in the lossless format list
    --format NAME         encode: a format by its title or number, as in
                          the format dialog ("MP4 H.264/AAC", 4000)
    --quality QUALITY     encode: small or high (the default)
    --merge               all segments of a FILE into one output
    --merge-chapters      with --merge (copy, exact): one chapter per segment
    --output-dir DIR      where outputs go (default: the program's output
                          folder, a folder per FILE)
    --name TEMPLATE       output names, as the window's template: {name}
                          {n} {label} {start} {end} {ext} {date}
                          (default {name}_{n}.{ext})

  Encoding parameters (encode; default: the format's):
    --video-codec TAG     as the profiles name codecs (H264, HEVC, ...), or none
    --audio-codec TAG     (AAC, MP3, ...), or none
    --size WxH            picture size (default: the source's when the
                          format allows any size, else the format's)
    --fps RATE            frame rate
    --video-bitrate KBPS
    --audio-bitrate KBPS
    --channels N
    --sample-rate HZ
    --edits FILE          edits as JSON: the editing record's fields

  Running:
    --jobs N              files converted at once (default 1)
    --json                one JSON object a line on standard output:
                          progress, each output with its path, cut
                          report and check, notes and errors
</source>
            <translation>snipwell-cli cut [选项] 文件...
    从每个文件中剪切相同的片段。

  片段（按给出的顺序；不指定：整个文件）：
    --cut START-END       一个片段；时间格式为 12.5、1:02.5 或 1:02:03.250；
                          END 为空表示到结尾（可重复）
    --cuts LIST           剪辑列表中的片段：.csv、.tsv、.edl、.cue
                          或 .txt 章节行（可重复）
    --chapters            每个文件的每个章节作为一个片段

  输出：
    --mode MODE           copy（在关键帧处无损，默认）、
                          exact（无损，精确到帧）或 encode
    --container NAME      copy 和 exact：original（默认）、mp4、mkv、
                          mov、ts 等，与无损格式列表相同
    --format NAME         encode：按标题或编号指定格式，与格式对话框相同
                          （"MP4 H.264/AAC"、4000）
    --quality QUALITY     encode：small 或 high（默认）
    --merge               将一个文件的所有片段合并为一个输出
    --merge-chapters      与 --merge 一起使用（copy、exact）：每个片段一个章节
    --output-dir DIR      输出位置（默认：程序的输出文件夹，
                          每个文件一个文件夹）
    --name TEMPLATE       输出名称，与窗口的名称模板相同：
                          {name} {n} {label} {start} {end} {ext} {date}
                          （默认 {name}_{n}.{ext}）

  编码参数（encode；默认：格式自身的值）：
    --video-codec TAG     按配置文件中的编解码器名称（H264、HEVC 等），或 none
    --audio-codec TAG     （AAC、MP3 等），或 none
    --size WxH            画面尺寸（默认：格式允许任意尺寸时为源的尺寸，
                          否则为格式的尺寸）
    --fps RATE            帧率
    --video-bitrate KBPS
    --audio-bitrate KBPS
    --channels N
    --sample-rate HZ
    --edits FILE          以 JSON 表示的编辑：编辑记录的字段

  运行：
    --jobs N              同时转换的文件数（默认 1）
    --json                在标准输出上每行一个 JSON 对象：
                          进度、每个输出及其路径、剪切报告和检查结果、
                          提示和错误
</translation>
        </message>
        <message>
            <source>the settings could not be read and were reset; the old settings file was kept as %1</source>
            <translation>无法读取设置，已将其重置；旧的设置文件已保留为 %1</translation>
        </message>
        <message>
            <source>snipwell-cli extract-subtitles [OPTIONS] FILE...
    Writes every subtitle stream of each FILE to a file of its own,
    NAME.INDEX.LANGUAGE.srt: text as SRT (or ASS), PGS pictures as .sup,
    other picture subtitles as .mks. Existing files are left alone.

    --format FORMAT       text streams: srt (the default) or ass
    --cut START-END       only what this segment shows, timed as the cut
                          of the segments joined in order (repeatable)
    --output-dir DIR      where the files go (default: beside FILE)
    --json                one JSON object a line for each file written
</source>
            <translation>snipwell-cli extract-subtitles [选项] 文件...
    将每个文件的每条字幕流写入单独的文件
    NAME.INDEX.语言.srt：文本为 SRT（或 ASS），PGS 图像为 .sup，
    其他图像字幕为 .mks。已存在的文件保持不变。

    --format FORMAT       文本流：srt（默认）或 ass
    --cut 开始-结束       仅保留此片段显示的内容，时间按各片段依次
                          拼接后的剪辑计算（可重复）
    --output-dir 文件夹   文件的保存位置（默认：文件旁边）
    --json                每写出一个文件输出一行 JSON 对象
</translation>
        </message>
        <message>
            <source>unknown subtitle format %1: srt or ass</source>
            <translation>未知的字幕格式 %1：srt 或 ass</translation>
        </message>
        <message>
            <source>%1 needs START-END, the end after the start</source>
            <translation>%1 需要 开始-结束，且结束晚于开始</translation>
        </message>
        <message>
            <source>the output folder %1 does not exist</source>
            <translation>输出文件夹 %1 不存在</translation>
        </message>
        <message>
            <source>stream %1</source>
            <translation>流 %1</translation>
        </message>
        <message>
            <source>%1 subtitles can be neither read as text nor kept as pictures</source>
            <translation>%1 字幕既不能作为文本读取，也不能作为图像保留</translation>
        </message>
        <message>
            <source>%1 already exists; remove it or choose another --output-dir</source>
            <translation>%1 已存在；请删除它或选择其他 --output-dir</translation>
        </message>
        <message>
            <source>no subtitle streams</source>
            <translation>没有字幕流</translation>
        </message>
        <message>
            <source>%1 %2: '%3' names no stream; use an index (3), a kind and number (v:0, a:1, s:0) or a kind and language (a:eng)</source>
            <translation>%1 %2：“%3”不是任何流的名称；请使用索引 (3)、类型加序号 (v:0, a:1, s:0) 或类型加语言 (a:eng)</translation>
        </message>
        <message>
            <source>%1 %2: write it as STREAM=VALUE</source>
            <translation>%1 %2：请写成 流=值 的形式</translation>
        </message>
        <message>
            <source>%1 %2: '%3' is not a language code of ISO 639-2 (eng, ger, fre, ...)</source>
            <translation>%1 %2：“%3”不是 ISO 639-2 语言代码（eng、ger、fre……）</translation>
        </message>
        <message>
            <source>%1 %2: give the shift in whole milliseconds, like -200 or 150</source>
            <translation>%1 %2：请以整数毫秒给出偏移，例如 -200 或 150</translation>
        </message>
        <message>
            <source>%1 %2: the file has no such stream</source>
            <translation>%1 %2：文件中没有这个流</translation>
        </message>
        <message>
            <source>--shift %1=%2: the shift is as long as the file or longer</source>
            <translation>--shift %1=%2：偏移量等于或超过文件长度</translation>
        </message>
        <message>
            <source>--shift %1: pictures cannot be shifted; shift the sound instead</source>
            <translation>--shift %1：画面无法偏移；请改为偏移声音</translation>
        </message>
        <message>
            <source>--drop leaves no stream to write</source>
            <translation>--drop 之后没有可写入的流</translation>
        </message>
        <message>
            <source>%1 %2: use an index (3), a kind and number (a:1) or a kind and language (a:eng)</source>
            <translation>%1 %2：请使用索引 (3)、类型加序号 (a:1) 或类型加语言 (a:eng)</translation>
        </message>
        <message>
            <source>offset takes FILE, or FILE and SECOND_FILE</source>
            <translation>offset 需要 FILE，或 FILE 与 SECOND_FILE</translation>
        </message>
        <message>
            <source>%1: the file has no such sound track</source>
            <translation>%1：文件中没有这条音轨</translation>
        </message>
        <message>
            <source>  Streams (every mode; STREAM is an index in the source, 3, a kind and
  number, v:0 a:1 s:0, or a kind and language, a:eng):
    --drop STREAM         leave the stream out (repeatable)
    --order STREAM,...    the named streams first within their kind;
                          outputs hold pictures, then sound, then subtitles
    --language STREAM=LANG  ISO 639-2 code, like eng (repeatable)
    --title STREAM=TEXT   the stream's title (repeatable)
    --default STREAM      the default of its kind; the others lose it
    --forced STREAM       mark the stream forced
    --shift STREAM=MS     move a sound or subtitle stream by signed
                          milliseconds: sound moved before the start is
                          cut at a frame, a gap at the start stays a gap.
                          Encoding keeps the first sound stream kept
</source>
            <translation>  流（所有模式；STREAM 为源中的索引 3、类型加序号 v:0 a:1 s:0，
  或类型加语言 a:eng）：
    --drop STREAM         舍弃该流（可重复）
    --order STREAM,...    所列流在其类型中排在最前；输出依次为
                          画面、声音、字幕
    --language STREAM=LANG  ISO 639-2 代码，如 eng（可重复）
    --title STREAM=TEXT   流的标题（可重复）
    --default STREAM      设为其类型的默认流；其他流失去默认标记
    --forced STREAM       将流标为强制
    --shift STREAM=MS     按有符号毫秒移动声音或字幕流：移到开头之前
                          的声音按帧裁掉，开头的空隙保持为空隙。
                          编码只保留第一条保留的音轨
</translation>
        </message>
        <message>
            <source>snipwell-cli offset [OPTIONS] FILE [SECOND_FILE]
    Prints in seconds how much later the second sound track's sound comes
    than the first's (negative: earlier), found by comparing how their
    loudness changes; cut --shift STREAM=MS with minus that lines them up.
    Exit status 1 with the reason when it cannot tell.

    --first STREAM        the first track (default a:0 of FILE)
    --second STREAM       the second (default a:1 of FILE, or a:0 of
                          SECOND_FILE)
    --json                one JSON object with the offset, the confidence
                          (0 to 1) and the shift in ms
</source>
            <translation>snipwell-cli offset [OPTIONS] FILE [SECOND_FILE]
    以秒为单位输出第二条音轨的声音比第一条晚多少（负数表示更早），
    通过比较两者的响度变化求得；cut --shift STREAM=MS 取其相反数即可对齐。
    无法判断时给出原因，退出状态为 1。

    --first STREAM        第一条音轨（默认为 FILE 的 a:0）
    --second STREAM       第二条（默认为 FILE 的 a:1，或 SECOND_FILE
                          的 a:0）
    --json                一个 JSON 对象，含偏移、可信度（0 到 1）
                          和以毫秒计的移动量
</translation>
        </message>
        <message>
            <source>snipwell-cli join [OPTIONS] FILE [--cut S-E]... FILE [--cut S-E]...
    Joins the segments of every FILE, file after file, into one output
    named after the first FILE. Each --cut or --cuts belongs to the FILE
    before it (given before any FILE: to every file); a FILE without
    cuts joins whole. Copy and exact join files whose streams match
    (codecs, sizes, rates, channels) and otherwise say what differs and
    write nothing; encode joins any. Takes the options of cut, and:

    --match-sound         copy and exact: sound that differs from the first
                          file's is encoded to match it; the pictures are
                          still copied
    --json                as cut; the output's line adds "joins": for each
                          join, the segment after it, its file and how it
                          was made (method copy, exact or encode; sound
                          copied or encoded)
</source>
            <translation>snipwell-cli join [选项] 文件 [--cut S-E]... 文件 [--cut S-E]...
    将每个文件的片段按文件顺序合并为一个输出，以第一个文件命名。
    每个 --cut 或 --cuts 属于它前面的文件（在所有文件之前给出时适用于
    每个文件）；没有剪切的文件整体合并。copy 和 exact 只合并流相符
    （编解码器、尺寸、速率、声道）的文件，否则说明差异且不写入任何
    内容；encode 可合并任何文件。接受 cut 的选项。
    另可使用：

    --match-sound         copy 和 exact：与第一个文件不同的音频将被编码为
                          与之相符；画面仍然直接复制
    --json                同 cut；输出的行另有 "joins"：对每个连接处，
                          给出其后的片段、所属文件及其生成方式（method 为
                          copy、exact 或 encode；sound 为 copied 或 encoded）
</translation>
        </message>
        <message>
            <source>--match-sound goes with join in --mode copy or exact</source>
            <translation>--match-sound 需与 join 一起在 --mode copy 或 exact 下使用</translation>
        </message>
    </context>
    <context>
        <name>BatchApplyDlg</name>
        <message>
            <source>Apply Segments To Other Files</source>
            <translation>将片段应用到其他文件</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>1 segment for each file</source>
            <translation>每个文件 1 个片段</translation>
        </message>
        <message>
            <source>%1 segments for each file</source>
            <translation>每个文件 %1 个片段</translation>
        </message>
        <message>
            <source>Opening…</source>
            <translation>正在打开…</translation>
        </message>
        <message>
            <source>File %1 of %2: %3</source>
            <translation>第 %1 个文件,共 %2 个:%3</translation>
        </message>
        <message>
            <source>Stopped: %1 of %2 files done, %3 failed.</source>
            <translation>已停止:%2 个文件中完成 %1 个,失败 %3 个。</translation>
        </message>
        <message>
            <source>Done: %1 of %2 files failed.</source>
            <translation>完成:%2 个文件中有 %1 个失败。</translation>
        </message>
        <message>
            <source>Done: all %1 files converted.</source>
            <translation>完成:全部 %1 个文件已转换。</translation>
        </message>
        <message>
            <source>%1%</source>
            <translation>%1%</translation>
        </message>
        <message>
            <source>%1 — %2</source>
            <translation>%1 — %2</translation>
        </message>
        <message>
            <source>%1 — failed: %2</source>
            <translation>%1 — 失败:%2</translation>
        </message>
    </context>
    <context>
        <name>SegmentBatch</name>
        <message>
            <source>The file cannot be read.</source>
            <translation>无法读取该文件。</translation>
        </message>
        <message>
            <source>Segment %1 (%2) ends past the end of the file (%3); it was cut there.</source>
            <translation>片段 %1(%2)结束于文件末尾(%3)之后;已在该处截断。</translation>
        </message>
        <message>
            <source>Segment %1 (%2) starts past the end of the file (%3).</source>
            <translation>片段 %1(%2)开始于文件末尾(%3)之后。</translation>
        </message>
        <message>
            <source>The conversion failed.</source>
            <translation>转换失败。</translation>
        </message>
    </context>
    <context>
        <name>ProjectFile</name>
        <message>
            <source>%1 should be %2.</source>
            <translation>%1 应为%2。</translation>
        </message>
        <message>
            <source>an object</source>
            <translation>对象</translation>
        </message>
        <message>
            <source>true or false</source>
            <translation>true 或 false</translation>
        </message>
        <message>
            <source>a number</source>
            <translation>数字</translation>
        </message>
        <message>
            <source>a list of texts</source>
            <translation>文本列表</translation>
        </message>
        <message>
            <source>a list of numbers</source>
            <translation>数字列表</translation>
        </message>
        <message>
            <source>a list of numbers of the right length</source>
            <translation>长度正确的数字列表</translation>
        </message>
        <message>
            <source>base64 data</source>
            <translation>base64 数据</translation>
        </message>
        <message>
            <source>base64 data of the right length</source>
            <translation>长度正确的 base64 数据</translation>
        </message>
        <message>
            <source>a whole number in range</source>
            <translation>范围内的整数</translation>
        </message>
        <message>
            <source>a text</source>
            <translation>文本</translation>
        </message>
        <message>
            <source>a list</source>
            <translation>列表</translation>
        </message>
        <message>
            <source>"encoding" or "high-speed"</source>
            <translation>“encoding”或“high-speed”</translation>
        </message>
        <message>
            <source>"free" or "simple"</source>
            <translation>“free”或“simple”</translation>
        </message>
        <message>
            <source>The project names no source file.</source>
            <translation>项目未指明源文件。</translation>
        </message>
        <message>
            <source>%1 ends before it starts.</source>
            <translation>%1 的结束早于开始。</translation>
        </message>
        <message>
            <source>The project file is incomplete: it ends early (after %1 bytes).</source>
            <translation>项目文件不完整：提前结束（%1 字节之后）。</translation>
        </message>
        <message>
            <source>The project file is damaged: %1 at byte %2.</source>
            <translation>项目文件已损坏：第 %2 字节处%1。</translation>
        </message>
        <message>
            <source>This is not a project file of Zelvane Snipwell.</source>
            <translation>这不是 Zelvane Snipwell 的项目文件。</translation>
        </message>
        <message>
            <source>The project file has no valid format version.</source>
            <translation>项目文件没有有效的格式版本。</translation>
        </message>
        <message>
            <source>This project was saved by a newer version of Zelvane Snipwell (project format %1); this version reads format %2 and older. Please update the program to open it.</source>
            <translation>此项目由更新版本的 Zelvane Snipwell 保存（项目格式 %1）；此版本只能读取格式 %2 及更早的格式。请更新程序后再打开。</translation>
        </message>
        <message>
            <source>The project file cannot be used: %1</source>
            <translation>无法使用项目文件：%1</translation>
        </message>
        <message>
            <source>The project file could not be read: %1</source>
            <translation>无法读取项目文件：%1</translation>
        </message>
        <message>
            <source>The project could not be saved to %1: %2</source>
            <translation>无法将项目保存到 %1：%2</translation>
        </message>
        <message>
            <source>%1 names no stream.</source>
            <translation>%1 未指定流。</translation>
        </message>
        <message>
            <source>%1 is of no known stream kind.</source>
            <translation>%1 不是已知的流类型。</translation>
        </message>
        <message>
            <source>%1 has no language code: "%2".</source>
            <translation>%1 不是语言代码：“%2”。</translation>
        </message>
        <message>
            <source>%1 names stream %2 a second time.</source>
            <translation>%1 再次指定了流 %2。</translation>
        </message>
        <message>
            <source>%1 names no source file.</source>
            <translation>%1 未指定源文件。</translation>
        </message>
        <message>
            <source>The project's choice of tracks cannot be used and was left out: %1</source>
            <translation>项目的轨道选择无法使用，已被忽略：%1</translation>
        </message>
        <message>
            <source>%1 names no file.</source>
            <translation>%1 未指定文件。</translation>
        </message>
        <message>
            <source>%1 names a source the project does not list.</source>
            <translation>%1 指定了项目中未列出的源文件。</translation>
        </message>
    </context>
    <context>
        <name>ProjectSession</name>
        <message>
            <source>Restore the segments of %1 from %2?</source>
            <translation>要恢复 %1 在 %2 的片段吗？</translation>
        </message>
        <message>
            <source>No recent files</source>
            <translation>没有最近使用的文件</translation>
        </message>
        <message>
            <source>Save Project As</source>
            <translation>项目另存为</translation>
        </message>
        <message>
            <source>Zelvane Snipwell projects (*.snipwell)</source>
            <translation>Zelvane Snipwell 项目 (*.snipwell)</translation>
        </message>
        <message>
            <source>Open Project</source>
            <translation>打开项目</translation>
        </message>
        <message>
            <source>%1 was not opened: a conversion is running. Open it when the conversion has finished.</source>
            <translation>未打开 %1：正在转换。请在转换完成后再打开。</translation>
        </message>
        <message>
            <source>The project %1 could not be opened.</source>
            <translation>无法打开项目 %1。</translation>
        </message>
        <message>
            <source>The source file of the project %1 was not found:
%2</source>
            <translation>找不到项目 %1 的源文件：
%2</translation>
        </message>
        <message>
            <source>The segments of %1 have changed. Save them as a project before they are closed?</source>
            <translation>%1 的片段已更改。关闭前要保存为项目吗？</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Discard</source>
            <translation>放弃</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Merge Segments</source>
            <translation>合并片段</translation>
        </message>
        <message>
            <source>Separate Segments</source>
            <translation>分别输出片段</translation>
        </message>
        <message>
            <source>Add %1</source>
            <translation>添加 %1</translation>
        </message>
        <message>
            <source>These files of the project were not found, and their segments were left out:
%1</source>
            <translation>未找到项目中的以下文件，其片段已被略去：
%1</translation>
        </message>
    </context>
    <context>
        <name>QDetectDlg</name>
        <message>
            <source>Silence</source>
            <translation>静音</translation>
        </message>
        <message>
            <source>Black pictures</source>
            <translation>黑屏画面</translation>
        </message>
        <message>
            <source>Scene changes</source>
            <translation>场景切换</translation>
        </message>
        <message>
            <source>Frozen pictures</source>
            <translation>静止画面</translation>
        </message>
        <message>
            <source>Searching for silence…</source>
            <translation>正在查找静音…</translation>
        </message>
        <message>
            <source>Searching for black pictures…</source>
            <translation>正在查找黑屏画面…</translation>
        </message>
        <message>
            <source>Searching for scene changes…</source>
            <translation>正在查找场景切换…</translation>
        </message>
        <message>
            <source>Searching for frozen pictures…</source>
            <translation>正在查找静止画面…</translation>
        </message>
        <message>
            <source>Detect Cuts</source>
            <translation>检测剪切点</translation>
        </message>
        <message>
            <source>Search the file for:</source>
            <translation>在文件中查找：</translation>
        </message>
        <message>
            <source>for at least</source>
            <translation>持续至少</translation>
        </message>
        <message>
            <source>quieter than</source>
            <translation>低于</translation>
        </message>
        <message>
            <source>Sound below this level counts as silence.</source>
            <translation>低于此电平的声音视为静音。</translation>
        </message>
        <message>
            <source>pixels darker than</source>
            <translation>像素暗于</translation>
        </message>
        <message>
            <source>covering</source>
            <translation>覆盖</translation>
        </message>
        <message>
            <source>A pixel at or below this brightness counts as black.</source>
            <translation>亮度不高于此值的像素视为黑色。</translation>
        </message>
        <message>
            <source>How much of a picture must be black for the picture to count as black.</source>
            <translation>画面中黑色部分须达到多少，该画面才视为黑屏。</translation>
        </message>
        <message>
            <source>change above</source>
            <translation>变化超过</translation>
        </message>
        <message>
            <source>apart by at least</source>
            <translation>间隔至少</translation>
        </message>
        <message>
            <source>How much the picture must change, from 1 (a little) to 100 (all of it).</source>
            <translation>画面须变化的程度，从 1（少许）到 100（全部）。</translation>
        </message>
        <message>
            <source>differences below</source>
            <translation>差异低于</translation>
        </message>
        <message>
            <source>Pictures differing by less than this count as the same picture.</source>
            <translation>差异小于此值的画面视为同一画面。</translation>
        </message>
        <message>
            <source>Make of what is found:</source>
            <translation>用找到的内容生成：</translation>
        </message>
        <message>
            <source>Segments between the findings (leave out silence, black and frozen pictures)</source>
            <translation>找到的位置之间的片段（去掉静音、黑屏和静止画面）</translation>
        </message>
        <message>
            <source>Segments of the findings themselves</source>
            <translation>以找到的位置本身为片段</translation>
        </message>
        <message>
            <source>Detect</source>
            <translation>检测</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>The whole file is searched. Undo (Ctrl+Z) takes back the segments made.</source>
            <translation>将搜索整个文件。撤销（Ctrl+Z）可收回生成的片段。</translation>
        </message>
        <message>
            <source>Choose at least one thing to search for.</source>
            <translation>请至少选择一项要查找的内容。</translation>
        </message>
        <message>
            <source>(%2 of %3) %1</source>
            <translation>（第 %2 项，共 %3 项）%1</translation>
        </message>
        <message>
            <source>Stopped. Nothing was changed.</source>
            <translation>已停止。未做任何更改。</translation>
        </message>
        <message>
            <source>The file has no sound, so there is no silence to search for.</source>
            <translation>该文件没有声音，因此无法查找静音。</translation>
        </message>
        <message>
            <source>The file has no pictures, so black pictures, scene changes and frozen pictures cannot be searched for.</source>
            <translation>该文件没有画面，因此无法查找黑屏画面、场景切换和静止画面。</translation>
        </message>
        <message>
            <source>A setting of “%1” is out of its range.</source>
            <translation>“%1”的某项设置超出了范围。</translation>
        </message>
        <message>
            <source>The file could not be read in the search for “%1”.</source>
            <translation>查找“%1”时无法读取该文件。</translation>
        </message>
        <message>
            <source>Nothing was found. Lower the minimum lengths or loosen the levels to find more.</source>
            <translation>未找到任何内容。要找到更多，请缩短最短时长或放宽阈值。</translation>
        </message>
        <message>
            <source>Places were found, but they leave no segment of a quarter second or more.</source>
            <translation>找到了一些位置，但它们留不下 0.25 秒或更长的片段。</translation>
        </message>
        <message>
            <source>This would make %1 segments; the work can hold at most %2. Raise the minimum lengths to find fewer places.</source>
            <translation>这将生成 %1 个片段；工作中最多只能容纳 %2 个。请增大最短时长以减少找到的位置。</translation>
        </message>
        <message>
            <source>Markers on the timeline (the segments stay as they are)</source>
            <translation>时间线上的标记（片段保持不变）</translation>
        </message>
        <message>
            <source>Places were found only at the very start or end of the file; there is nothing to mark.</source>
            <translation>只在文件的开头或结尾找到了位置，没有可标记的地方。</translation>
        </message>
    </context>
    <context>
        <name>SettingsResetNotice</name>
        <message>
            <source>Your settings could not be read, so they were reset to their defaults. The old settings file was kept as:
%1</source>
            <translation>无法读取您的设置，因此已恢复为默认值。旧的设置文件已保留为：
%1</translation>
        </message>
    </context>
    <context>
        <name>TracksLeftOut</name>
        <message>
            <source>Encoding keeps one sound track and no subtitle streams; left out: %1</source>
            <translation>编码只保留一条音轨，不保留字幕流；未包含：%1</translation>
        </message>
        <message>
            <source>Encoding keeps up to %1 sound tracks and no subtitle streams; left out: %2</source>
            <translation>编码最多保留 %1 条音轨，不保留字幕流；未包含：%2</translation>
        </message>
    </context>
    <context>
        <name>SaveSubtitlesDlg</name>
        <message>
            <source>Save Subtitles</source>
            <translation>保存字幕</translation>
        </message>
        <message>
            <source>no language</source>
            <translation>无语言</translation>
        </message>
        <message>
            <source>Stream %1 · %2 · %3</source>
            <translation>流 %1 · %2 · %3</translation>
        </message>
        <message>
            <source>pictures, saved as .%1</source>
            <translation>图像，保存为 .%1</translation>
        </message>
        <message>
            <source>cannot be saved</source>
            <translation>无法保存</translation>
        </message>
        <message>
            <source>Saving…</source>
            <translation>正在保存…</translation>
        </message>
        <message>
            <source>the folder cannot be made</source>
            <translation>无法创建文件夹</translation>
        </message>
        <message>
            <source>not saved: %1</source>
            <translation>未保存：%1</translation>
        </message>
        <message>
            <source>Text subtitles as:</source>
            <translation>文本字幕格式：</translation>
        </message>
        <message>
            <source>Only what the segments show (no segments marked)</source>
            <translation>仅保留片段显示的内容（未标记片段）</translation>
        </message>
        <message>
            <source>Only what the segments show, timed as their cut</source>
            <translation>仅保留片段显示的内容，时间按剪辑计算</translation>
        </message>
        <message>
            <source>Folder: %1</source>
            <translation>文件夹：%1</translation>
        </message>
        <message>
            <source>Browse…</source>
            <translation>浏览…</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>关闭</translation>
        </message>
        <message>
            <source>Reading the file's subtitle streams…</source>
            <translation>正在读取文件的字幕流…</translation>
        </message>
        <message>
            <source>The file cannot be read: %1</source>
            <translation>无法读取文件：%1</translation>
        </message>
        <message>
            <source>This file holds no subtitle streams.</source>
            <translation>此文件不含字幕流。</translation>
        </message>
        <message>
            <source>Saved 1 file.</source>
            <translation>已保存 1 个文件。</translation>
        </message>
        <message>
            <source>Saved %1 files.</source>
            <translation>已保存 %1 个文件。</translation>
        </message>
        <message>
            <source>Saved %1, %2 not saved.</source>
            <translation>已保存 %1 个，%2 个未保存。</translation>
        </message>
    </context>
    <context>
        <name>TracksDlg</name>
        <message>
            <source>Undetermined</source>
            <translation>未确定</translation>
        </message>
        <message>
            <source>English</source>
            <translation>英语</translation>
        </message>
        <message>
            <source>German</source>
            <translation>德语</translation>
        </message>
        <message>
            <source>French</source>
            <translation>法语</translation>
        </message>
        <message>
            <source>Spanish</source>
            <translation>西班牙语</translation>
        </message>
        <message>
            <source>Italian</source>
            <translation>意大利语</translation>
        </message>
        <message>
            <source>Portuguese</source>
            <translation>葡萄牙语</translation>
        </message>
        <message>
            <source>Dutch</source>
            <translation>荷兰语</translation>
        </message>
        <message>
            <source>Swedish</source>
            <translation>瑞典语</translation>
        </message>
        <message>
            <source>Norwegian</source>
            <translation>挪威语</translation>
        </message>
        <message>
            <source>Danish</source>
            <translation>丹麦语</translation>
        </message>
        <message>
            <source>Finnish</source>
            <translation>芬兰语</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>波兰语</translation>
        </message>
        <message>
            <source>Czech</source>
            <translation>捷克语</translation>
        </message>
        <message>
            <source>Hungarian</source>
            <translation>匈牙利语</translation>
        </message>
        <message>
            <source>Russian</source>
            <translation>俄语</translation>
        </message>
        <message>
            <source>Ukrainian</source>
            <translation>乌克兰语</translation>
        </message>
        <message>
            <source>Greek</source>
            <translation>希腊语</translation>
        </message>
        <message>
            <source>Turkish</source>
            <translation>土耳其语</translation>
        </message>
        <message>
            <source>Arabic</source>
            <translation>阿拉伯语</translation>
        </message>
        <message>
            <source>Hebrew</source>
            <translation>希伯来语</translation>
        </message>
        <message>
            <source>Hindi</source>
            <translation>印地语</translation>
        </message>
        <message>
            <source>Japanese</source>
            <translation>日语</translation>
        </message>
        <message>
            <source>Chinese</source>
            <translation>中文</translation>
        </message>
        <message>
            <source>Korean</source>
            <translation>韩语</translation>
        </message>
        <message>
            <source>Picture</source>
            <translation>画面</translation>
        </message>
        <message>
            <source>Sound</source>
            <translation>声音</translation>
        </message>
        <message>
            <source>Subtitles</source>
            <translation>字幕</translation>
        </message>
        <message>
            <source>%1 ch, %2 Hz</source>
            <translation>%1 声道，%2 Hz</translation>
        </message>
        <message>
            <source>default</source>
            <translation>默认</translation>
        </message>
        <message>
            <source>forced</source>
            <translation>强制</translation>
        </message>
        <message>
            <source>%1 ms</source>
            <translation>%1 毫秒</translation>
        </message>
        <message>
            <source>Comparing stream %1 with stream %2…</source>
            <translation>正在比较流 %1 与流 %2…</translation>
        </message>
        <message>
            <source>Stream %1 comes %2 s after stream %3 (confidence %4%): its shift is set to %5 ms.</source>
            <translation>流 %1 比流 %3 晚 %2 秒（可信度 %4%）：其偏移已设为 %5 毫秒。</translation>
        </message>
        <message>
            <source>No offset found: %1</source>
            <translation>未找到偏移：%1</translation>
        </message>
        <message>
            <source>The shift of stream %1 (%2 ms) is as long as the file or longer.</source>
            <translation>流 %1 的偏移（%2 毫秒）等于或超过文件长度。</translation>
        </message>
        <message>
            <source>Keep at least one stream.</source>
            <translation>请至少保留一个流。</translation>
        </message>
        <message>
            <source>Tracks</source>
            <translation>轨道</translation>
        </message>
        <message>
            <source>Keep</source>
            <translation>保留</translation>
        </message>
        <message>
            <source>Stream</source>
            <translation>流</translation>
        </message>
        <message>
            <source>Codec</source>
            <translation>编解码器</translation>
        </message>
        <message>
            <source>Channels or size</source>
            <translation>声道或尺寸</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>语言</translation>
        </message>
        <message>
            <source>Title</source>
            <translation>标题</translation>
        </message>
        <message>
            <source>Flags</source>
            <translation>标记</translation>
        </message>
        <message>
            <source>Shift</source>
            <translation>偏移</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>语言：</translation>
        </message>
        <message>
            <source>Title:</source>
            <translation>标题：</translation>
        </message>
        <message>
            <source>Default track</source>
            <translation>默认轨道</translation>
        </message>
        <message>
            <source>Forced</source>
            <translation>强制</translation>
        </message>
        <message>
            <source>Shift (ms):</source>
            <translation>偏移（毫秒）：</translation>
        </message>
        <message>
            <source>Move Up</source>
            <translation>上移</translation>
        </message>
        <message>
            <source>Move Down</source>
            <translation>下移</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>重置</translation>
        </message>
        <message>
            <source>Find Offset…</source>
            <translation>查找偏移…</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>确定</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>Reading the file's streams…</source>
            <translation>正在读取文件的流…</translation>
        </message>
        <message>
            <source>The file cannot be read: %1</source>
            <translation>无法读取文件：%1</translation>
        </message>
        <message>
            <source>A shift moves a sound or subtitle track's timing without encoding: positive later, negative earlier. Sound moved before the start is cut off at a frame boundary; a track moved later begins after a gap, and no silence is added. Outputs hold the picture, then the sound, then the subtitles; an encoding keeps the picture and the sound tracks kept (only the first where its format holds one), without subtitles.</source>
            <translation>偏移在不重新编码的情况下移动声音或字幕轨的时间：正数延后，负数提前。移到开头之前的声音在帧边界处裁掉；延后的轨道在一段空隙之后开始，不会补入静音。输出依次包含画面、声音、字幕；编码时保留画面和所保留的音轨（格式只能容纳一条时仅保留第一条），不含字幕。</translation>
        </message>
    </context>
</TS>
