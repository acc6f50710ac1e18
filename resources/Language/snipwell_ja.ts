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
</context>
<context>
    <name>VideoImageWindow</name>
    <message>
        <source>Form</source>
        <translation>フォーム</translation>
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
</TS>
