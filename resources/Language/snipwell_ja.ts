<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
    <context>
        <name>main</name>
        <message>
            <source>An instance has already been running.</source>
            <translation>既にインスタンスが実行されています。</translation>
        </message>
        <message>
            <source>Usage: snipwell [FILE]
       snipwell --version | --help

Opens %1 with FILE, a video or audio file, ready to cut. If the program is already running, FILE opens in its window.

  -h, --help     show this help and exit
  -v, --version  show the version and exit
</source>
            <translation>使い方: snipwell [ファイル]
        snipwell --version | --help

動画または音声のファイルを指定して %1 を開き、すぐにカットできる状態にします。プログラムがすでに起動している場合は、そのウィンドウでファイルを開きます。

  -h, --help     このヘルプを表示して終了
  -v, --version  バージョンを表示して終了
</translation>
        </message>
        <message>
            <source>Unknown option: %1</source>
            <translation>不明なオプション: %1</translation>
        </message>
    </context>
    <context>
        <name>QVoMessageDlg</name>
        <message>
            <source>Zelvane Video Cutter</source>
            <translation>Zelvane ビデオカッター</translation>
        </message>
        <message>
            <source>QVoMessageDlg::LoadTitleIconImg fail</source>
            <translation>QVoMessageDlg::LoadTitleIconImg 失敗</translation>
        </message>
        <message>
            <source>QVoMessageDlg::InitButton fail</source>
            <translation>QVoMessageDlg::InitButton 失敗</translation>
        </message>
        <message>
            <source>QVoMessageDlg::InitButton Load Yes Image fail</source>
            <translation>QVoMessageDlg::InitButton「はい」画像の読み込みに失敗</translation>
        </message>
        <message>
            <source>QVoMessageDlg::InitButton Load Cancel Image fail</source>
            <translation>QVoMessageDlg::InitButton「キャンセル」画像の読み込みに失敗</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Restart</source>
            <translation>再起動</translation>
        </message>
        <message>
            <source>Restart Later</source>
            <translation>後で再起動</translation>
        </message>
        <message>
            <source>YES</source>
            <translation>はい</translation>
        </message>
        <message>
            <source>NO</source>
            <translation>いいえ</translation>
        </message>
    </context>
    <context>
        <name>QVoMessageBox</name>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>はい</translation>
        </message>
        <message>
            <source>No</source>
            <translation>いいえ</translation>
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
        <message>
            <source>Encrypted audiobooks cannot be converted.</source>
            <translation>暗号化されたオーディオブックは変換できません。</translation>
        </message>
        <message>
            <source>The file holds no audio or video stream.</source>
            <translation>ファイルに音声または映像のストリームがありません。</translation>
        </message>
        <message>
            <source>The media library could not start.</source>
            <translation>メディアライブラリを起動できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>VoInfoManager</name>
        <message>
            <source>Current</source>
            <translation>現在</translation>
        </message>
    </context>
    <context>
        <name>ProfileCatalogue</name>
        <message>
            <source>The profile file %1 could not be read: %2</source>
            <translation>プロファイルファイル %1 を読み込めませんでした: %2</translation>
        </message>
        <message>
            <source>The profile file %1 has no valid entry "%2".</source>
            <translation>プロファイルファイル %1 に有効な項目「%2」がありません。</translation>
        </message>
        <message>
            <source>The format %1 in the category "%2" of the profile file %3 has no valid entry "%4".</source>
            <translation>プロファイルファイル %3 のカテゴリ「%2」にある形式 %1 に有効な項目「%4」がありません。</translation>
        </message>
        <message>
            <source>The format %1 in the category "%2" of the profile file %3 names no audio codec for the video codec %4.</source>
            <translation>プロファイルファイル %3 のカテゴリ「%2」にある形式 %1 には、ビデオコーデック %4 に対応するオーディオコーデックが指定されていません。</translation>
        </message>
    </context>
    <context>
        <name>QVideoPlayDlg</name>
        <message>
            <source>Play</source>
            <translation>再生</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>一時停止</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Previous Frame</source>
            <translation>前のフレーム</translation>
        </message>
        <message>
            <source>Next Frame</source>
            <translation>次のフレーム</translation>
        </message>
        <message>
            <source>Previous Key Frame</source>
            <translation>前のキーフレーム</translation>
        </message>
        <message>
            <source>Next Key Frame</source>
            <translation>次のキーフレーム</translation>
        </message>
        <message>
            <source>Drag media files here to start</source>
            <translation>ここにメディアファイルをドラッグして開始</translation>
        </message>
        <message>
            <source>Player</source>
            <translation>プレーヤー</translation>
        </message>
        <message>
            <source>Volume</source>
            <translation>音量</translation>
        </message>
        <message>
            <source>Picture</source>
            <translation>映像</translation>
        </message>
        <message>
            <source>Mute</source>
            <translation>消音</translation>
        </message>
        <message>
            <source>Sound On</source>
            <translation>音声オン</translation>
        </message>
    </context>
    <context>
        <name>VideoImageWindow</name>
        <message>
            <source>Picture</source>
            <translation>映像</translation>
        </message>
    </context>
    <context>
        <name>QPreferencesDlg</name>
        <message>
            <source>Preferences</source>
            <translation>環境設定</translation>
        </message>
        <message>
            <source>General</source>
            <translation>一般</translation>
        </message>
        <message>
            <source>Convert</source>
            <translation>変換</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>GeneralWidget</name>
        <message>
            <source>Automatic updates</source>
            <translation>自動更新</translation>
        </message>
        <message>
            <source>Automatically update to the newest version</source>
            <translation>最新バージョンに自動的に更新する</translation>
        </message>
        <message>
            <source>Close automatic updates</source>
            <translation>自動更新をオフにする</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>Minimize to Tray</source>
            <translation>トレイに最小化</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>言語</translation>
        </message>
    </context>
    <context>
        <name>ConvertWidget</name>
        <message>
            <source>Conversion Completed</source>
            <translation>変換完了後</translation>
        </message>
        <message>
            <source>Turn Off Computer</source>
            <translation>コンピューターの電源を切る</translation>
        </message>
        <message>
            <source>Output Folder</source>
            <translation>出力フォルダー</translation>
        </message>
        <message>
            <source>Change</source>
            <translation>変更</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>リセット</translation>
        </message>
        <message>
            <source>Save to</source>
            <translation>保存先</translation>
        </message>
        <message>
            <source>Output Names</source>
            <translation>出力ファイル名</translation>
        </message>
        <message>
            <source>Segment files:</source>
            <translation>セグメントファイル:</translation>
        </message>
        <message>
            <source>Merged files:</source>
            <translation>結合ファイル:</translation>
        </message>
        <message>
            <source>“%1” is not a placeholder; the template is not kept.</source>
            <translation>「%1」はプレースホルダーではありません。このテンプレートは保存されません。</translation>
        </message>
        <message>
            <source>{name} source name, {ext} extension, {n} or {n:02} segment number, {label}, {start}, {end}, {date}</source>
            <translation>{name} 元の名前、{ext} 拡張子、{n} または {n:02} セグメント番号、{label}、{start}、{end}、{date}</translation>
        </message>
    </context>
    <context>
        <name>QShowCloseDlg</name>
        <message>
            <source>Minimize to Tray</source>
            <translation>トレイに最小化</translation>
        </message>
        <message>
            <source>Minimize (no system tray available)</source>
            <translation>最小化（システムトレイがありません）</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>Don't show this window again</source>
            <translation>今後このウィンドウを表示しない</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>QAboutDlg</name>
        <message>
            <source>About</source>
            <translation>バージョン情報</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>バージョン</translation>
        </message>
        <message>
            <source>Visit:</source>
            <translation>ウェブサイト:</translation>
        </message>
    </context>
    <context>
        <name>QUpdateDlg</name>
        <message>
            <source>Check for Updates</source>
            <translation>アップデートを確認</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Checking for updates...</source>
            <translation>アップデートを確認しています...</translation>
        </message>
        <message>
            <source>You are up to date: %1 %2 is the newest version.</source>
            <translation>最新の状態です: %1 %2 が最新バージョンです。</translation>
        </message>
        <message>
            <source>A new version %1 of %2 is available. You have version %3.</source>
            <translation>%2 の新しいバージョン %1 が利用できます。現在のバージョンは %3 です。</translation>
        </message>
        <message>
            <source>Release notes</source>
            <translation>リリースノート</translation>
        </message>
        <message>
            <source>The update information could not be retrieved. Please check your network connection and try again later.</source>
            <translation>アップデート情報を取得できませんでした。ネットワーク接続を確認して、後でもう一度お試しください。</translation>
        </message>
    </context>
    <context>
        <name>ProgramMenu</name>
        <message>
            <source>Apply Segments To Other Files…</source>
            <translation>セグメントを他のファイルに適用…</translation>
        </message>
        <message>
            <source>Preferences</source>
            <translation>環境設定</translation>
        </message>
        <message>
            <source>Home</source>
            <translation>ホーム</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>ヘルプ</translation>
        </message>
        <message>
            <source>Check for Updates</source>
            <translation>アップデートを確認</translation>
        </message>
        <message>
            <source>About</source>
            <translation>バージョン情報</translation>
        </message>
        <message>
            <source>Open Project…</source>
            <translation>プロジェクトを開く…</translation>
        </message>
        <message>
            <source>Save Project</source>
            <translation>プロジェクトを保存</translation>
        </message>
        <message>
            <source>Save Project As…</source>
            <translation>名前を付けてプロジェクトを保存…</translation>
        </message>
        <message>
            <source>Recent</source>
            <translation>最近使ったファイル</translation>
        </message>
        <message>
            <source>Undo</source>
            <translation>元に戻す</translation>
        </message>
        <message>
            <source>Redo</source>
            <translation>やり直し</translation>
        </message>
        <message>
            <source>Undo %1</source>
            <translation>元に戻す: %1</translation>
        </message>
        <message>
            <source>Redo %1</source>
            <translation>やり直し: %1</translation>
        </message>
        <message>
            <source>Save Subtitles…</source>
            <translation>字幕を保存…</translation>
        </message>
        <message>
            <source>Tracks…</source>
            <translation>トラック…</translation>
        </message>
        <message>
            <source>Add File…</source>
            <translation>ファイルを追加…</translation>
        </message>
    </context>
    <context>
        <name>ShellTray</name>
        <message>
            <source>Hidden (&amp;H)</source>
            <translation>非表示 (&amp;H)</translation>
        </message>
        <message>
            <source>Show Window (&amp;S)</source>
            <translation>ウィンドウを表示 (&amp;S)</translation>
        </message>
        <message>
            <source>Quit (&amp;Q)</source>
            <translation>終了 (&amp;Q)</translation>
        </message>
    </context>
    <context>
        <name>QVideoCutDlg</name>
        <message>
            <source>A segment cannot start after its end (%1): the start stops there. Move the end first, or add a new segment.</source>
            <translation>セグメントは終了時間（%1）より後に開始できません。開始はそこで止まります。先に終了を動かすか、新しいセグメントを追加してください。</translation>
        </message>
        <message>
            <source>Start Time:</source>
            <translation>開始時間:</translation>
        </message>
        <message>
            <source>End Time:</source>
            <translation>終了時間:</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>開く</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>ファイルを開く</translation>
        </message>
        <message>
            <source>Format</source>
            <translation>形式</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>開始</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Set Segment Start Time</source>
            <translation>セグメントの開始時間を設定</translation>
        </message>
        <message>
            <source>Set Segment End Time</source>
            <translation>セグメントの終了時間を設定</translation>
        </message>
        <message>
            <source>Play Segment</source>
            <translation>セグメントを再生</translation>
        </message>
        <message>
            <source>Pause Segment</source>
            <translation>セグメントを一時停止</translation>
        </message>
        <message>
            <source>Stop Segment</source>
            <translation>セグメントを停止</translation>
        </message>
        <message>
            <source>Output Format</source>
            <translation>出力形式</translation>
        </message>
        <message>
            <source>Start Conversion</source>
            <translation>変換を開始</translation>
        </message>
        <message>
            <source>Stop Conversion</source>
            <translation>変換を停止</translation>
        </message>
        <message>
            <source>Start Time</source>
            <translation>開始時間</translation>
        </message>
        <message>
            <source>End Time</source>
            <translation>終了時間</translation>
        </message>
        <message>
            <source>Segment</source>
            <translation>セグメント</translation>
        </message>
        <message>
            <source>starts at %1, frame-exact</source>
            <translation>%1 から開始 (フレーム単位で正確)</translation>
        </message>
        <message>
            <source>starts at %1, key frame: %2 files are not cut frame-exact</source>
            <translation>%1 (キーフレーム) から開始: %2 ファイルはフレーム単位で正確にカットできません</translation>
        </message>
        <message>
            <source>starts at %1, key frame: %2 video is not cut frame-exact</source>
            <translation>%1 (キーフレーム) から開始: %2 の映像はフレーム単位で正確にカットできません</translation>
        </message>
    </context>
    <context>
        <name>QVideoConvertItem</name>
        <message>
            <source>Start Time:</source>
            <translation>開始時間：</translation>
        </message>
        <message>
            <source>End Time:</source>
            <translation>終了時間：</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>編集</translation>
        </message>
        <message>
            <source>No Subtitle</source>
            <translation>字幕なし</translation>
        </message>
        <message>
            <source>Segment Start Time</source>
            <translation>セグメントの開始時間</translation>
        </message>
        <message>
            <source>Segment End Time</source>
            <translation>セグメントの終了時間</translation>
        </message>
        <message>
            <source>Segment</source>
            <translation>セグメント</translation>
        </message>
        <message>
            <source>Segment %1</source>
            <translation>セグメント %1</translation>
        </message>
        <message>
            <source>Double-click or press F2 to name the segment</source>
            <translation>ダブルクリックまたは F2 キーでセグメントに名前を付けます</translation>
        </message>
        <message>
            <source>Segment Label</source>
            <translation>セグメント名</translation>
        </message>
        <message>
            <source>Segment %1 · %2</source>
            <translation>セグメント %1 · %2</translation>
        </message>
        <message>
            <source>From %1</source>
            <translation>%1 から</translation>
        </message>
    </context>
    <context>
        <name>QVideoCutManageDlg</name>
        <message>
            <source>%1 is not frame-exact: it was cut at key frames (%2).</source>
            <translation>%1 はフレーム単位で正確ではありません。キーフレームでカットされました（%2）。</translation>
        </message>
        <message>
            <source>Add Segment</source>
            <translation>セグメントを追加</translation>
        </message>
        <message>
            <source>Show Segment List</source>
            <translation>セグメント一覧を表示</translation>
        </message>
        <message>
            <source>Hide Segment List</source>
            <translation>セグメント一覧を隠す</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>編集</translation>
        </message>
        <message>
            <source>Simple Mode</source>
            <translation>シンプルモード</translation>
        </message>
        <message>
            <source>Free Mode</source>
            <translation>フリーモード</translation>
        </message>
        <message>
            <source>Move Up</source>
            <translation>上へ移動</translation>
        </message>
        <message>
            <source>Move Down</source>
            <translation>下へ移動</translation>
        </message>
        <message>
            <source>Merge Segments</source>
            <translation>セグメントを結合</translation>
        </message>
        <message>
            <source>Open The Output Folder</source>
            <translation>出力フォルダーを開く</translation>
        </message>
        <message>
            <source>Switching to the Simple Mode will change the segment length!</source>
            <translation>シンプルモードに切り替えると、セグメントの長さが変わります！</translation>
        </message>
        <message>
            <source>The output path is invalid!</source>
            <translation>出力先のパスが無効です！</translation>
        </message>
        <message>
            <source>File conversion failed, please check whether the output format parameters 
and output file directory are set correctly.</source>
            <translation>ファイルの変換に失敗しました。出力形式のパラメーター
と出力フォルダーが正しく設定されているか確認してください。</translation>
        </message>
        <message>
            <source>Invalid path</source>
            <translation>無効なパス</translation>
        </message>
        <message>
            <source>Join all segments into one file</source>
            <translation>すべてのセグメントを1つのファイルに結合</translation>
        </message>
        <message>
            <source>Timeline</source>
            <translation>タイムライン</translation>
        </message>
        <message>
            <source>Segment List</source>
            <translation>セグメント一覧</translation>
        </message>
        <message>
            <source>%1%</source>
            <translation>%1%</translation>
        </message>
        <message>
            <source>%1% · %2 left</source>
            <translation>%1% · 残り %2</translation>
        </message>
        <message>
            <source>Segment Label</source>
            <translation>セグメント名</translation>
        </message>
        <message>
            <source>Chapters from segments</source>
            <translation>セグメントからチャプター</translation>
        </message>
        <message>
            <source>One chapter per segment in the merged file, titled with its label</source>
            <translation>結合したファイルにセグメントごとのチャプターを作り、セグメント名をタイトルにします</translation>
        </message>
        <message>
            <source>Switch to Simple Mode</source>
            <translation>シンプルモードに切り替え</translation>
        </message>
        <message>
            <source>Switch to Free Mode</source>
            <translation>フリーモードに切り替え</translation>
        </message>
        <message>
            <source>Delete Segment %1</source>
            <translation>セグメント %1 を削除</translation>
        </message>
        <message>
            <source>Move Segment %1</source>
            <translation>セグメント %1 を移動</translation>
        </message>
        <message>
            <source>Move Start of Segment %1</source>
            <translation>セグメント %1 の開始を移動</translation>
        </message>
        <message>
            <source>Move End of Segment %1</source>
            <translation>セグメント %1 の終了を移動</translation>
        </message>
        <message>
            <source>Video Edit</source>
            <translation>ビデオ編集</translation>
        </message>
        <message>
            <source>Rename Segment %1</source>
            <translation>セグメント %1 の名前を変更</translation>
        </message>
        <message>
            <source>These files cannot be joined without encoding:</source>
            <translation>これらのファイルはエンコードせずに結合できません:</translation>
        </message>
        <message>
            <source>Only the sound differs. Encode the sound of the files that differ to match the first file (the pictures are still copied), or encode everything to a format you choose.</source>
            <translation>異なるのは音声だけです。異なるファイルの音声を最初のファイルに合わせてエンコードする（映像はそのままコピー）か、すべてを選んだ形式にエンコードしてください。</translation>
        </message>
        <message>
            <source>Choose a format to encode everything into one file.</source>
            <translation>すべてを 1 つのファイルにエンコードする形式を選んでください。</translation>
        </message>
        <message>
            <source>Match the Sound</source>
            <translation>音声を合わせる</translation>
        </message>
        <message>
            <source>Choose Format…</source>
            <translation>形式を選択…</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>The Simple Mode lays out the segments of one file. This work cuts from %1 files, so its segments stay in the list.</source>
            <translation>シンプルモードは 1 つのファイルのセグメントを並べて表示します。この作業は %1 個のファイルから切り出すため、セグメントはリストに残ります。</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>Written: %1.</source>
            <translation>書き出し済み：%1。</translation>
        </message>
        <message>
            <source>Open a file and mark its segments first.</source>
            <translation>先にファイルを開いてセグメントを指定してください。</translation>
        </message>
        <message>
            <source>Apply Segments To Other Files</source>
            <translation>セグメントを他のファイルに適用</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>すべてのファイル (*)</translation>
        </message>
        <message>
            <source>The output path is invalid!</source>
            <translation>出力先が無効です!</translation>
        </message>
        <message>
            <source>stopped; nothing half-written was left</source>
            <translation>停止しました。書きかけのファイルは残っていません</translation>
        </message>
        <message>
            <source>1 file written</source>
            <translation>1 ファイルを書き出しました</translation>
        </message>
        <message>
            <source>%1 files written</source>
            <translation>%1 ファイルを書き出しました</translation>
        </message>
        <message>
            <source>Menu</source>
            <translation>メニュー</translation>
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
            <translation>元に戻す</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>Adding segment failed. Please drag segment to leave some space at the end 
or switch to the "Free Mode".</source>
            <translation>セグメントを追加できませんでした。セグメントをドラッグして末尾に空きを作るか、
「フリーモード」に切り替えてください。</translation>
        </message>
        <message>
            <source>Open audio device failed. </source>
            <translation>オーディオデバイスを開けませんでした。</translation>
        </message>
        <message>
            <source>Open file failed. </source>
            <translation>ファイルを開けませんでした。</translation>
        </message>
        <message>
            <source>All Supported Formats(%1);;Apple Video files(*.m4v);;AVI Video files(*.avi);;High-definition files(*.mts *.ts *.m2ts *.m2t *.tp *.trp);; MPEG4 files(*.mp4 *.m4v);;MPEG files(*.mpg *.mpeg);;3GP files(*.3gp *.3g2);;Windows Media Video(*.wmv *.asf);; Real Media files(*.rm *.rmvb);;audio files(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;Video CD files(*.dat);; Quick Time files(*.mov);; Flash Video files(*.flv *.f4v);;MKV files(*.mkv);; Digital Video files(*.dv);;Microsoft Digital Video Recorder(*.dvr-ms);; Raw h.264 Video files(*.h.264);; Nullsoft Stream Video(*.nsv);;Unprotected VOB Files(*.vob);;WEBM Files(*.webm);;OGV Files(*.ogv);;All files(*.*)</source>
            <translation>サポートされているすべての形式(%1);;Apple ビデオファイル(*.m4v);;AVI ビデオファイル(*.avi);;ハイビジョンファイル(*.mts *.ts *.m2ts *.m2t *.tp *.trp);; MPEG4 ファイル(*.mp4 *.m4v);;MPEG ファイル(*.mpg *.mpeg);;3GP ファイル(*.3gp *.3g2);;Windows Media ビデオ(*.wmv *.asf);; Real Media ファイル(*.rm *.rmvb);;オーディオファイル(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;ビデオ CD ファイル(*.dat);; QuickTime ファイル(*.mov);; Flash ビデオファイル(*.flv *.f4v);;MKV ファイル(*.mkv);; デジタルビデオファイル(*.dv);;Microsoft デジタルビデオレコーダー(*.dvr-ms);; 生の H.264 ビデオファイル(*.h.264);; Nullsoft ストリームビデオ(*.nsv);;保護されていない VOB ファイル(*.vob);;WEBM ファイル(*.webm);;OGV ファイル(*.ogv);;すべてのファイル(*.*)</translation>
        </message>
        <message>
            <source>This file ends at %1 although it declares %2 — it may be an unfinished download.</source>
            <translation>このファイルは %2 と記載されていますが、%1 で終わっています — ダウンロードが完了していない可能性があります。</translation>
        </message>
        <message>
            <source>%1 was not opened: a conversion is running. Open it when the conversion has finished.</source>
            <translation>%1 は開かれませんでした。変換中です。変換が終わってから開いてください。</translation>
        </message>
        <message>
            <source>%1 “%2”</source>
            <translation>%1「%2」</translation>
        </message>
        <message>
            <source>, </source>
            <translation>、</translation>
        </message>
        <message>
            <source>The file is not text in any encoding a cut list is written in.</source>
            <translation>このファイルは、カットリストに使われるどの文字コードのテキストでもありません。</translation>
        </message>
        <message>
            <source>The file holds no segment.</source>
            <translation>ファイルにセグメントがありません。</translation>
        </message>
        <message>
            <source>“%1” is not a time.</source>
            <translation>「%1」は時刻ではありません。</translation>
        </message>
        <message>
            <source>A time lies before the start of the file.</source>
            <translation>ファイルの先頭より前の時刻があります。</translation>
        </message>
        <message>
            <source>The time “%1” is larger than the format or any file can hold.</source>
            <translation>時刻「%1」は形式やファイルが扱える範囲を超えています。</translation>
        </message>
        <message>
            <source>A segment ends where or before it starts.</source>
            <translation>開始位置以前で終わるセグメントがあります。</translation>
        </message>
        <message>
            <source>A segment has no start time.</source>
            <translation>開始時刻のないセグメントがあります。</translation>
        </message>
        <message>
            <source>There are more fields than start, end and label.</source>
            <translation>開始・終了・名前より多くの項目があります。</translation>
        </message>
        <message>
            <source>A quoted label is not closed, or text follows its closing quote.</source>
            <translation>引用符で囲んだ名前が閉じていないか、閉じ引用符の後に文字があります。</translation>
        </message>
        <message>
            <source>A chapter or track does not come after the one before it.</source>
            <translation>前のチャプターまたはトラックより後にないものがあります。</translation>
        </message>
        <message>
            <source>A segment starts at or after the end of the file.</source>
            <translation>ファイルの終わり以降に始まるセグメントがあります。</translation>
        </message>
        <message>
            <source>This line is not understood: “%1”.</source>
            <translation>この行を解釈できません:「%1」。</translation>
        </message>
        <message>
            <source>“%1” is not a timecode at the file's frame rate.</source>
            <translation>「%1」はファイルのフレームレートのタイムコードではありません。</translation>
        </message>
        <message>
            <source>The file's frame rate cannot count timecodes.</source>
            <translation>このファイルのフレームレートではタイムコードを数えられません。</translation>
        </message>
        <message>
            <source>A track has no “INDEX 01” line.</source>
            <translation>「INDEX 01」行のないトラックがあります。</translation>
        </message>
        <message>
            <source>The sheet names a second file; only sheets of one file can be read.</source>
            <translation>シートが 2 つ目のファイルを指定しています。読み込めるのは 1 ファイルのシートだけです。</translation>
        </message>
        <message>
            <source>Chapter text must begin at 0:00, and the first segment begins later.</source>
            <translation>チャプターテキストは 0:00 から始まる必要がありますが、最初のセグメントはそれより後に始まります。</translation>
        </message>
        <message>
            <source>A segment does not begin where the one before it ends, which this format cannot hold.</source>
            <translation>前のセグメントの終わりから始まらないセグメントがあり、この形式では保存できません。</translation>
        </message>
        <message>
            <source>In this format the last segment must run to the end of the file.</source>
            <translation>この形式では、最後のセグメントはファイルの終わりまで続く必要があります。</translation>
        </message>
        <message>
            <source>A label holds a line break.</source>
            <translation>名前に改行が含まれています。</translation>
        </message>
        <message>
            <source>A segment runs to the end of a file whose length is unknown.</source>
            <translation>長さ不明のファイルの終わりまで続くセグメントがあります。</translation>
        </message>
        <message>
            <source>There are more segments than this format can number.</source>
            <translation>この形式で番号を付けられる数より多くのセグメントがあります。</translation>
        </message>
        <message>
            <source>The file cannot be opened.</source>
            <translation>ファイルを開けません。</translation>
        </message>
        <message>
            <source>The file cannot be written.</source>
            <translation>ファイルに書き込めません。</translation>
        </message>
        <message>
            <source>The file is too large to be a cut list.</source>
            <translation>ファイルが大きすぎてカットリストではありません。</translation>
        </message>
        <message>
            <source>Line %1: %2</source>
            <translation>%1 行目: %2</translation>
        </message>
        <message>
            <source>Segment %1: %2</source>
            <translation>セグメント %1: %2</translation>
        </message>
        <message>
            <source>Import Cut List…</source>
            <translation>カットリストを読み込む…</translation>
        </message>
        <message>
            <source>Export Cut List…</source>
            <translation>カットリストを書き出す…</translation>
        </message>
        <message>
            <source>Segments From Chapters</source>
            <translation>チャプターからセグメント</translation>
        </message>
        <message>
            <source>Replace</source>
            <translation>置き換え</translation>
        </message>
        <message>
            <source>Append</source>
            <translation>追加</translation>
        </message>
        <message>
            <source>The work already has segments (%1). Replace them with the %2 from the list, or append those after them?</source>
            <translation>すでにセグメントがあります（%1 個）。リストの %2 個で置き換えますか、それとも後ろに追加しますか？</translation>
        </message>
        <message>
            <source>The work can hold at most %1 segments; appending %2 to %3 would pass that.</source>
            <translation>セグメントは最大 %1 個までです。%3 個に %2 個を追加すると超えてしまいます。</translation>
        </message>
        <message>
            <source>The list has %1 segments; the work can hold at most %2.</source>
            <translation>リストには %1 個のセグメントがありますが、最大 %2 個までです。</translation>
        </message>
        <message>
            <source>Cut Lists (*.csv *.tsv *.txt *.edl *.cue);;All Files (*)</source>
            <translation>カットリスト (*.csv *.tsv *.txt *.edl *.cue);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>Import Cut List</source>
            <translation>カットリストの読み込み</translation>
        </message>
        <message>
            <source>The cut list “%1” cannot be imported.</source>
            <translation>カットリスト「%1」を読み込めません。</translation>
        </message>
        <message>
            <source>Its type is none of CSV, TSV, chapter text (.txt), EDL or CUE sheet.</source>
            <translation>種類が CSV、TSV、チャプターテキスト（.txt）、EDL、CUE シートのいずれでもありません。</translation>
        </message>
        <message>
            <source>None of its segments lies within the file, which ends at %1.</source>
            <translation>どのセグメントも、%1 で終わるファイルの範囲内にありません。</translation>
        </message>
        <message>
            <source>Segments reaching past the end of the file were cut at its end: %1.</source>
            <translation>ファイルの終わりを越えるセグメントは終わりで切り詰めました: %1。</translation>
        </message>
        <message>
            <source>Segments after the end of the file were left out: %1.</source>
            <translation>ファイルの終わりより後のセグメントは除外しました: %1。</translation>
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
            <translation>チャプターテキスト (*.txt)</translation>
        </message>
        <message>
            <source>CMX3600 EDL (*.edl)</source>
            <translation>CMX3600 EDL (*.edl)</translation>
        </message>
        <message>
            <source>CUE Sheet (*.cue)</source>
            <translation>CUE シート (*.cue)</translation>
        </message>
        <message>
            <source>Export Cut List</source>
            <translation>カットリストを書き出す</translation>
        </message>
        <message>
            <source>The cut list cannot be saved as “%1”.</source>
            <translation>カットリストを「%1」として保存できません。</translation>
        </message>
        <message>
            <source>The file has no chapters.</source>
            <translation>このファイルにはチャプターがありません。</translation>
        </message>
        <message>
            <source>Chapter %1 starts at or after the end of the file; no segment was made.</source>
            <translation>チャプター %1 がファイルの終わり以降に始まるため、セグメントを作成しませんでした。</translation>
        </message>
        <message>
            <source>Detect Cuts…</source>
            <translation>カット位置を検出…</translation>
        </message>
        <message>
            <source>The work already has segments (%1). Replace them with the %2 found, or append those after them?</source>
            <translation>作業にはすでにセグメントがあります（%1 個）。見つかった %2 個で置き換えますか、それとも後ろに追加しますか？</translation>
        </message>
        <message>
            <source>Change Format</source>
            <translation>形式の変更</translation>
        </message>
        <message>
            <source>Detect Cuts</source>
            <translation>カット位置の検出</translation>
        </message>
        <message>
            <source>Change Start of Segment %1</source>
            <translation>セグメント %1 の開始を変更</translation>
        </message>
        <message>
            <source>Change End of Segment %1</source>
            <translation>セグメント %1 の終了を変更</translation>
        </message>
        <message>
            <source>Set Start of Segment %1</source>
            <translation>セグメント %1 の開始を設定</translation>
        </message>
        <message>
            <source>Set End of Segment %1</source>
            <translation>セグメント %1 の終了を設定</translation>
        </message>
        <message>
            <source>Add Segment</source>
            <translation>セグメントを追加</translation>
        </message>
        <message>
            <source>Change Tracks</source>
            <translation>トラックの変更</translation>
        </message>
        <message>
            <source>Add File</source>
            <translation>ファイルを追加</translation>
        </message>
    </context>
    <context>
        <name>QLoadingDlg</name>
        <message>
            <source>Adding File:</source>
            <translation>追加中のファイル:</translation>
        </message>
        <message>
            <source>Added:</source>
            <translation>追加済み:</translation>
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
            <translation>出力形式</translation>
        </message>
        <message>
            <source>High - Speed mode - Fast and Lossless (Recommended)</source>
            <translation>高速モード - 高速・無劣化（推奨）</translation>
        </message>
        <message>
            <source>Encoding mode - Customize file format, quality and codec (Slow)</source>
            <translation>エンコードモード - 形式・画質・コーデックを指定（低速）</translation>
        </message>
        <message>
            <source>Frame-exact cuts (re-encode only at the cut points)</source>
            <translation>フレーム単位のカット（カット位置だけ再エンコード）</translation>
        </message>
        <message>
            <source>Show Advanced</source>
            <translation>詳細を表示</translation>
        </message>
        <message>
            <source>Hide Advanced</source>
            <translation>詳細を隠す</translation>
        </message>
        <message>
            <source>Preset:</source>
            <translation>プリセット:</translation>
        </message>
        <message>
            <source>High Quality</source>
            <translation>高画質</translation>
        </message>
        <message>
            <source>Small Size</source>
            <translation>小さいサイズ</translation>
        </message>
        <message>
            <source>Customized</source>
            <translation>カスタム</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Attention: Please don't change advanced settings if you are 
non-professionals. Please leave it as the default "Original". 
Otherwise the conversion may fail.</source>
            <translation>注意: 専門知識がない場合は詳細設定を変更しないでください。
既定の "Original" のままにしてください。
そうしないと変換に失敗することがあります。</translation>
        </message>
        <message>
            <source>General Video</source>
            <translation>一般ビデオ</translation>
        </message>
        <message>
            <source>HD Video</source>
            <translation>HDビデオ</translation>
        </message>
        <message>
            <source>Devices</source>
            <translation>デバイス</translation>
        </message>
        <message>
            <source>Web</source>
            <translation>ウェブ</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>オーディオ</translation>
        </message>
    </context>
    <context>
        <name>QSettingDlg</name>
        <message>
            <source>Codec:</source>
            <translation>コーデック:</translation>
        </message>
        <message>
            <source>Resolution:</source>
            <translation>解像度:</translation>
        </message>
        <message>
            <source>Frame Rate:</source>
            <translation>フレームレート:</translation>
        </message>
        <message>
            <source>Bit Rate:</source>
            <translation>ビットレート:</translation>
        </message>
        <message>
            <source>Channel:</source>
            <translation>チャンネル:</translation>
        </message>
        <message>
            <source>Sample Rate:</source>
            <translation>サンプルレート:</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>映像</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>音声</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>既定値</translation>
        </message>
        <message>
            <source>Auto</source>
            <translation>自動</translation>
        </message>
        <message>
            <source>Mono</source>
            <translation>モノラル</translation>
        </message>
        <message>
            <source>Stereo</source>
            <translation>ステレオ</translation>
        </message>
        <message>
            <source>5.1 Surround</source>
            <translation>5.1 サラウンド</translation>
        </message>
        <message>
            <source>HDR kept</source>
            <translation>HDR を維持</translation>
        </message>
        <message>
            <source>HDR converted to SDR</source>
            <translation>HDR を SDR に変換</translation>
        </message>
    </context>
    <context>
        <name>FormatItem</name>
        <message>
            <source>Set</source>
            <translation>設定</translation>
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
        <name>VoKeyFrameScanner</name>
        <message>
            <source>starts at %1, key frame</source>
            <translation>%1 (キーフレーム) から開始</translation>
        </message>
    </context>
    <context>
        <name>QConverterObject</name>
        <message>
            <source>The source ends at %1; the segment was cut there.</source>
            <translation>ソースは %1 で終わっています。セグメントはそこで切り取られました。</translation>
        </message>
        <message>
            <source>Segment %1</source>
            <translation>セグメント %1</translation>
        </message>
        <message>
            <source>a stream that was asked for is missing (%1)</source>
            <translation>指定したストリームがありません（%1）</translation>
        </message>
        <message>
            <source>it does not last as long as its range (%1)</source>
            <translation>長さが範囲と一致しません（%1）</translation>
        </message>
        <message>
            <source>its first picture is not shown at its start (%1)</source>
            <translation>最初の画像が先頭に表示されません（%1）</translation>
        </message>
        <message>
            <source>its picture and sound do not start together (%1)</source>
            <translation>映像と音声が同時に始まりません（%1）</translation>
        </message>
        <message>
            <source>its beginning does not decode (%1)</source>
            <translation>先頭部分をデコードできません（%1）</translation>
        </message>
        <message>
            <source>its end does not decode (%1)</source>
            <translation>末尾部分をデコードできません（%1）</translation>
        </message>
        <message>
            <source>it cannot be read back (%1)</source>
            <translation>読み直すことができません（%1）</translation>
        </message>
        <message>
            <source>%1 failed its check and was not kept: %2.</source>
            <translation>%1 は検査に合格しなかったため保存されませんでした：%2。</translation>
        </message>
        <message>
            <source>The files cannot be joined without encoding: %1. Choose a format to encode them into one file.</source>
            <translation>再エンコードせずにファイルを結合できません: %1。1 つのファイルにエンコードする形式を選んでください。</translation>
        </message>
    </context>
    <context>
        <name>QVideoEditTag</name>
        <message>
            <source>Trim</source>
            <translation>トリム</translation>
        </message>
        <message>
            <source>Adjust</source>
            <translation>調整</translation>
        </message>
        <message>
            <source>Effect</source>
            <translation>エフェクト</translation>
        </message>
        <message>
            <source>Watermark</source>
            <translation>透かし</translation>
        </message>
        <message>
            <source>Subtitle</source>
            <translation>字幕</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>オーディオ</translation>
        </message>
        <message>
            <source>Tag</source>
            <translation>タグ</translation>
        </message>
    </context>
    <context>
        <name>QCommonButtonForm</name>
        <message>
            <source>Apply to all</source>
            <translation>すべてに適用</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>リセット</translation>
        </message>
    </context>
    <context>
        <name>QWaitForDlg</name>
        <message>
            <source>Loading</source>
            <translation>読み込み中</translation>
        </message>
    </context>
    <context>
        <name>QAdjustOperationForm</name>
        <message>
            <source>Crop, aspect, rotation and mirror of the picture. Drag the rectangle on the left picture to crop.</source>
            <translation>画像の切り抜き、縦横比、回転、反転。左の画像の枠をドラッグして切り抜きます。</translation>
        </message>
        <message>
            <source>Rotation:</source>
            <translation>回転:</translation>
        </message>
        <message>
            <source>Rotate Anticlockwise</source>
            <translation>反時計回りに回転</translation>
        </message>
        <message>
            <source>Rotate Clockwise</source>
            <translation>時計回りに回転</translation>
        </message>
        <message>
            <source>Flip Horizontal</source>
            <translation>左右反転</translation>
        </message>
        <message>
            <source>Flip Vertical</source>
            <translation>上下反転</translation>
        </message>
        <message>
            <source>Crop Area Size:</source>
            <translation>切り抜き範囲のサイズ:</translation>
        </message>
        <message>
            <source>Width of the crop area in pixels of the source</source>
            <translation>切り抜き範囲の幅（元映像のピクセル）</translation>
        </message>
        <message>
            <source>Height of the crop area in pixels of the source</source>
            <translation>切り抜き範囲の高さ（元映像のピクセル）</translation>
        </message>
        <message>
            <source>Original Resolution:</source>
            <translation>元の解像度:</translation>
        </message>
        <message>
            <source>Aspect Ratio:</source>
            <translation>アスペクト比:</translation>
        </message>
        <message>
            <source>Original Display</source>
            <translation>元の表示</translation>
        </message>
        <message>
            <source>Original Resolution</source>
            <translation>元の解像度</translation>
        </message>
        <message>
            <source>Full Screen</source>
            <translation>フルスクリーン</translation>
        </message>
        <message>
            <source>Pan Scan</source>
            <translation>パン＆スキャン</translation>
        </message>
    </context>
    <context>
        <name>QEffectOperationForm</name>
        <message>
            <source>Brightness, contrast, saturation and hue, video effects and frames.</source>
            <translation>明るさ、コントラスト、彩度、色相、ビデオエフェクトとフレーム。</translation>
        </message>
        <message>
            <source>Brightness:</source>
            <translation>明るさ:</translation>
        </message>
        <message>
            <source>Contrast:</source>
            <translation>コントラスト:</translation>
        </message>
        <message>
            <source>Saturation:</source>
            <translation>彩度:</translation>
        </message>
        <message>
            <source>Hue:</source>
            <translation>色相:</translation>
        </message>
        <message>
            <source>Video effects</source>
            <translation>ビデオエフェクト</translation>
        </message>
        <message>
            <source>Frame</source>
            <translation>フレーム</translation>
        </message>
    </context>
    <context>
        <name>QWatermarkOperationForm</name>
        <message>
            <source>A text or picture watermark. Drag the boxes on the right picture to place and size them.</source>
            <translation>テキストまたは画像の透かし。右の画像の枠をドラッグして位置と大きさを決めます。</translation>
        </message>
        <message>
            <source>Image:</source>
            <translation>画像:</translation>
        </message>
        <message>
            <source>Add Watermark Image</source>
            <translation>透かし画像を追加</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Transparency:</source>
            <translation>不透明度:</translation>
        </message>
        <message>
            <source>Text:</source>
            <translation>テキスト:</translation>
        </message>
        <message>
            <source>Type the watermark text here</source>
            <translation>ここに透かしのテキストを入力</translation>
        </message>
        <message>
            <source>Set Font</source>
            <translation>フォント設定</translation>
        </message>
        <message>
            <source>Open Image</source>
            <translation>画像を開く</translation>
        </message>
        <message>
            <source>Images (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic)</source>
            <translation>画像 (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic)</translation>
        </message>
    </context>
    <context>
        <name>QSubtitleOperationForm</name>
        <message>
            <source>Subtitles burned into the picture, their font, colour and position.</source>
            <translation>映像に焼き込む字幕と、そのフォント、色、位置。</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>トラック:</translation>
        </message>
        <message>
            <source>File:</source>
            <translation>ファイル:</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>ファイルを開く</translation>
        </message>
        <message>
            <source>Set Font</source>
            <translation>フォント設定</translation>
        </message>
        <message>
            <source>Transparency:</source>
            <translation>透明度:</translation>
        </message>
        <message>
            <source>Position:</source>
            <translation>位置:</translation>
        </message>
        <message>
            <source>Top</source>
            <translation>上</translation>
        </message>
        <message>
            <source>Middle</source>
            <translation>中央</translation>
        </message>
        <message>
            <source>Bottom</source>
            <translation>下</translation>
        </message>
        <message>
            <source>Margin:</source>
            <translation>余白:</translation>
        </message>
        <message>
            <source>Scale:</source>
            <translation>拡大率:</translation>
        </message>
        <message>
            <source>No Subtitle</source>
            <translation>字幕なし</translation>
        </message>
        <message>
            <source>Video Internet CC</source>
            <translation>ビデオのクローズドキャプション</translation>
        </message>
        <message>
            <source>All Subtitle</source>
            <translation>すべての字幕</translation>
        </message>
        <message>
            <source>The subtitle file "%1" cannot be opened.</source>
            <translation>字幕ファイル「%1」を開けません。</translation>
        </message>
        <message>
            <source>The file "%1" is too large to be a subtitle file.</source>
            <translation>ファイル「%1」は字幕ファイルとしては大きすぎます。</translation>
        </message>
        <message>
            <source>The file "%1" is not a subtitle file this program reads (SRT, ASS, SSA, WebVTT or MicroDVD SUB).</source>
            <translation>ファイル「%1」はこのプログラムが読める字幕ファイル（SRT、ASS、SSA、WebVTT、MicroDVD SUB）ではありません。</translation>
        </message>
        <message>
            <source>The file "%1" is not a text subtitle file.</source>
            <translation>ファイル「%1」はテキスト形式の字幕ファイルではありません。</translation>
        </message>
        <message>
            <source>The file "%1" is damaged: its header is missing.</source>
            <translation>ファイル「%1」は破損しています: ヘッダーがありません。</translation>
        </message>
        <message>
            <source>The file "%1" holds no subtitle with a valid time.</source>
            <translation>ファイル「%1」には有効な時刻を持つ字幕がありません。</translation>
        </message>
        <message>
            <source>Open Subtitle File</source>
            <translation>字幕ファイルを開く</translation>
        </message>
        <message>
            <source>Subtitles (%1)</source>
            <translation>字幕 (%1)</translation>
        </message>
        <message>
            <source>Subtitle files can only be burned into the picture in Encoding mode.</source>
            <translation>字幕ファイルはエンコードモードでのみ映像に焼き込めます。</translation>
        </message>
    </context>
    <context>
        <name>QAudioOperationForm</name>
        <message>
            <source>Volume, background music and sound effects.</source>
            <translation>音量、BGM、サウンドエフェクト。</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>トラック:</translation>
        </message>
        <message>
            <source>Volume:</source>
            <translation>音量:</translation>
        </message>
        <message>
            <source>File:</source>
            <translation>ファイル:</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>ファイルを開く</translation>
        </message>
        <message>
            <source>Weight:</source>
            <translation>比率:</translation>
        </message>
        <message>
            <source>Repeat</source>
            <translation>繰り返し</translation>
        </message>
        <message>
            <source>Fade in (s):</source>
            <translation>フェードイン (秒):</translation>
        </message>
        <message>
            <source>Fade out (s):</source>
            <translation>フェードアウト (秒):</translation>
        </message>
        <message>
            <source>No Audio</source>
            <translation>音声なし</translation>
        </message>
        <message>
            <source>All Audio</source>
            <translation>すべての音声</translation>
        </message>
        <message>
            <source>Open Audio File</source>
            <translation>音声ファイルを開く</translation>
        </message>
        <message>
            <source>audio files(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;video files(*.avi;*.mp4;*.mov;*.3gp;*.flv;*.mkv;*.rmvb;*.wmv;*.mpg;*.mpeg;*.ts;*.trp);;all files(*.*)</source>
            <translation>音声ファイル(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;動画ファイル(*.avi;*.mp4;*.mov;*.3gp;*.flv;*.mkv;*.rmvb;*.wmv;*.mpg;*.mpeg;*.ts;*.trp);;すべてのファイル(*.*)</translation>
        </message>
        <message>
            <source>Sound effects:</source>
            <translation>サウンド効果:</translation>
        </message>
    </context>
    <context>
        <name>QAudioTagForm</name>
        <message>
            <source>Title, artist, album and the other tags written into the output.</source>
            <translation>出力に書き込むタイトル、アーティスト、アルバムなどのタグ。</translation>
        </message>
        <message>
            <source>Title:</source>
            <translation>タイトル:</translation>
        </message>
        <message>
            <source>Artist:</source>
            <translation>アーティスト:</translation>
        </message>
        <message>
            <source>Composer:</source>
            <translation>作曲者:</translation>
        </message>
        <message>
            <source>Album:</source>
            <translation>アルバム:</translation>
        </message>
        <message>
            <source>Genre:</source>
            <translation>ジャンル:</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>トラック:</translation>
        </message>
        <message>
            <source>Disc Num:</source>
            <translation>ディスク番号:</translation>
        </message>
        <message>
            <source>Year:</source>
            <translation>年:</translation>
        </message>
        <message>
            <source>Grouping:</source>
            <translation>グループ:</translation>
        </message>
        <message>
            <source>Copyright:</source>
            <translation>著作権:</translation>
        </message>
        <message>
            <source>Comments:</source>
            <translation>コメント:</translation>
        </message>
        <message>
            <source>Cover:</source>
            <translation>カバー:</translation>
        </message>
        <message>
            <source>Add Image</source>
            <translation>画像を追加</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Open Image</source>
            <translation>画像を開く</translation>
        </message>
        <message>
            <source>Images (*.png *.xpm *.jpg)</source>
            <translation>画像 (*.png *.xpm *.jpg)</translation>
        </message>
    </context>
    <context>
        <name>QPlayerOperationForm</name>
        <message>
            <source>Play</source>
            <translation>再生</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>一時停止</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Snapshot</source>
            <translation>スナップショット</translation>
        </message>
        <message>
            <source>Snapshot Menu</source>
            <translation>スナップショットメニュー</translation>
        </message>
    </context>
    <context>
        <name>QTrimOperationForm</name>
        <message>
            <source>Previous Frame</source>
            <translation>前のフレーム</translation>
        </message>
        <message>
            <source>Next Frame</source>
            <translation>次のフレーム</translation>
        </message>
        <message>
            <source>Play Section</source>
            <translation>区間を再生</translation>
        </message>
        <message>
            <source>Pause Section</source>
            <translation>区間を一時停止</translation>
        </message>
        <message>
            <source>Play</source>
            <translation>再生</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>一時停止</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Snapshot</source>
            <translation>スナップショット</translation>
        </message>
        <message>
            <source>Snapshot Menu</source>
            <translation>スナップショットメニュー</translation>
        </message>
        <message>
            <source>Trim</source>
            <translation>トリム</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>リセット</translation>
        </message>
    </context>
    <context>
        <name>QVideoEditingDlg</name>
        <message>
            <source>Video Edit</source>
            <translation>ビデオ編集</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>Snapshot successfully!</source>
            <translation>スナップショットを保存しました！</translation>
        </message>
        <message>
            <source>Snapshot failed!</source>
            <translation>スナップショットに失敗しました！</translation>
        </message>
        <message>
            <source>Open Folder</source>
            <translation>フォルダーを開く</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>設定</translation>
        </message>
    </context>
    <context>
        <name>QEditTipDlg</name>
        <message>
            <source>Video Edit</source>
            <translation>ビデオ編集</translation>
        </message>
        <message>
            <source>Note: The currently selected output mode is High-Speed mode (Lossless). The edited effect won't be applied to the output file.</source>
            <translation>注意：現在の出力モードは高速モード（ロスレス）です。編集した効果は出力ファイルに適用されません。</translation>
        </message>
        <message>
            <source>Don't show this window again</source>
            <translation>今後このウィンドウを表示しない</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>QWatermartTextSettingDlg</name>
        <message>
            <source>Font</source>
            <translation>フォント</translation>
        </message>
        <message>
            <source>Choose the font of the watermark text</source>
            <translation>透かしテキストのフォントを選択</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>リセット</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>Font Name:</source>
            <translation>フォント名:</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>文字の色:</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>縁取りの色:</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>縁取りの太さ:</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>影の色:</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>影のずれ:</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>文字間隔:</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>行間隔:</translation>
        </message>
        <message>
            <source>Choose a colour</source>
            <translation>色を選択</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>既定</translation>
        </message>
        <message>
            <source>Select Color</source>
            <translation>色の選択</translation>
        </message>
    </context>
    <context>
        <name>QSubtitleSettingDlg</name>
        <message>
            <source>Font</source>
            <translation>フォント</translation>
        </message>
        <message>
            <source>Font Name:</source>
            <translation>フォント名:</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>既定</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>文字色:</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>縁取りの色:</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>縁取りの太さ:</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>影の色:</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>影のずれ:</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>文字間隔:</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>行間隔:</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>リセット</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>Choose the font of the subtitles</source>
            <translation>字幕のフォントを選択</translation>
        </message>
    </context>
    <context>
        <name>QCaptureSettingDlg</name>
        <message>
            <source>Snapshot Setting</source>
            <translation>スナップショットの設定</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>Save to:</source>
            <translation>保存先:</translation>
        </message>
        <message>
            <source>Format:</source>
            <translation>形式:</translation>
        </message>
        <message>
            <source>Please choose destination folder</source>
            <translation>保存先フォルダーを選んでください</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>is not exists</source>
            <translation> は存在しません</translation>
        </message>
        <message>
            <source>The folder "%1" cannot be written to. Please choose another folder for snapshots.</source>
            <translation>フォルダー「%1」に書き込めません。スナップショット用に別のフォルダーを選んでください。</translation>
        </message>
        <message>
            <source>Save to</source>
            <translation>保存先</translation>
        </message>
    </context>
    <context>
        <name>EffectLibrary</name>
        <message>
            <source>None</source>
            <translation>なし</translation>
        </message>
        <message>
            <source>Snow</source>
            <translation>雪</translation>
        </message>
        <message>
            <source>Rain</source>
            <translation>雨</translation>
        </message>
        <message>
            <source>Bubbles</source>
            <translation>泡</translation>
        </message>
        <message>
            <source>Sparkles</source>
            <translation>きらめき</translation>
        </message>
        <message>
            <source>Falling Leaves</source>
            <translation>落ち葉</translation>
        </message>
        <message>
            <source>Light Leak</source>
            <translation>光漏れ</translation>
        </message>
        <message>
            <source>Film Grain</source>
            <translation>フィルムグレイン</translation>
        </message>
        <message>
            <source>Confetti</source>
            <translation>紙吹雪</translation>
        </message>
        <message>
            <source>Gold</source>
            <translation>ゴールド</translation>
        </message>
        <message>
            <source>Wood</source>
            <translation>木目</translation>
        </message>
        <message>
            <source>Film Strip</source>
            <translation>フィルムストリップ</translation>
        </message>
        <message>
            <source>Instant Photo</source>
            <translation>インスタント写真</translation>
        </message>
        <message>
            <source>Rounded</source>
            <translation>角丸</translation>
        </message>
        <message>
            <source>Neon</source>
            <translation>ネオン</translation>
        </message>
        <message>
            <source>Dots</source>
            <translation>ドット</translation>
        </message>
        <message>
            <source>Vignette</source>
            <translation>ビネット</translation>
        </message>
        <message>
            <source>Bass Boost</source>
            <translation>低音強調</translation>
        </message>
        <message>
            <source>Treble Boost</source>
            <translation>高音強調</translation>
        </message>
        <message>
            <source>Voice</source>
            <translation>ボイス</translation>
        </message>
        <message>
            <source>Radio</source>
            <translation>ラジオ</translation>
        </message>
        <message>
            <source>Telephone</source>
            <translation>電話</translation>
        </message>
        <message>
            <source>Stadium</source>
            <translation>スタジアム</translation>
        </message>
        <message>
            <source>Slow</source>
            <translation>スロー</translation>
        </message>
        <message>
            <source>Fast</source>
            <translation>高速</translation>
        </message>
    </context>
    <context>
        <name>ControlNames</name>
        <message>
            <source>%1: later</source>
            <translation>%1: 後へ</translation>
        </message>
        <message>
            <source>%1: earlier</source>
            <translation>%1: 前へ</translation>
        </message>
    </context>
    <context>
        <name>QButtonListDlg</name>
        <message>
            <source>Segment %1</source>
            <translation>セグメント %1</translation>
        </message>
        <message>
            <source>Previous Segments</source>
            <translation>前のセグメント</translation>
        </message>
        <message>
            <source>Next Segments</source>
            <translation>次のセグメント</translation>
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
            <translation>スペース</translation>
        </message>
        <message>
            <source>Esc</source>
            <translation>Esc</translation>
        </message>
        <message>
            <source>Return</source>
            <translation>Enter</translation>
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
            <translation>このコンピューター上のファイルのみ開くことができます。</translation>
        </message>
        <message>
            <source>The file name has no extension.</source>
            <translation>ファイル名に拡張子がありません。</translation>
        </message>
        <message>
            <source>Folders are not opened; choose a file.</source>
            <translation>フォルダーは開けません。ファイルを選択してください。</translation>
        </message>
    </context>
    <context>
        <name>QFontLookPanel</name>
        <message>
            <source>Font Name:</source>
            <translation>フォント名:</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>文字の色:</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>縁取りの色:</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>縁取りの太さ:</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>影の色:</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>影のずれ:</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>文字間隔:</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>行間隔:</translation>
        </message>
        <message>
            <source>Choose a colour</source>
            <translation>色を選択</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>既定</translation>
        </message>
        <message>
            <source>Select Color</source>
            <translation>色の選択</translation>
        </message>
        <message>
            <source>Font</source>
            <translation>フォント</translation>
        </message>
    </context>
    <context>
        <name>QFontLookDialog</name>
        <message>
            <source>Font</source>
            <translation>フォント</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>リセット</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>QCustomTimeEdit</name>
        <message>
            <source>Set to %1, the latest time allowed here.</source>
            <translation>ここで指定できる最も遅い時刻 %1 に設定しました。</translation>
        </message>
        <message>
            <source>Set to %1, the earliest time allowed here.</source>
            <translation>ここで指定できる最も早い時刻 %1 に設定しました。</translation>
        </message>
    </context>
    <context>
        <name>snipwell-cli</name>
        <message>
            <source>the file has no chapters</source>
            <translation>ファイルにチャプターがありません</translation>
        </message>
        <message>
            <source>not a media file we can read</source>
            <translation>読み取れるメディアファイルではありません</translation>
        </message>
        <message>
            <source>segment %1 (%2) ends past the end of the file (%3); it was cut there</source>
            <translation>区間 %1（%2）はファイルの末尾（%3）より後で終わるため、そこで切りました</translation>
        </message>
        <message>
            <source>segment %1 (%2) starts past the end of the file (%3); it was left out</source>
            <translation>区間 %1（%2）はファイルの末尾（%3）より後で始まるため、省きました</translation>
        </message>
        <message>
            <source>Part %1</source>
            <translation>パート %1</translation>
        </message>
        <message>
            <source>%1: not frame-exact, %2</source>
            <translation>%1: フレーム単位ではありません、%2</translation>
        </message>
        <message>
            <source>--name %1: %2 is not a placeholder; use {name} {n} {label} {start} {end} {ext} {date}</source>
            <translation>--name %1: %2 はプレースホルダーではありません。{name} {n} {label} {start} {end} {ext} {date} を使ってください</translation>
        </message>
        <message>
            <source>the output folder cannot be made</source>
            <translation>出力フォルダーを作成できません</translation>
        </message>
        <message>
            <source>the output folder is not writable</source>
            <translation>出力フォルダーに書き込めません</translation>
        </message>
        <message>
            <source>stopped; nothing half-written was left behind</source>
            <translation>停止しました。書きかけのファイルは残っていません</translation>
        </message>
        <message>
            <source>%1 needs a value</source>
            <translation>%1 には値が必要です</translation>
        </message>
        <message>
            <source>unknown option %1</source>
            <translation>不明なオプション %1</translation>
        </message>
        <message>
            <source>--cut %1: write the segment as START-END</source>
            <translation>--cut %1: 区間は START-END と書いてください</translation>
        </message>
        <message>
            <source>--cut %1: '%2' is not a time (12.5, 1:02.5 or 1:02:03.250)</source>
            <translation>--cut %1: '%2' は時間ではありません（12.5、1:02.5、1:02:03.250）</translation>
        </message>
        <message>
            <source>--cut %1: the end is not after the start</source>
            <translation>--cut %1: 終わりが始まりより後ではありません</translation>
        </message>
        <message>
            <source>--cuts %1: not a cut list (.csv, .tsv, .txt, .edl or .cue) or project (.snipwell)</source>
            <translation>--cuts %1: カットリスト（.csv、.tsv、.txt、.edl、.cue）でもプロジェクト（.snipwell）でもありません</translation>
        </message>
        <message>
            <source>--cuts %1: the project holds no segments</source>
            <translation>--cuts %1: プロジェクトに区間がありません</translation>
        </message>
        <message>
            <source>--jobs %1: give a number from 1 to 64</source>
            <translation>--jobs %1: 1 から 64 までの数を指定してください</translation>
        </message>
        <message>
            <source>no FILE to cut</source>
            <translation>切り出すファイルがありません</translation>
        </message>
        <message>
            <source>--mode %1: use copy, exact or encode</source>
            <translation>--mode %1: copy、exact、encode のいずれかを使ってください</translation>
        </message>
        <message>
            <source>--merge-chapters goes with --merge</source>
            <translation>--merge-chapters は --merge と併用します</translation>
        </message>
        <message>
            <source>--merge-chapters goes with --mode copy or exact</source>
            <translation>--merge-chapters は --mode copy または exact と併用します</translation>
        </message>
        <message>
            <source>--format, --quality, the encoding parameters and --edits go with --mode encode</source>
            <translation>--format、--quality、エンコードのパラメーター、--edits は --mode encode と併用します</translation>
        </message>
        <message>
            <source>--container goes with --mode copy or exact; --format chooses the container of an encode</source>
            <translation>--container は --mode copy または exact と併用します。エンコードのコンテナーは --format で選びます</translation>
        </message>
        <message>
            <source>unknown container '%1'; one of: %2</source>
            <translation>不明なコンテナー '%1'。次のいずれか: %2</translation>
        </message>
        <message>
            <source>unknown format '%1'; one of: %2</source>
            <translation>不明な形式 '%1'。次のいずれか: %2</translation>
        </message>
        <message>
            <source>--quality %1: use small or high</source>
            <translation>--quality %1: small または high を使ってください</translation>
        </message>
        <message>
            <source>--size %1: write it as WIDTHxHEIGHT</source>
            <translation>--size %1: 幅x高さ の形で書いてください</translation>
        </message>
        <message>
            <source>%1 %2: give a positive number</source>
            <translation>%1 %2: 正の数を指定してください</translation>
        </message>
        <message>
            <source>--edits %1: %2</source>
            <translation>--edits %1: %2</translation>
        </message>
        <message>
            <source>no FILE to read</source>
            <translation>読み取るファイルがありません</translation>
        </message>
        <message>
            <source>snipwell-cli info FILE...
    One JSON object a line for each FILE: format, duration, streams,
    chapters and the number of key frames.
</source>
            <translation>snipwell-cli info ファイル...
    ファイルごとに 1 行の JSON オブジェクト：形式、長さ、ストリーム、
    チャプター、キーフレーム数。
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
            <translation>snipwell-cli cut [オプション] ファイル...
    すべてのファイルから同じ区間を切り出します。

  区間（指定した順。指定なし：ファイル全体）:
    --cut START-END       区間。時間は 12.5、1:02.5、1:02:03.250 の形式。
                          END を空にすると末尾まで（繰り返し可）
    --cuts LIST           カットリストの区間：.csv、.tsv、.edl、.cue、
                          .txt のチャプター行、または .snipwell プロジェクト
                          （区間名も使用、繰り返し可）
    --chapters            各ファイルのチャプターごとに 1 区間

  出力:
    --mode MODE           copy（キーフレームで無劣化、既定）、
                          exact（無劣化・フレーム単位）または encode
    --container NAME      copy と exact：original（既定）、mp4、mkv、
                          mov、ts など無劣化フォーマット一覧のとおり
    --format NAME         encode：形式ダイアログと同じタイトルまたは番号
                          （"MP4 H.264/AAC"、4000）
    --quality QUALITY     encode：small または high（既定）
    --merge               1 つのファイルの全区間を 1 つの出力に結合
    --merge-chapters      --merge と併用（copy、exact）：区間ごとに 1 チャプター
    --output-dir DIR      出力先（既定：プログラムの出力フォルダー、
                          ファイルごとに 1 フォルダー）
    --name TEMPLATE       出力名。ウィンドウの名前テンプレートと同じ：
                          {name} {n} {label} {start} {end} {ext} {date}
                          （既定 {name}_{n}.{ext}）

  エンコードのパラメーター（encode。既定：形式の値）:
    --video-codec TAG     プロファイルでのコーデック名（H264、HEVC など）または none
    --audio-codec TAG     （AAC、MP3 など）または none
    --size WxH            画面サイズ（既定：形式が任意のサイズを許すときはソースの
                          サイズ、それ以外は形式のサイズ）
    --fps RATE            フレームレート
    --video-bitrate KBPS
    --audio-bitrate KBPS
    --channels N
    --sample-rate HZ
    --edits FILE          JSON による編集：編集レコードのフィールド

  実行:
    --jobs N              同時に変換するファイル数（既定 1）
    --json                標準出力に 1 行ごとに 1 つの JSON オブジェクト：
                          進行状況、パス・カットレポート・検査結果付きの各出力、
                          注意とエラー
</translation>
        </message>
        <message>
            <source>no such file</source>
            <translation>そのようなファイルはありません</translation>
        </message>
        <message>
            <source>a folder, not a file</source>
            <translation>ファイルではなくフォルダーです</translation>
        </message>
        <message>
            <source>not readable (permission denied)</source>
            <translation>読み取れません（アクセス権がありません）</translation>
        </message>
        <message>
            <source>Usage: snipwell-cli COMMAND [OPTIONS] FILE...
Cuts video and audio files without the window, on the same conversion
path as the Zelvane Snipwell window.

</source>
            <translation>使い方: snipwell-cli コマンド [オプション] ファイル...
ウィンドウを使わずに動画・音声ファイルを切り出します。Zelvane Snipwell の
ウィンドウと同じ変換経路を使います。

</translation>
        </message>
        <message>
            <source>  --help                  this text (COMMAND --help: the command's)
  --version               the program's version

Exit status: 0 when every output was written, 1 when a file failed (the
others are still written), 2 for a wrong command line. Ctrl+C stops and
leaves no partial output. See snipwell-cli(1).
</source>
            <translation>  --help                  この説明（コマンド --help：そのコマンドの説明）
  --version               プログラムのバージョン

終了ステータス: すべての出力を書き込んだときは 0、失敗したファイルがあるときは 1
（他のファイルは書き込まれます）、コマンドラインの誤りは 2。Ctrl+C で停止し、
書きかけの出力は残りません。snipwell-cli(1) を参照してください。
</translation>
        </message>
        <message>
            <source>Usage: </source>
            <translation>使い方: </translation>
        </message>
        <message>
            <source>a command is missing: info or cut</source>
            <translation>コマンドがありません: info または cut</translation>
        </message>
        <message>
            <source>unknown command '%1'</source>
            <translation>不明なコマンド '%1'</translation>
        </message>
        <message>
            <source>Try 'snipwell-cli --help'.</source>
            <translation>'snipwell-cli --help' を参照してください。</translation>
        </message>
        <message>
            <source>the file has no sound to search</source>
            <translation>ファイルに検索できる音声がありません</translation>
        </message>
        <message>
            <source>the file has no pictures to search</source>
            <translation>ファイルに検索できる映像がありません</translation>
        </message>
        <message>
            <source>stopped</source>
            <translation>停止しました</translation>
        </message>
        <message>
            <source>a setting is out of its range</source>
            <translation>設定値が範囲外です</translation>
        </message>
        <message>
            <source>cannot be read: %1</source>
            <translation>読み込めません: %1</translation>
        </message>
        <message>
            <source>no KIND given: silence, black, scene or freeze</source>
            <translation>KIND が指定されていません: silence、black、scene、freeze のいずれか</translation>
        </message>
        <message>
            <source>unknown KIND %1: silence, black, scene or freeze</source>
            <translation>不明な KIND %1: silence、black、scene、freeze のいずれか</translation>
        </message>
        <message>
            <source>%1 needs a number</source>
            <translation>%1 には数値が必要です</translation>
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
            <translation>snipwell-cli detect KIND [オプション] ファイル...
    各ファイルからカット位置を探し、1 行に 1 つずつ秒で表示します:
    KIND が silence、black、freeze なら各範囲の 開始 終了、
    scene なら各場面転換の時刻です。

    --threshold 値        silence: dB 単位のレベル (-50)、black: 黒い画素の
                          割合 0〜1 (0.98)、scene: 変化スコア 0〜100 (10)、
                          freeze: dB 単位の差 (-60)
    --min-length 秒       最短の範囲 (silence 1、black 0.5、freeze 2)、
                          scene: 変化どうしの最短間隔 (1)
    --json                ファイルごとに 1 行 1 つの JSON オブジェクト
</translation>
        </message>
        <message>
            <source>--cuts %1: not a cut list (.csv, .tsv, .txt, .edl or .cue)</source>
            <translation>--cuts %1: カットリストではありません（.csv、.tsv、.txt、.edl、.cue）</translation>
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
            <translation>snipwell-cli cut [オプション] ファイル...
    すべてのファイルから同じ区間を切り出します。

  区間（指定した順。指定なし：ファイル全体）:
    --cut START-END       区間。時間は 12.5、1:02.5、1:02:03.250 の形式。
                          END を空にすると末尾まで（繰り返し可）
    --cuts LIST           カットリストの区間：.csv、.tsv、.edl、.cue、
                          または .txt のチャプター行（繰り返し可）
    --chapters            各ファイルのチャプターごとに 1 区間

  出力:
    --mode MODE           copy（キーフレームで無劣化、既定）、
                          exact（無劣化・フレーム単位）または encode
    --container NAME      copy と exact：original（既定）、mp4、mkv、
                          mov、ts など無劣化フォーマット一覧のとおり
    --format NAME         encode：形式ダイアログと同じタイトルまたは番号
                          （"MP4 H.264/AAC"、4000）
    --quality QUALITY     encode：small または high（既定）
    --merge               1 つのファイルの全区間を 1 つの出力に結合
    --merge-chapters      --merge と併用（copy、exact）：区間ごとに 1 チャプター
    --output-dir DIR      出力先（既定：プログラムの出力フォルダー、
                          ファイルごとに 1 フォルダー）
    --name TEMPLATE       出力名。ウィンドウの名前テンプレートと同じ：
                          {name} {n} {label} {start} {end} {ext} {date}
                          （既定 {name}_{n}.{ext}）

  エンコードのパラメーター（encode。既定：形式の値）:
    --video-codec TAG     プロファイルでのコーデック名（H264、HEVC など）または none
    --audio-codec TAG     （AAC、MP3 など）または none
    --size WxH            画面サイズ（既定：形式が任意のサイズを許すときはソースの
                          サイズ、それ以外は形式のサイズ）
    --fps RATE            フレームレート
    --video-bitrate KBPS
    --audio-bitrate KBPS
    --channels N
    --sample-rate HZ
    --edits FILE          JSON による編集：編集レコードのフィールド

  実行:
    --jobs N              同時に変換するファイル数（既定 1）
    --json                標準出力に 1 行ごとに 1 つの JSON オブジェクト：
                          進行状況、パス・カットレポート・検査結果付きの各出力、
                          注意とエラー
</translation>
        </message>
        <message>
            <source>the settings could not be read and were reset; the old settings file was kept as %1</source>
            <translation>設定を読み込めなかったため初期化しました。以前の設定ファイルは %1 として保存されています</translation>
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
            <translation>snipwell-cli extract-subtitles [オプション] ファイル...
    各ファイルのすべての字幕ストリームをそれぞれ別のファイル
    NAME.INDEX.言語.srt に書き出します: テキストは SRT (または ASS)、PGS 画像は .sup、
    その他の画像字幕は .mks。既存のファイルはそのまま残します。

    --format FORMAT       テキストストリーム: srt (既定) または ass
    --cut 開始-終了       このセグメントに映る部分だけを、セグメントを順に
                          つないだカットの時刻で (繰り返し可)
    --output-dir フォルダー  ファイルの書き出し先 (既定: ファイルの隣)
    --json                書き出した各ファイルについて 1 行に 1 つの JSON オブジェクト
</translation>
        </message>
        <message>
            <source>unknown subtitle format %1: srt or ass</source>
            <translation>不明な字幕形式 %1: srt または ass</translation>
        </message>
        <message>
            <source>%1 needs START-END, the end after the start</source>
            <translation>%1 には 開始-終了 が必要です (終了は開始より後)</translation>
        </message>
        <message>
            <source>the output folder %1 does not exist</source>
            <translation>出力フォルダー %1 がありません</translation>
        </message>
        <message>
            <source>stream %1</source>
            <translation>ストリーム %1</translation>
        </message>
        <message>
            <source>%1 subtitles can be neither read as text nor kept as pictures</source>
            <translation>%1 字幕はテキストとして読むことも画像として残すこともできません</translation>
        </message>
        <message>
            <source>%1 already exists; remove it or choose another --output-dir</source>
            <translation>%1 は既にあります。削除するか、別の --output-dir を選んでください</translation>
        </message>
        <message>
            <source>no subtitle streams</source>
            <translation>字幕ストリームがありません</translation>
        </message>
        <message>
            <source>%1 %2: '%3' names no stream; use an index (3), a kind and number (v:0, a:1, s:0) or a kind and language (a:eng)</source>
            <translation>%1 %2: '%3' はストリームを指していません。番号 (3)、種類と番号 (v:0, a:1, s:0)、または種類と言語 (a:eng) で指定してください</translation>
        </message>
        <message>
            <source>%1 %2: write it as STREAM=VALUE</source>
            <translation>%1 %2: ストリーム=値 の形で書いてください</translation>
        </message>
        <message>
            <source>%1 %2: '%3' is not a language code of ISO 639-2 (eng, ger, fre, ...)</source>
            <translation>%1 %2: '%3' は ISO 639-2 の言語コード (eng, ger, fre, ...) ではありません</translation>
        </message>
        <message>
            <source>%1 %2: give the shift in whole milliseconds, like -200 or 150</source>
            <translation>%1 %2: ずらす量は整数のミリ秒で指定してください (例: -200、150)</translation>
        </message>
        <message>
            <source>%1 %2: the file has no such stream</source>
            <translation>%1 %2: ファイルにそのストリームはありません</translation>
        </message>
        <message>
            <source>--shift %1=%2: the shift is as long as the file or longer</source>
            <translation>--shift %1=%2: ずらす量がファイルの長さ以上です</translation>
        </message>
        <message>
            <source>--shift %1: pictures cannot be shifted; shift the sound instead</source>
            <translation>--shift %1: 映像はずらせません。代わりに音声をずらしてください</translation>
        </message>
        <message>
            <source>--drop leaves no stream to write</source>
            <translation>--drop の結果、書き出すストリームがありません</translation>
        </message>
        <message>
            <source>%1 %2: use an index (3), a kind and number (a:1) or a kind and language (a:eng)</source>
            <translation>%1 %2: 番号 (3)、種類と番号 (a:1)、または種類と言語 (a:eng) で指定してください</translation>
        </message>
        <message>
            <source>offset takes FILE, or FILE and SECOND_FILE</source>
            <translation>offset には FILE、または FILE と SECOND_FILE を指定します</translation>
        </message>
        <message>
            <source>%1: the file has no such sound track</source>
            <translation>%1: ファイルにその音声トラックはありません</translation>
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
            <translation>  ストリーム (全モード。STREAM はソース内の番号 3、種類と番号 v:0 a:1 s:0、
  または種類と言語 a:eng):
    --drop STREAM         ストリームを除外 (繰り返し可)
    --order STREAM,...    指定したストリームを種類の中で先頭に。出力は
                          映像、音声、字幕の順
    --language STREAM=LANG  ISO 639-2 コード (例: eng) (繰り返し可)
    --title STREAM=TEXT   ストリームのタイトル (繰り返し可)
    --default STREAM      その種類の既定に。ほかは既定でなくなる
    --forced STREAM       ストリームを強制表示に
    --shift STREAM=MS     音声または字幕ストリームを符号付きミリ秒で
                          ずらす: 先頭より前に出た音声はフレーム単位で
                          切り、先頭の空きは空きのまま。
                          エンコードでは最初に残した音声だけを使う
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
    2 本目の音声トラックの音が 1 本目より何秒遅れて来るか (負なら早い) を、
    音量の変化を比べて求めて表示します。cut --shift STREAM=MS にその符号を
    反転した値を与えると揃います。判断できないときは理由を示し終了状態 1。

    --first STREAM        1 本目のトラック (既定: FILE の a:0)
    --second STREAM       2 本目 (既定: FILE の a:1、または SECOND_FILE
                          の a:0)
    --json                ずれ、確からしさ (0 から 1)、ずらす量 (ミリ秒)
                          を含む JSON オブジェクト 1 つ
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
            <translation>snipwell-cli join [オプション] ファイル [--cut S-E]... ファイル [--cut S-E]...
    各ファイルのセグメントをファイル順に 1 つの出力へ結合し、最初の
    ファイルの名前を付けます。各 --cut または --cuts はその直前の
    ファイルに属します（どのファイルよりも前に指定するとすべての
    ファイルに適用）。カットのないファイルは全体が結合されます。copy と
    exact はストリーム（コーデック、サイズ、レート、チャンネル）が一致する
    ファイルだけを結合し、一致しなければ違いを示して何も書き込みません。
    encode はどのファイルでも結合します。cut のオプションに加えて:

    --match-sound         copy と exact: 最初のファイルと異なる音声を
                          それに合わせてエンコードします。映像は
                          そのままコピーされます
    --json                cut と同じ。出力の行に "joins" が加わります:
                          各つなぎ目について、その後のセグメント、その
                          ファイル、作り方（method は copy、exact、encode、
                          sound は copied または encoded）
</translation>
        </message>
        <message>
            <source>--match-sound goes with join in --mode copy or exact</source>
            <translation>--match-sound は --mode copy または exact の join で使います</translation>
        </message>
    </context>
    <context>
        <name>BatchApplyDlg</name>
        <message>
            <source>Apply Segments To Other Files</source>
            <translation>セグメントを他のファイルに適用</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>1 segment for each file</source>
            <translation>各ファイルに 1 セグメント</translation>
        </message>
        <message>
            <source>%1 segments for each file</source>
            <translation>各ファイルに %1 セグメント</translation>
        </message>
        <message>
            <source>Opening…</source>
            <translation>開いています…</translation>
        </message>
        <message>
            <source>File %1 of %2: %3</source>
            <translation>ファイル %1 / %2: %3</translation>
        </message>
        <message>
            <source>Stopped: %1 of %2 files done, %3 failed.</source>
            <translation>停止しました: %2 ファイル中 %1 完了、%3 失敗。</translation>
        </message>
        <message>
            <source>Done: %1 of %2 files failed.</source>
            <translation>完了: %2 ファイル中 %1 失敗。</translation>
        </message>
        <message>
            <source>Done: all %1 files converted.</source>
            <translation>完了: %1 ファイルすべてを変換しました。</translation>
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
            <translation>%1 — 失敗: %2</translation>
        </message>
    </context>
    <context>
        <name>SegmentBatch</name>
        <message>
            <source>The file cannot be read.</source>
            <translation>ファイルを読み込めません。</translation>
        </message>
        <message>
            <source>Segment %1 (%2) ends past the end of the file (%3); it was cut there.</source>
            <translation>セグメント %1 (%2) はファイルの終わり (%3) より後で終わるため、そこで切りました。</translation>
        </message>
        <message>
            <source>Segment %1 (%2) starts past the end of the file (%3).</source>
            <translation>セグメント %1 (%2) はファイルの終わり (%3) より後で始まります。</translation>
        </message>
        <message>
            <source>The conversion failed.</source>
            <translation>変換に失敗しました。</translation>
        </message>
    </context>
    <context>
        <name>ProjectFile</name>
        <message>
            <source>%1 should be %2.</source>
            <translation>%1 は %2 である必要があります。</translation>
        </message>
        <message>
            <source>an object</source>
            <translation>オブジェクト</translation>
        </message>
        <message>
            <source>true or false</source>
            <translation>true または false</translation>
        </message>
        <message>
            <source>a number</source>
            <translation>数値</translation>
        </message>
        <message>
            <source>a list of texts</source>
            <translation>テキストのリスト</translation>
        </message>
        <message>
            <source>a list of numbers</source>
            <translation>数値のリスト</translation>
        </message>
        <message>
            <source>a list of numbers of the right length</source>
            <translation>正しい長さの数値のリスト</translation>
        </message>
        <message>
            <source>base64 data</source>
            <translation>base64 データ</translation>
        </message>
        <message>
            <source>base64 data of the right length</source>
            <translation>正しい長さの base64 データ</translation>
        </message>
        <message>
            <source>a whole number in range</source>
            <translation>範囲内の整数</translation>
        </message>
        <message>
            <source>a text</source>
            <translation>テキスト</translation>
        </message>
        <message>
            <source>a list</source>
            <translation>リスト</translation>
        </message>
        <message>
            <source>"encoding" or "high-speed"</source>
            <translation>「encoding」または「high-speed」</translation>
        </message>
        <message>
            <source>"free" or "simple"</source>
            <translation>「free」または「simple」</translation>
        </message>
        <message>
            <source>The project names no source file.</source>
            <translation>プロジェクトにソースファイルが指定されていません。</translation>
        </message>
        <message>
            <source>%1 ends before it starts.</source>
            <translation>%1 は開始より前に終わっています。</translation>
        </message>
        <message>
            <source>The project file is incomplete: it ends early (after %1 bytes).</source>
            <translation>プロジェクトファイルが不完全です: 途中で終わっています (%1 バイト)。</translation>
        </message>
        <message>
            <source>The project file is damaged: %1 at byte %2.</source>
            <translation>プロジェクトファイルが壊れています: バイト %2 で %1。</translation>
        </message>
        <message>
            <source>This is not a project file of Zelvane Snipwell.</source>
            <translation>これは Zelvane Snipwell のプロジェクトファイルではありません。</translation>
        </message>
        <message>
            <source>The project file has no valid format version.</source>
            <translation>プロジェクトファイルに有効な形式バージョンがありません。</translation>
        </message>
        <message>
            <source>This project was saved by a newer version of Zelvane Snipwell (project format %1); this version reads format %2 and older. Please update the program to open it.</source>
            <translation>このプロジェクトは新しいバージョンの Zelvane Snipwell で保存されました (プロジェクト形式 %1)。このバージョンが読めるのは形式 %2 以前です。開くにはプログラムを更新してください。</translation>
        </message>
        <message>
            <source>The project file cannot be used: %1</source>
            <translation>プロジェクトファイルを使用できません: %1</translation>
        </message>
        <message>
            <source>The project file could not be read: %1</source>
            <translation>プロジェクトファイルを読み込めませんでした: %1</translation>
        </message>
        <message>
            <source>The project could not be saved to %1: %2</source>
            <translation>プロジェクトを %1 に保存できませんでした: %2</translation>
        </message>
        <message>
            <source>%1 names no stream.</source>
            <translation>%1 にストリームが指定されていません。</translation>
        </message>
        <message>
            <source>%1 is of no known stream kind.</source>
            <translation>%1 は既知の種類のストリームではありません。</translation>
        </message>
        <message>
            <source>%1 has no language code: "%2".</source>
            <translation>%1 は言語コードではありません:「%2」。</translation>
        </message>
        <message>
            <source>%1 names stream %2 a second time.</source>
            <translation>%1 はストリーム %2 を二度指定しています。</translation>
        </message>
        <message>
            <source>%1 names no source file.</source>
            <translation>%1 にソースファイルが指定されていません。</translation>
        </message>
        <message>
            <source>The project's choice of tracks cannot be used and was left out: %1</source>
            <translation>プロジェクトのトラックの選択は使用できないため、省略されました: %1</translation>
        </message>
        <message>
            <source>%1 names no file.</source>
            <translation>%1 にファイルが指定されていません。</translation>
        </message>
        <message>
            <source>%1 names a source the project does not list.</source>
            <translation>%1 はプロジェクトに記載されていないソースを指定しています。</translation>
        </message>
    </context>
    <context>
        <name>ProjectSession</name>
        <message>
            <source>Restore the segments of %1 from %2?</source>
            <translation>%2 時点の %1 のセグメントを復元しますか?</translation>
        </message>
        <message>
            <source>No recent files</source>
            <translation>最近使ったファイルはありません</translation>
        </message>
        <message>
            <source>Save Project As</source>
            <translation>名前を付けてプロジェクトを保存</translation>
        </message>
        <message>
            <source>Zelvane Snipwell projects (*.snipwell)</source>
            <translation>Zelvane Snipwell プロジェクト (*.snipwell)</translation>
        </message>
        <message>
            <source>Open Project</source>
            <translation>プロジェクトを開く</translation>
        </message>
        <message>
            <source>%1 was not opened: a conversion is running. Open it when the conversion has finished.</source>
            <translation>%1 は開かれませんでした: 変換中です。変換が終わってから開いてください。</translation>
        </message>
        <message>
            <source>The project %1 could not be opened.</source>
            <translation>プロジェクト %1 を開けませんでした。</translation>
        </message>
        <message>
            <source>The source file of the project %1 was not found:
%2</source>
            <translation>プロジェクト %1 のソースファイルが見つかりません:
%2</translation>
        </message>
        <message>
            <source>The segments of %1 have changed. Save them as a project before they are closed?</source>
            <translation>%1 のセグメントが変更されています。閉じる前にプロジェクトとして保存しますか?</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Discard</source>
            <translation>破棄</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>Merge Segments</source>
            <translation>セグメントを結合</translation>
        </message>
        <message>
            <source>Separate Segments</source>
            <translation>セグメントを個別に出力</translation>
        </message>
        <message>
            <source>Add %1</source>
            <translation>%1 を追加</translation>
        </message>
        <message>
            <source>These files of the project were not found, and their segments were left out:
%1</source>
            <translation>プロジェクトの次のファイルが見つからないため、そのセグメントは除外されました:
%1</translation>
        </message>
    </context>
    <context>
        <name>QDetectDlg</name>
        <message>
            <source>Silence</source>
            <translation>無音</translation>
        </message>
        <message>
            <source>Black pictures</source>
            <translation>黒い画面</translation>
        </message>
        <message>
            <source>Scene changes</source>
            <translation>シーンの切り替わり</translation>
        </message>
        <message>
            <source>Frozen pictures</source>
            <translation>静止した画面</translation>
        </message>
        <message>
            <source>Searching for silence…</source>
            <translation>無音を検索中…</translation>
        </message>
        <message>
            <source>Searching for black pictures…</source>
            <translation>黒い画面を検索中…</translation>
        </message>
        <message>
            <source>Searching for scene changes…</source>
            <translation>シーンの切り替わりを検索中…</translation>
        </message>
        <message>
            <source>Searching for frozen pictures…</source>
            <translation>静止した画面を検索中…</translation>
        </message>
        <message>
            <source>Detect Cuts</source>
            <translation>カット位置の検出</translation>
        </message>
        <message>
            <source>Search the file for:</source>
            <translation>ファイル内で検索するもの：</translation>
        </message>
        <message>
            <source>for at least</source>
            <translation>最短の長さ</translation>
        </message>
        <message>
            <source>quieter than</source>
            <translation>音量がこれ未満</translation>
        </message>
        <message>
            <source>Sound below this level counts as silence.</source>
            <translation>この音量より小さい音を無音とみなします。</translation>
        </message>
        <message>
            <source>pixels darker than</source>
            <translation>これより暗い画素</translation>
        </message>
        <message>
            <source>covering</source>
            <translation>画面に占める割合</translation>
        </message>
        <message>
            <source>A pixel at or below this brightness counts as black.</source>
            <translation>この明るさ以下の画素を黒とみなします。</translation>
        </message>
        <message>
            <source>How much of a picture must be black for the picture to count as black.</source>
            <translation>画面が黒とみなされるために必要な黒い部分の割合です。</translation>
        </message>
        <message>
            <source>change above</source>
            <translation>変化量がこれを超える</translation>
        </message>
        <message>
            <source>apart by at least</source>
            <translation>最小の間隔</translation>
        </message>
        <message>
            <source>How much the picture must change, from 1 (a little) to 100 (all of it).</source>
            <translation>画面がどれだけ変わる必要があるか。1（わずか）から 100（すべて）まで。</translation>
        </message>
        <message>
            <source>differences below</source>
            <translation>差がこれ未満</translation>
        </message>
        <message>
            <source>Pictures differing by less than this count as the same picture.</source>
            <translation>差がこれより小さい画面を同じ画面とみなします。</translation>
        </message>
        <message>
            <source>Make of what is found:</source>
            <translation>見つかったものから作るもの：</translation>
        </message>
        <message>
            <source>Segments between the findings (leave out silence, black and frozen pictures)</source>
            <translation>見つかった箇所の間のセグメント（無音・黒い画面・静止した画面を除く）</translation>
        </message>
        <message>
            <source>Segments of the findings themselves</source>
            <translation>見つかった箇所そのもののセグメント</translation>
        </message>
        <message>
            <source>Detect</source>
            <translation>検出</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>The whole file is searched. Undo (Ctrl+Z) takes back the segments made.</source>
            <translation>ファイル全体を検索します。作られたセグメントは元に戻す（Ctrl+Z）で取り消せます。</translation>
        </message>
        <message>
            <source>Choose at least one thing to search for.</source>
            <translation>検索するものを少なくとも一つ選んでください。</translation>
        </message>
        <message>
            <source>(%2 of %3) %1</source>
            <translation>（%3 件中 %2 件目）%1</translation>
        </message>
        <message>
            <source>Stopped. Nothing was changed.</source>
            <translation>停止しました。何も変更していません。</translation>
        </message>
        <message>
            <source>The file has no sound, so there is no silence to search for.</source>
            <translation>このファイルには音声がないため、無音を検索できません。</translation>
        </message>
        <message>
            <source>The file has no pictures, so black pictures, scene changes and frozen pictures cannot be searched for.</source>
            <translation>このファイルには映像がないため、黒い画面・シーンの切り替わり・静止した画面は検索できません。</translation>
        </message>
        <message>
            <source>A setting of “%1” is out of its range.</source>
            <translation>「%1」の設定が範囲外です。</translation>
        </message>
        <message>
            <source>The file could not be read in the search for “%1”.</source>
            <translation>「%1」の検索中にファイルを読み込めませんでした。</translation>
        </message>
        <message>
            <source>Nothing was found. Lower the minimum lengths or loosen the levels to find more.</source>
            <translation>何も見つかりませんでした。もっと見つけるには、最短の長さを短くするか、しきい値を緩めてください。</translation>
        </message>
        <message>
            <source>Places were found, but they leave no segment of a quarter second or more.</source>
            <translation>箇所は見つかりましたが、0.25 秒以上のセグメントが残りません。</translation>
        </message>
        <message>
            <source>This would make %1 segments; the work can hold at most %2. Raise the minimum lengths to find fewer places.</source>
            <translation>セグメントが %1 個になりますが、作業に入るのは最大 %2 個です。見つかる箇所を減らすには最短の長さを長くしてください。</translation>
        </message>
        <message>
            <source>Markers on the timeline (the segments stay as they are)</source>
            <translation>タイムライン上のマーカー（セグメントはそのまま）</translation>
        </message>
        <message>
            <source>Places were found only at the very start or end of the file; there is nothing to mark.</source>
            <translation>見つかった箇所はファイルの先頭か末尾だけなので、マーカーを付ける所がありません。</translation>
        </message>
    </context>
    <context>
        <name>SettingsResetNotice</name>
        <message>
            <source>Your settings could not be read, so they were reset to their defaults. The old settings file was kept as:
%1</source>
            <translation>設定を読み込めなかったため、既定値に戻しました。以前の設定ファイルは次の名前で保存されています:
%1</translation>
        </message>
    </context>
    <context>
        <name>TracksLeftOut</name>
        <message>
            <source>Encoding keeps one sound track and no subtitle streams; left out: %1</source>
            <translation>エンコードでは音声トラックを 1 つだけ残し、字幕ストリームは残しません。含まれないもの: %1</translation>
        </message>
        <message>
            <source>Encoding keeps up to %1 sound tracks and no subtitle streams; left out: %2</source>
            <translation>エンコードでは音声トラックを最大 %1 つまで残し、字幕ストリームは残しません。含まれないもの: %2</translation>
        </message>
    </context>
    <context>
        <name>SaveSubtitlesDlg</name>
        <message>
            <source>Save Subtitles</source>
            <translation>字幕を保存</translation>
        </message>
        <message>
            <source>no language</source>
            <translation>言語なし</translation>
        </message>
        <message>
            <source>Stream %1 · %2 · %3</source>
            <translation>ストリーム %1 · %2 · %3</translation>
        </message>
        <message>
            <source>pictures, saved as .%1</source>
            <translation>画像、.%1 として保存</translation>
        </message>
        <message>
            <source>cannot be saved</source>
            <translation>保存できません</translation>
        </message>
        <message>
            <source>Saving…</source>
            <translation>保存中…</translation>
        </message>
        <message>
            <source>the folder cannot be made</source>
            <translation>フォルダーを作成できません</translation>
        </message>
        <message>
            <source>not saved: %1</source>
            <translation>保存されませんでした: %1</translation>
        </message>
        <message>
            <source>Text subtitles as:</source>
            <translation>テキスト字幕の形式:</translation>
        </message>
        <message>
            <source>Only what the segments show (no segments marked)</source>
            <translation>セグメントに映る部分だけ (セグメントがありません)</translation>
        </message>
        <message>
            <source>Only what the segments show, timed as their cut</source>
            <translation>セグメントに映る部分だけを、カットの時刻で</translation>
        </message>
        <message>
            <source>Folder: %1</source>
            <translation>フォルダー: %1</translation>
        </message>
        <message>
            <source>Browse…</source>
            <translation>参照…</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>閉じる</translation>
        </message>
        <message>
            <source>Reading the file's subtitle streams…</source>
            <translation>ファイルの字幕ストリームを読み込み中…</translation>
        </message>
        <message>
            <source>The file cannot be read: %1</source>
            <translation>ファイルを読み込めません: %1</translation>
        </message>
        <message>
            <source>This file holds no subtitle streams.</source>
            <translation>このファイルには字幕ストリームがありません。</translation>
        </message>
        <message>
            <source>Saved 1 file.</source>
            <translation>1 個のファイルを保存しました。</translation>
        </message>
        <message>
            <source>Saved %1 files.</source>
            <translation>%1 個のファイルを保存しました。</translation>
        </message>
        <message>
            <source>Saved %1, %2 not saved.</source>
            <translation>%1 個を保存、%2 個は保存できませんでした。</translation>
        </message>
    </context>
    <context>
        <name>TracksDlg</name>
        <message>
            <source>Undetermined</source>
            <translation>未定義</translation>
        </message>
        <message>
            <source>English</source>
            <translation>英語</translation>
        </message>
        <message>
            <source>German</source>
            <translation>ドイツ語</translation>
        </message>
        <message>
            <source>French</source>
            <translation>フランス語</translation>
        </message>
        <message>
            <source>Spanish</source>
            <translation>スペイン語</translation>
        </message>
        <message>
            <source>Italian</source>
            <translation>イタリア語</translation>
        </message>
        <message>
            <source>Portuguese</source>
            <translation>ポルトガル語</translation>
        </message>
        <message>
            <source>Dutch</source>
            <translation>オランダ語</translation>
        </message>
        <message>
            <source>Swedish</source>
            <translation>スウェーデン語</translation>
        </message>
        <message>
            <source>Norwegian</source>
            <translation>ノルウェー語</translation>
        </message>
        <message>
            <source>Danish</source>
            <translation>デンマーク語</translation>
        </message>
        <message>
            <source>Finnish</source>
            <translation>フィンランド語</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>ポーランド語</translation>
        </message>
        <message>
            <source>Czech</source>
            <translation>チェコ語</translation>
        </message>
        <message>
            <source>Hungarian</source>
            <translation>ハンガリー語</translation>
        </message>
        <message>
            <source>Russian</source>
            <translation>ロシア語</translation>
        </message>
        <message>
            <source>Ukrainian</source>
            <translation>ウクライナ語</translation>
        </message>
        <message>
            <source>Greek</source>
            <translation>ギリシャ語</translation>
        </message>
        <message>
            <source>Turkish</source>
            <translation>トルコ語</translation>
        </message>
        <message>
            <source>Arabic</source>
            <translation>アラビア語</translation>
        </message>
        <message>
            <source>Hebrew</source>
            <translation>ヘブライ語</translation>
        </message>
        <message>
            <source>Hindi</source>
            <translation>ヒンディー語</translation>
        </message>
        <message>
            <source>Japanese</source>
            <translation>日本語</translation>
        </message>
        <message>
            <source>Chinese</source>
            <translation>中国語</translation>
        </message>
        <message>
            <source>Korean</source>
            <translation>韓国語</translation>
        </message>
        <message>
            <source>Picture</source>
            <translation>映像</translation>
        </message>
        <message>
            <source>Sound</source>
            <translation>音声</translation>
        </message>
        <message>
            <source>Subtitles</source>
            <translation>字幕</translation>
        </message>
        <message>
            <source>%1 ch, %2 Hz</source>
            <translation>%1 ch、%2 Hz</translation>
        </message>
        <message>
            <source>default</source>
            <translation>既定</translation>
        </message>
        <message>
            <source>forced</source>
            <translation>強制</translation>
        </message>
        <message>
            <source>%1 ms</source>
            <translation>%1 ミリ秒</translation>
        </message>
        <message>
            <source>Comparing stream %1 with stream %2…</source>
            <translation>ストリーム %1 とストリーム %2 を比較しています…</translation>
        </message>
        <message>
            <source>Stream %1 comes %2 s after stream %3 (confidence %4%): its shift is set to %5 ms.</source>
            <translation>ストリーム %1 はストリーム %3 より %2 秒遅れています (確からしさ %4%)。ずらす量を %5 ミリ秒にしました。</translation>
        </message>
        <message>
            <source>No offset found: %1</source>
            <translation>ずれは見つかりませんでした: %1</translation>
        </message>
        <message>
            <source>The shift of stream %1 (%2 ms) is as long as the file or longer.</source>
            <translation>ストリーム %1 のずらす量 (%2 ミリ秒) がファイルの長さ以上です。</translation>
        </message>
        <message>
            <source>Keep at least one stream.</source>
            <translation>少なくとも 1 つのストリームを残してください。</translation>
        </message>
        <message>
            <source>Tracks</source>
            <translation>トラック</translation>
        </message>
        <message>
            <source>Keep</source>
            <translation>残す</translation>
        </message>
        <message>
            <source>Stream</source>
            <translation>ストリーム</translation>
        </message>
        <message>
            <source>Codec</source>
            <translation>コーデック</translation>
        </message>
        <message>
            <source>Channels or size</source>
            <translation>チャンネルまたはサイズ</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>言語</translation>
        </message>
        <message>
            <source>Title</source>
            <translation>タイトル</translation>
        </message>
        <message>
            <source>Flags</source>
            <translation>フラグ</translation>
        </message>
        <message>
            <source>Shift</source>
            <translation>ずらし</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>言語:</translation>
        </message>
        <message>
            <source>Title:</source>
            <translation>タイトル:</translation>
        </message>
        <message>
            <source>Default track</source>
            <translation>既定のトラック</translation>
        </message>
        <message>
            <source>Forced</source>
            <translation>強制</translation>
        </message>
        <message>
            <source>Shift (ms):</source>
            <translation>ずらし (ミリ秒):</translation>
        </message>
        <message>
            <source>Move Up</source>
            <translation>上へ</translation>
        </message>
        <message>
            <source>Move Down</source>
            <translation>下へ</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>リセット</translation>
        </message>
        <message>
            <source>Find Offset…</source>
            <translation>ずれを検出…</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>Reading the file's streams…</source>
            <translation>ファイルのストリームを読み込んでいます…</translation>
        </message>
        <message>
            <source>The file cannot be read: %1</source>
            <translation>ファイルを読み込めません: %1</translation>
        </message>
        <message>
            <source>A shift moves a sound or subtitle track's timing without encoding: positive later, negative earlier. Sound moved before the start is cut off at a frame boundary; a track moved later begins after a gap, and no silence is added. Outputs hold the picture, then the sound, then the subtitles; an encoding keeps the picture and the sound tracks kept (only the first where its format holds one), without subtitles.</source>
            <translation>ずらしは音声または字幕トラックのタイミングをエンコードせずに動かします (正で遅く、負で早く)。先頭より前に出た音声はフレームの境目で切り取られ、遅らせたトラックは空きのあとに始まります (無音は足しません)。出力は映像、音声、字幕の順です。エンコードでは映像と残した音声トラックを使い (形式が 1 本しか持てない場合は最初の 1 本のみ)、字幕は含めません。</translation>
        </message>
    </context>
</TS>
