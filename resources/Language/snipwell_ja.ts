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
        <name>QVideoCutDlg</name>
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
    </context>
    <context>
        <name>FormatItem</name>
        <message>
            <source>Set</source>
            <translation>設定</translation>
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
    </context>
</TS>
