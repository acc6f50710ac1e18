<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
    <context>
        <name>main</name>
        <message>
            <source>An instance has already been running.</source>
            <translation>Es läuft bereits eine Instanz.</translation>
        </message>
    </context>
    <context>
        <name>StartupWindow</name>
        <message>
            <source>Add a video or audio file to start cutting.</source>
            <translation>Fügen Sie eine Video- oder Audiodatei hinzu, um mit dem Schneiden zu beginnen.</translation>
        </message>
    </context>
    <context>
        <name>QVoMessageDlg</name>
        <message>
            <source>Zelvane Video Cutter</source>
            <translation>Zelvane Videoschneider</translation>
        </message>
        <message>
            <source>QVoMessageDlg::LoadTitleIconImg fail</source>
            <translation>QVoMessageDlg::LoadTitleIconImg fehlgeschlagen</translation>
        </message>
        <message>
            <source>QVoMessageDlg::InitButton fail</source>
            <translation>QVoMessageDlg::InitButton fehlgeschlagen</translation>
        </message>
        <message>
            <source>QVoMessageDlg::InitButton Load Yes Image fail</source>
            <translation>QVoMessageDlg::InitButton: Laden des Ja-Bildes fehlgeschlagen</translation>
        </message>
        <message>
            <source>QVoMessageDlg::InitButton Load Cancel Image fail</source>
            <translation>QVoMessageDlg::InitButton: Laden des Abbrechen-Bildes fehlgeschlagen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stopp</translation>
        </message>
        <message>
            <source>Restart</source>
            <translation>Neu starten</translation>
        </message>
        <message>
            <source>Restart Later</source>
            <translation>Später neu starten</translation>
        </message>
        <message>
            <source>YES</source>
            <translation>JA</translation>
        </message>
        <message>
            <source>NO</source>
            <translation>NEIN</translation>
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
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Yes</source>
            <translation>Ja</translation>
        </message>
        <message>
            <source>No</source>
            <translation>Nein</translation>
        </message>
    </context>
    <context>
        <name>VoVideoConvertItem</name>
        <message>
            <source>No Subtitle</source>
            <translation>Kein Untertitel</translation>
        </message>
        <message>
            <source>Video Internal CC</source>
            <translation>Video-interne Untertitel (CC)</translation>
        </message>
    </context>
    <context>
        <name>VoInfoManager</name>
        <message>
            <source>Current</source>
            <translation>Aktuell</translation>
        </message>
    </context>
    <context>
        <name>ProfileCatalogue</name>
        <message>
            <source>The profile file %1 could not be read: %2</source>
            <translation>Die Profildatei %1 konnte nicht gelesen werden: %2</translation>
        </message>
        <message>
            <source>The profile file %1 has no valid entry "%2".</source>
            <translation>Die Profildatei %1 enthält keinen gültigen Eintrag „%2“.</translation>
        </message>
        <message>
            <source>The format %1 in the category "%2" of the profile file %3 has no valid entry "%4".</source>
            <translation>Das Format %1 in der Kategorie „%2“ der Profildatei %3 enthält keinen gültigen Eintrag „%4“.</translation>
        </message>
        <message>
            <source>The format %1 in the category "%2" of the profile file %3 names no audio codec for the video codec %4.</source>
            <translation>Das Format %1 in der Kategorie „%2“ der Profildatei %3 nennt keinen Audiocodec für den Videocodec %4.</translation>
        </message>
    </context>
    <context>
        <name>QVideoPlayDlg</name>
        <message>
            <source>Play</source>
            <translation>Wiedergabe</translation>
        </message>
        <message>
            <source>Pause</source>
            <translation>Pause</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stopp</translation>
        </message>
        <message>
            <source>Previous Frame</source>
            <translation>Vorheriges Bild</translation>
        </message>
        <message>
            <source>Next Frame</source>
            <translation>Nächstes Bild</translation>
        </message>
        <message>
            <source>Previous Key Frame</source>
            <translation>Vorheriges Schlüsselbild</translation>
        </message>
        <message>
            <source>Next Key Frame</source>
            <translation>Nächstes Schlüsselbild</translation>
        </message>
        <message>
            <source>Drag media files here to start</source>
            <translation>Mediendateien zum Starten hierher ziehen</translation>
        </message>
    </context>
    <context>
        <name>VideoImageWindow</name>
        <message>
            <source>Form</source>
            <translation>Formular</translation>
        </message>
    </context>
    <context>
        <name>QVideoCutDlg</name>
        <message>
            <source>Start Time:</source>
            <translation>Startzeit:</translation>
        </message>
        <message>
            <source>End Time:</source>
            <translation>Endzeit:</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Öffnen</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>Datei öffnen</translation>
        </message>
        <message>
            <source>Format</source>
            <translation>Format</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Starten</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stopp</translation>
        </message>
        <message>
            <source>Set Segment Start Time</source>
            <translation>Startzeit des Abschnitts setzen</translation>
        </message>
        <message>
            <source>Set Segment End Time</source>
            <translation>Endzeit des Abschnitts setzen</translation>
        </message>
        <message>
            <source>Play Segment</source>
            <translation>Abschnitt abspielen</translation>
        </message>
        <message>
            <source>Pause Segment</source>
            <translation>Abschnitt anhalten</translation>
        </message>
        <message>
            <source>Stop Segment</source>
            <translation>Abschnitt stoppen</translation>
        </message>
    </context>
    <context>
        <name>FormatWidget</name>
        <message>
            <source>Output Format</source>
            <translation>Ausgabeformat</translation>
        </message>
        <message>
            <source>High - Speed mode - Fast and Lossless (Recommended)</source>
            <translation>Hochgeschwindigkeitsmodus - schnell und verlustfrei (empfohlen)</translation>
        </message>
        <message>
            <source>Encoding mode - Customize file format, quality and codec (Slow)</source>
            <translation>Kodierungsmodus - Dateiformat, Qualität und Codec anpassen (langsam)</translation>
        </message>
        <message>
            <source>Frame-exact cuts (re-encode only at the cut points)</source>
            <translation>Bildgenaue Schnitte (nur an den Schnittpunkten neu kodieren)</translation>
        </message>
        <message>
            <source>Show Advanced</source>
            <translation>Erweitert anzeigen</translation>
        </message>
        <message>
            <source>Hide Advanced</source>
            <translation>Erweitert ausblenden</translation>
        </message>
        <message>
            <source>Preset:</source>
            <translation>Vorgabe:</translation>
        </message>
        <message>
            <source>High Quality</source>
            <translation>Hohe Qualität</translation>
        </message>
        <message>
            <source>Small Size</source>
            <translation>Kleine Datei</translation>
        </message>
        <message>
            <source>Customized</source>
            <translation>Angepasst</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Attention: Please don't change advanced settings if you are 
non-professionals. Please leave it as the default "Original". 
Otherwise the conversion may fail.</source>
            <translation>Achtung: Bitte ändern Sie die erweiterten Einstellungen nicht, wenn Sie 
kein Profi sind. Bitte belassen Sie die Vorgabe "Original". 
Sonst kann die Konvertierung fehlschlagen.</translation>
        </message>
    </context>
    <context>
        <name>QSettingDlg</name>
        <message>
            <source>Codec:</source>
            <translation>Codec:</translation>
        </message>
        <message>
            <source>Resolution:</source>
            <translation>Auflösung:</translation>
        </message>
        <message>
            <source>Frame Rate:</source>
            <translation>Bildrate:</translation>
        </message>
        <message>
            <source>Bit Rate:</source>
            <translation>Bitrate:</translation>
        </message>
        <message>
            <source>Channel:</source>
            <translation>Kanäle:</translation>
        </message>
        <message>
            <source>Sample Rate:</source>
            <translation>Abtastrate:</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>Video</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>Audio</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Standard</translation>
        </message>
        <message>
            <source>Auto</source>
            <translation>Auto</translation>
        </message>
        <message>
            <source>Mono</source>
            <translation>Mono</translation>
        </message>
        <message>
            <source>Stereo</source>
            <translation>Stereo</translation>
        </message>
        <message>
            <source>5.1 Surround</source>
            <translation>5.1-Surround</translation>
        </message>
    </context>
    <context>
        <name>FormatItem</name>
        <message>
            <source>Set</source>
            <translation>Einstellen</translation>
        </message>
    </context>
    <context>
        <name>VoKeyFrameScanner</name>
        <message>
            <source>starts at %1, key frame</source>
            <translation>beginnt bei %1, Schlüsselbild</translation>
        </message>
    </context>
    <context>
        <name>QConverterObject</name>
        <message>
            <source>The source ends at %1; the segment was cut there.</source>
            <translation>Die Quelldatei endet bei %1; der Abschnitt wurde dort abgeschnitten.</translation>
        </message>
    </context>
</TS>
