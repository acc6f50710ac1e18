<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
    <context>
        <name>main</name>
        <message>
            <source>An instance has already been running.</source>
            <translation>Es läuft bereits eine Instanz.</translation>
        </message>
        <message>
            <source>Usage: snipwell [FILE]
       snipwell --version | --help

Opens %1 with FILE, a video or audio file, ready to cut. If the program is already running, FILE opens in its window.

  -h, --help     show this help and exit
  -v, --version  show the version and exit
</source>
            <translation>Aufruf: snipwell [DATEI]
       snipwell --version | --help

Öffnet %1 mit DATEI, einer Video- oder Audiodatei, bereit zum Schneiden. Läuft das Programm bereits, öffnet sich DATEI in seinem Fenster.

  -h, --help     diese Hilfe zeigen und beenden
  -v, --version  die Version zeigen und beenden
</translation>
        </message>
        <message>
            <source>Unknown option: %1</source>
            <translation>Unbekannte Option: %1</translation>
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
        <message>
            <source>Encrypted audiobooks cannot be converted.</source>
            <translation>Verschlüsselte Hörbücher können nicht umgewandelt werden.</translation>
        </message>
        <message>
            <source>The file holds no audio or video stream.</source>
            <translation>Die Datei enthält keinen Audio- oder Videostream.</translation>
        </message>
        <message>
            <source>The media library could not start.</source>
            <translation>Die Medienbibliothek konnte nicht gestartet werden.</translation>
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
        <message>
            <source>Player</source>
            <translation>Wiedergabe</translation>
        </message>
        <message>
            <source>Volume</source>
            <translation>Lautstärke</translation>
        </message>
        <message>
            <source>Picture</source>
            <translation>Bild</translation>
        </message>
        <message>
            <source>Mute</source>
            <translation>Stumm schalten</translation>
        </message>
        <message>
            <source>Sound On</source>
            <translation>Ton einschalten</translation>
        </message>
    </context>
    <context>
        <name>VideoImageWindow</name>
        <message>
            <source>Picture</source>
            <translation>Bild</translation>
        </message>
    </context>
    <context>
        <name>QPreferencesDlg</name>
        <message>
            <source>Preferences</source>
            <translation>Einstellungen</translation>
        </message>
        <message>
            <source>General</source>
            <translation>Allgemein</translation>
        </message>
        <message>
            <source>Convert</source>
            <translation>Konvertieren</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
    </context>
    <context>
        <name>GeneralWidget</name>
        <message>
            <source>Automatic updates</source>
            <translation>Automatische Updates</translation>
        </message>
        <message>
            <source>Automatically update to the newest version</source>
            <translation>Automatisch auf die neueste Version aktualisieren</translation>
        </message>
        <message>
            <source>Close automatic updates</source>
            <translation>Automatische Updates ausschalten</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Minimize to Tray</source>
            <translation>In den Infobereich minimieren</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Beenden</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Sprache</translation>
        </message>
    </context>
    <context>
        <name>ConvertWidget</name>
        <message>
            <source>Conversion Completed</source>
            <translation>Konvertierung abgeschlossen</translation>
        </message>
        <message>
            <source>Turn Off Computer</source>
            <translation>Computer ausschalten</translation>
        </message>
        <message>
            <source>Output Folder</source>
            <translation>Ausgabeordner</translation>
        </message>
        <message>
            <source>Change</source>
            <translation>Ändern</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Zurücksetzen</translation>
        </message>
        <message>
            <source>Save to</source>
            <translation>Speichern in</translation>
        </message>
        <message>
            <source>Output Names</source>
            <translation>Ausgabenamen</translation>
        </message>
        <message>
            <source>Segment files:</source>
            <translation>Segmentdateien:</translation>
        </message>
        <message>
            <source>Merged files:</source>
            <translation>Zusammengefügte Dateien:</translation>
        </message>
        <message>
            <source>“%1” is not a placeholder; the template is not kept.</source>
            <translation>„%1“ ist kein Platzhalter; die Vorlage wird nicht übernommen.</translation>
        </message>
        <message>
            <source>{name} source name, {ext} extension, {n} or {n:02} segment number, {label}, {start}, {end}, {date}</source>
            <translation>{name} Quellname, {ext} Endung, {n} oder {n:02} Segmentnummer, {label}, {start}, {end}, {date}</translation>
        </message>
    </context>
    <context>
        <name>QShowCloseDlg</name>
        <message>
            <source>Minimize to Tray</source>
            <translation>In den Infobereich minimieren</translation>
        </message>
        <message>
            <source>Minimize (no system tray available)</source>
            <translation>Minimieren (kein Infobereich vorhanden)</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Beenden</translation>
        </message>
        <message>
            <source>Don't show this window again</source>
            <translation>Dieses Fenster nicht mehr anzeigen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
    </context>
    <context>
        <name>QAboutDlg</name>
        <message>
            <source>About</source>
            <translation>Über</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>Version</translation>
        </message>
        <message>
            <source>Visit:</source>
            <translation>Besuchen:</translation>
        </message>
    </context>
    <context>
        <name>QUpdateDlg</name>
        <message>
            <source>Check for Updates</source>
            <translation>Nach Updates suchen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Checking for updates...</source>
            <translation>Suche nach Updates …</translation>
        </message>
        <message>
            <source>You are up to date: %1 %2 is the newest version.</source>
            <translation>Alles aktuell: %1 %2 ist die neueste Version.</translation>
        </message>
        <message>
            <source>A new version %1 of %2 is available. You have version %3.</source>
            <translation>Eine neue Version %1 von %2 ist verfügbar. Sie haben Version %3.</translation>
        </message>
        <message>
            <source>Release notes</source>
            <translation>Versionshinweise</translation>
        </message>
        <message>
            <source>The update information could not be retrieved. Please check your network connection and try again later.</source>
            <translation>Die Update-Informationen konnten nicht abgerufen werden. Bitte prüfen Sie Ihre Netzwerkverbindung und versuchen Sie es später erneut.</translation>
        </message>
    </context>
    <context>
        <name>ProgramMenu</name>
        <message>
            <source>Apply Segments To Other Files…</source>
            <translation>Segmente auf andere Dateien anwenden …</translation>
        </message>
        <message>
            <source>Preferences</source>
            <translation>Einstellungen</translation>
        </message>
        <message>
            <source>Home</source>
            <translation>Startseite</translation>
        </message>
        <message>
            <source>Help</source>
            <translation>Hilfe</translation>
        </message>
        <message>
            <source>Check for Updates</source>
            <translation>Nach Updates suchen</translation>
        </message>
        <message>
            <source>About</source>
            <translation>Über</translation>
        </message>
        <message>
            <source>Open Project…</source>
            <translation>Projekt öffnen…</translation>
        </message>
        <message>
            <source>Save Project</source>
            <translation>Projekt speichern</translation>
        </message>
        <message>
            <source>Save Project As…</source>
            <translation>Projekt speichern unter…</translation>
        </message>
        <message>
            <source>Recent</source>
            <translation>Zuletzt verwendet</translation>
        </message>
        <message>
            <source>Undo</source>
            <translation>Rückgängig</translation>
        </message>
        <message>
            <source>Redo</source>
            <translation>Wiederholen</translation>
        </message>
        <message>
            <source>Undo %1</source>
            <translation>Rückgängig: %1</translation>
        </message>
        <message>
            <source>Redo %1</source>
            <translation>Wiederholen: %1</translation>
        </message>
        <message>
            <source>Save Subtitles…</source>
            <translation>Untertitel speichern…</translation>
        </message>
        <message>
            <source>Tracks…</source>
            <translation>Spuren …</translation>
        </message>
        <message>
            <source>Add File…</source>
            <translation>Datei hinzufügen…</translation>
        </message>
    </context>
    <context>
        <name>ShellTray</name>
        <message>
            <source>Hidden (&amp;H)</source>
            <translation>Ausblenden (&amp;H)</translation>
        </message>
        <message>
            <source>Show Window (&amp;S)</source>
            <translation>Fenster anzeigen (&amp;S)</translation>
        </message>
        <message>
            <source>Quit (&amp;Q)</source>
            <translation>Beenden (&amp;Q)</translation>
        </message>
    </context>
    <context>
        <name>QVideoCutDlg</name>
        <message>
            <source>A segment cannot start after its end (%1): the start stops there. Move the end first, or add a new segment.</source>
            <translation>Ein Abschnitt kann nicht nach seinem Ende beginnen (%1): Der Start bleibt dort stehen. Verschieben Sie zuerst das Ende oder fügen Sie einen neuen Abschnitt hinzu.</translation>
        </message>
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
        <message>
            <source>Output Format</source>
            <translation>Ausgabeformat</translation>
        </message>
        <message>
            <source>Start Conversion</source>
            <translation>Konvertierung starten</translation>
        </message>
        <message>
            <source>Stop Conversion</source>
            <translation>Konvertierung stoppen</translation>
        </message>
        <message>
            <source>Start Time</source>
            <translation>Startzeit</translation>
        </message>
        <message>
            <source>End Time</source>
            <translation>Endzeit</translation>
        </message>
        <message>
            <source>Segment</source>
            <translation>Abschnitt</translation>
        </message>
        <message>
            <source>starts at %1, frame-exact</source>
            <translation>beginnt bei %1, bildgenau</translation>
        </message>
        <message>
            <source>starts at %1, key frame: %2 files are not cut frame-exact</source>
            <translation>beginnt bei %1, Schlüsselbild: %2-Dateien werden nicht bildgenau geschnitten</translation>
        </message>
        <message>
            <source>starts at %1, key frame: %2 video is not cut frame-exact</source>
            <translation>beginnt bei %1, Schlüsselbild: %2-Video wird nicht bildgenau geschnitten</translation>
        </message>
    </context>
    <context>
        <name>QVideoConvertItem</name>
        <message>
            <source>Start Time:</source>
            <translation>Startzeit:</translation>
        </message>
        <message>
            <source>End Time:</source>
            <translation>Endzeit:</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>Bearbeiten</translation>
        </message>
        <message>
            <source>No Subtitle</source>
            <translation>Kein Untertitel</translation>
        </message>
        <message>
            <source>Segment Start Time</source>
            <translation>Startzeit des Abschnitts</translation>
        </message>
        <message>
            <source>Segment End Time</source>
            <translation>Endzeit des Abschnitts</translation>
        </message>
        <message>
            <source>Segment</source>
            <translation>Abschnitt</translation>
        </message>
        <message>
            <source>Segment %1</source>
            <translation>Segment %1</translation>
        </message>
        <message>
            <source>Double-click or press F2 to name the segment</source>
            <translation>Doppelklicken oder F2 drücken, um das Segment zu benennen</translation>
        </message>
        <message>
            <source>Segment Label</source>
            <translation>Segmentname</translation>
        </message>
        <message>
            <source>Segment %1 · %2</source>
            <translation>Segment %1 · %2</translation>
        </message>
        <message>
            <source>From %1</source>
            <translation>Aus %1</translation>
        </message>
    </context>
    <context>
        <name>QVideoCutManageDlg</name>
        <message>
            <source>%1 is not frame-exact: it was cut at key frames (%2).</source>
            <translation>%1 ist nicht bildgenau: Die Datei wurde an Schlüsselbildern geschnitten (%2).</translation>
        </message>
        <message>
            <source>Add Segment</source>
            <translation>Abschnitt hinzufügen</translation>
        </message>
        <message>
            <source>Show Segment List</source>
            <translation>Abschnittsliste anzeigen</translation>
        </message>
        <message>
            <source>Hide Segment List</source>
            <translation>Abschnittsliste ausblenden</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>Bearbeiten</translation>
        </message>
        <message>
            <source>Simple Mode</source>
            <translation>Einfacher Modus</translation>
        </message>
        <message>
            <source>Free Mode</source>
            <translation>Freier Modus</translation>
        </message>
        <message>
            <source>Move Up</source>
            <translation>Nach oben</translation>
        </message>
        <message>
            <source>Move Down</source>
            <translation>Nach unten</translation>
        </message>
        <message>
            <source>Merge Segments</source>
            <translation>Abschnitte zusammenfügen</translation>
        </message>
        <message>
            <source>Open The Output Folder</source>
            <translation>Ausgabeordner öffnen</translation>
        </message>
        <message>
            <source>Switching to the Simple Mode will change the segment length!</source>
            <translation>Der Wechsel in den einfachen Modus ändert die Länge der Abschnitte!</translation>
        </message>
        <message>
            <source>The output path is invalid!</source>
            <translation>Der Ausgabepfad ist ungültig!</translation>
        </message>
        <message>
            <source>File conversion failed, please check whether the output format parameters 
and output file directory are set correctly.</source>
            <translation>Die Konvertierung ist fehlgeschlagen. Bitte prüfen Sie, ob die Ausgabeformat-Parameter 
und der Ausgabeordner richtig eingestellt sind.</translation>
        </message>
        <message>
            <source>Invalid path</source>
            <translation>Ungültiger Pfad</translation>
        </message>
        <message>
            <source>Join all segments into one file</source>
            <translation>Alle Abschnitte zu einer Datei verbinden</translation>
        </message>
        <message>
            <source>Timeline</source>
            <translation>Zeitleiste</translation>
        </message>
        <message>
            <source>Segment List</source>
            <translation>Abschnittsliste</translation>
        </message>
        <message>
            <source>%1%</source>
            <translation>%1 %</translation>
        </message>
        <message>
            <source>%1% · %2 left</source>
            <translation>%1 % · noch %2</translation>
        </message>
        <message>
            <source>Segment Label</source>
            <translation>Segmentname</translation>
        </message>
        <message>
            <source>Chapters from segments</source>
            <translation>Kapitel aus Segmenten</translation>
        </message>
        <message>
            <source>One chapter per segment in the merged file, titled with its label</source>
            <translation>Ein Kapitel je Segment in der zusammengefügten Datei, benannt nach dem Segmentnamen</translation>
        </message>
        <message>
            <source>Switch to Simple Mode</source>
            <translation>Zum einfachen Modus wechseln</translation>
        </message>
        <message>
            <source>Switch to Free Mode</source>
            <translation>Zum freien Modus wechseln</translation>
        </message>
        <message>
            <source>Delete Segment %1</source>
            <translation>Abschnitt %1 löschen</translation>
        </message>
        <message>
            <source>Move Segment %1</source>
            <translation>Abschnitt %1 verschieben</translation>
        </message>
        <message>
            <source>Move Start of Segment %1</source>
            <translation>Start von Abschnitt %1 verschieben</translation>
        </message>
        <message>
            <source>Move End of Segment %1</source>
            <translation>Ende von Abschnitt %1 verschieben</translation>
        </message>
        <message>
            <source>Video Edit</source>
            <translation>Video bearbeiten</translation>
        </message>
        <message>
            <source>Rename Segment %1</source>
            <translation>Abschnitt %1 umbenennen</translation>
        </message>
        <message>
            <source>These files cannot be joined without encoding:</source>
            <translation>Diese Dateien lassen sich nicht ohne Kodieren zusammenfügen:</translation>
        </message>
        <message>
            <source>Only the sound differs. Encode the sound of the files that differ to match the first file (the pictures are still copied), or encode everything to a format you choose.</source>
            <translation>Nur der Ton weicht ab. Kodieren Sie den Ton der abweichenden Dateien passend zur ersten Datei (die Bilder werden weiterhin kopiert), oder kodieren Sie alles in ein Format Ihrer Wahl.</translation>
        </message>
        <message>
            <source>Choose a format to encode everything into one file.</source>
            <translation>Wählen Sie ein Format, um alles in eine Datei zu kodieren.</translation>
        </message>
        <message>
            <source>Match the Sound</source>
            <translation>Ton anpassen</translation>
        </message>
        <message>
            <source>Choose Format…</source>
            <translation>Format wählen…</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>The Simple Mode lays out the segments of one file. This work cuts from %1 files, so its segments stay in the list.</source>
            <translation>Der einfache Modus zeigt die Segmente einer einzigen Datei. Diese Arbeit schneidet aus %1 Dateien, daher bleiben ihre Segmente in der Liste.</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>Written: %1.</source>
            <translation>Geschrieben: %1.</translation>
        </message>
        <message>
            <source>Open a file and mark its segments first.</source>
            <translation>Öffnen Sie zuerst eine Datei und markieren Sie ihre Segmente.</translation>
        </message>
        <message>
            <source>Apply Segments To Other Files</source>
            <translation>Segmente auf andere Dateien anwenden</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>Alle Dateien (*)</translation>
        </message>
        <message>
            <source>The output path is invalid!</source>
            <translation>Der Ausgabepfad ist ungültig!</translation>
        </message>
        <message>
            <source>stopped; nothing half-written was left</source>
            <translation>gestoppt; nichts halb Geschriebenes blieb zurück</translation>
        </message>
        <message>
            <source>1 file written</source>
            <translation>1 Datei geschrieben</translation>
        </message>
        <message>
            <source>%1 files written</source>
            <translation>%1 Dateien geschrieben</translation>
        </message>
        <message>
            <source>Menu</source>
            <translation>Menü</translation>
        </message>
        <message>
            <source>Minimize</source>
            <translation>Minimieren</translation>
        </message>
        <message>
            <source>Maximize</source>
            <translation>Maximieren</translation>
        </message>
        <message>
            <source>Restore</source>
            <translation>Wiederherstellen</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Adding segment failed. Please drag segment to leave some space at the end 
or switch to the "Free Mode".</source>
            <translation>Das Hinzufügen des Abschnitts ist fehlgeschlagen. Bitte ziehen Sie einen Abschnitt, um am Ende etwas Platz zu lassen, 
oder wechseln Sie in den "Freien Modus".</translation>
        </message>
        <message>
            <source>Open audio device failed. </source>
            <translation>Das Audiogerät konnte nicht geöffnet werden. </translation>
        </message>
        <message>
            <source>Open file failed. </source>
            <translation>Die Datei konnte nicht geöffnet werden. </translation>
        </message>
        <message>
            <source>All Supported Formats(%1);;Apple Video files(*.m4v);;AVI Video files(*.avi);;High-definition files(*.mts *.ts *.m2ts *.m2t *.tp *.trp);; MPEG4 files(*.mp4 *.m4v);;MPEG files(*.mpg *.mpeg);;3GP files(*.3gp *.3g2);;Windows Media Video(*.wmv *.asf);; Real Media files(*.rm *.rmvb);;audio files(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;Video CD files(*.dat);; Quick Time files(*.mov);; Flash Video files(*.flv *.f4v);;MKV files(*.mkv);; Digital Video files(*.dv);;Microsoft Digital Video Recorder(*.dvr-ms);; Raw h.264 Video files(*.h.264);; Nullsoft Stream Video(*.nsv);;Unprotected VOB Files(*.vob);;WEBM Files(*.webm);;OGV Files(*.ogv);;All files(*.*)</source>
            <translation>Alle unterstützten Formate(%1);;Apple-Videodateien(*.m4v);;AVI-Videodateien(*.avi);;HD-Dateien(*.mts *.ts *.m2ts *.m2t *.tp *.trp);; MPEG4-Dateien(*.mp4 *.m4v);;MPEG-Dateien(*.mpg *.mpeg);;3GP-Dateien(*.3gp *.3g2);;Windows-Media-Video(*.wmv *.asf);; Real-Media-Dateien(*.rm *.rmvb);;Audiodateien(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;Video-CD-Dateien(*.dat);; QuickTime-Dateien(*.mov);; Flash-Videodateien(*.flv *.f4v);;MKV-Dateien(*.mkv);; Digital-Video-Dateien(*.dv);;Microsoft Digital Video Recorder(*.dvr-ms);; Rohe H.264-Videodateien(*.h.264);; Nullsoft Stream Video(*.nsv);;Ungeschützte VOB-Dateien(*.vob);;WEBM-Dateien(*.webm);;OGV-Dateien(*.ogv);;Alle Dateien(*.*)</translation>
        </message>
        <message>
            <source>This file ends at %1 although it declares %2 — it may be an unfinished download.</source>
            <translation>Diese Datei endet bei %1, obwohl sie %2 angibt — vielleicht ist der Download nicht abgeschlossen.</translation>
        </message>
        <message>
            <source>%1 was not opened: a conversion is running. Open it when the conversion has finished.</source>
            <translation>%1 wurde nicht geöffnet: Eine Konvertierung läuft. Öffnen Sie die Datei, wenn die Konvertierung beendet ist.</translation>
        </message>
        <message>
            <source>%1 “%2”</source>
            <translation>%1 „%2“</translation>
        </message>
        <message>
            <source>, </source>
            <translation>, </translation>
        </message>
        <message>
            <source>The file is not text in any encoding a cut list is written in.</source>
            <translation>Die Datei ist kein Text in einer Kodierung, in der Schnittlisten geschrieben werden.</translation>
        </message>
        <message>
            <source>The file holds no segment.</source>
            <translation>Die Datei enthält kein Segment.</translation>
        </message>
        <message>
            <source>“%1” is not a time.</source>
            <translation>„%1“ ist keine Zeitangabe.</translation>
        </message>
        <message>
            <source>A time lies before the start of the file.</source>
            <translation>Eine Zeit liegt vor dem Anfang der Datei.</translation>
        </message>
        <message>
            <source>The time “%1” is larger than the format or any file can hold.</source>
            <translation>Die Zeit „%1“ ist größer, als das Format oder eine Datei fassen kann.</translation>
        </message>
        <message>
            <source>A segment ends where or before it starts.</source>
            <translation>Ein Segment endet dort, wo es beginnt, oder davor.</translation>
        </message>
        <message>
            <source>A segment has no start time.</source>
            <translation>Ein Segment hat keine Startzeit.</translation>
        </message>
        <message>
            <source>There are more fields than start, end and label.</source>
            <translation>Es gibt mehr Felder als Start, Ende und Name.</translation>
        </message>
        <message>
            <source>A quoted label is not closed, or text follows its closing quote.</source>
            <translation>Ein Name in Anführungszeichen ist nicht geschlossen, oder nach dem schließenden Zeichen folgt Text.</translation>
        </message>
        <message>
            <source>A chapter or track does not come after the one before it.</source>
            <translation>Ein Kapitel oder Titel liegt nicht nach dem vorherigen.</translation>
        </message>
        <message>
            <source>A segment starts at or after the end of the file.</source>
            <translation>Ein Segment beginnt am Ende der Datei oder danach.</translation>
        </message>
        <message>
            <source>This line is not understood: “%1”.</source>
            <translation>Diese Zeile ist unverständlich: „%1“.</translation>
        </message>
        <message>
            <source>“%1” is not a timecode at the file's frame rate.</source>
            <translation>„%1“ ist kein Timecode bei der Bildrate der Datei.</translation>
        </message>
        <message>
            <source>The file's frame rate cannot count timecodes.</source>
            <translation>Mit der Bildrate der Datei lassen sich keine Timecodes zählen.</translation>
        </message>
        <message>
            <source>A track has no “INDEX 01” line.</source>
            <translation>Ein Titel hat keine Zeile „INDEX 01“.</translation>
        </message>
        <message>
            <source>The sheet names a second file; only sheets of one file can be read.</source>
            <translation>Die Liste nennt eine zweite Datei; nur Listen zu einer Datei können gelesen werden.</translation>
        </message>
        <message>
            <source>Chapter text must begin at 0:00, and the first segment begins later.</source>
            <translation>Kapiteltext muss bei 0:00 beginnen, das erste Segment beginnt aber später.</translation>
        </message>
        <message>
            <source>A segment does not begin where the one before it ends, which this format cannot hold.</source>
            <translation>Ein Segment beginnt nicht dort, wo das vorherige endet; das kann dieses Format nicht aufnehmen.</translation>
        </message>
        <message>
            <source>In this format the last segment must run to the end of the file.</source>
            <translation>In diesem Format muss das letzte Segment bis zum Ende der Datei reichen.</translation>
        </message>
        <message>
            <source>A label holds a line break.</source>
            <translation>Ein Name enthält einen Zeilenumbruch.</translation>
        </message>
        <message>
            <source>A segment runs to the end of a file whose length is unknown.</source>
            <translation>Ein Segment reicht bis zum Ende einer Datei unbekannter Länge.</translation>
        </message>
        <message>
            <source>There are more segments than this format can number.</source>
            <translation>Es gibt mehr Segmente, als dieses Format nummerieren kann.</translation>
        </message>
        <message>
            <source>The file cannot be opened.</source>
            <translation>Die Datei kann nicht geöffnet werden.</translation>
        </message>
        <message>
            <source>The file cannot be written.</source>
            <translation>Die Datei kann nicht geschrieben werden.</translation>
        </message>
        <message>
            <source>The file is too large to be a cut list.</source>
            <translation>Die Datei ist zu groß für eine Schnittliste.</translation>
        </message>
        <message>
            <source>Line %1: %2</source>
            <translation>Zeile %1: %2</translation>
        </message>
        <message>
            <source>Segment %1: %2</source>
            <translation>Segment %1: %2</translation>
        </message>
        <message>
            <source>Import Cut List…</source>
            <translation>Schnittliste importieren…</translation>
        </message>
        <message>
            <source>Export Cut List…</source>
            <translation>Schnittliste exportieren…</translation>
        </message>
        <message>
            <source>Segments From Chapters</source>
            <translation>Segmente aus Kapiteln</translation>
        </message>
        <message>
            <source>Replace</source>
            <translation>Ersetzen</translation>
        </message>
        <message>
            <source>Append</source>
            <translation>Anhängen</translation>
        </message>
        <message>
            <source>The work already has segments (%1). Replace them with the %2 from the list, or append those after them?</source>
            <translation>Die Arbeit hat bereits Segmente (%1). Sollen sie durch die %2 aus der Liste ersetzt oder diese danach angehängt werden?</translation>
        </message>
        <message>
            <source>The work can hold at most %1 segments; appending %2 to %3 would pass that.</source>
            <translation>Die Arbeit fasst höchstens %1 Segmente; %2 an %3 anzuhängen wäre mehr.</translation>
        </message>
        <message>
            <source>The list has %1 segments; the work can hold at most %2.</source>
            <translation>Die Liste hat %1 Segmente; die Arbeit fasst höchstens %2.</translation>
        </message>
        <message>
            <source>Cut Lists (*.csv *.tsv *.txt *.edl *.cue);;All Files (*)</source>
            <translation>Schnittlisten (*.csv *.tsv *.txt *.edl *.cue);;Alle Dateien (*)</translation>
        </message>
        <message>
            <source>Import Cut List</source>
            <translation>Schnittliste importieren</translation>
        </message>
        <message>
            <source>The cut list “%1” cannot be imported.</source>
            <translation>Die Schnittliste „%1“ kann nicht importiert werden.</translation>
        </message>
        <message>
            <source>Its type is none of CSV, TSV, chapter text (.txt), EDL or CUE sheet.</source>
            <translation>Ihr Typ ist weder CSV, TSV, Kapiteltext (.txt), EDL noch CUE-Datei.</translation>
        </message>
        <message>
            <source>None of its segments lies within the file, which ends at %1.</source>
            <translation>Keines ihrer Segmente liegt innerhalb der Datei, die bei %1 endet.</translation>
        </message>
        <message>
            <source>Segments reaching past the end of the file were cut at its end: %1.</source>
            <translation>Segmente, die über das Ende der Datei hinausreichen, wurden dort gekürzt: %1.</translation>
        </message>
        <message>
            <source>Segments after the end of the file were left out: %1.</source>
            <translation>Segmente nach dem Ende der Datei wurden ausgelassen: %1.</translation>
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
            <translation>Kapiteltext (*.txt)</translation>
        </message>
        <message>
            <source>CMX3600 EDL (*.edl)</source>
            <translation>CMX3600-EDL (*.edl)</translation>
        </message>
        <message>
            <source>CUE Sheet (*.cue)</source>
            <translation>CUE-Datei (*.cue)</translation>
        </message>
        <message>
            <source>Export Cut List</source>
            <translation>Schnittliste exportieren</translation>
        </message>
        <message>
            <source>The cut list cannot be saved as “%1”.</source>
            <translation>Die Schnittliste kann nicht als „%1“ gespeichert werden.</translation>
        </message>
        <message>
            <source>The file has no chapters.</source>
            <translation>Die Datei hat keine Kapitel.</translation>
        </message>
        <message>
            <source>Chapter %1 starts at or after the end of the file; no segment was made.</source>
            <translation>Kapitel %1 beginnt am Ende der Datei oder danach; es wurde kein Segment erstellt.</translation>
        </message>
        <message>
            <source>Detect Cuts…</source>
            <translation>Schnitte erkennen…</translation>
        </message>
        <message>
            <source>The work already has segments (%1). Replace them with the %2 found, or append those after them?</source>
            <translation>Die Arbeit hat bereits Abschnitte (%1). Sollen sie durch die %2 gefundenen ersetzt oder diese hinten angefügt werden?</translation>
        </message>
        <message>
            <source>Change Format</source>
            <translation>Format ändern</translation>
        </message>
        <message>
            <source>Detect Cuts</source>
            <translation>Schnitte erkennen</translation>
        </message>
        <message>
            <source>Change Start of Segment %1</source>
            <translation>Start von Abschnitt %1 ändern</translation>
        </message>
        <message>
            <source>Change End of Segment %1</source>
            <translation>Ende von Abschnitt %1 ändern</translation>
        </message>
        <message>
            <source>Set Start of Segment %1</source>
            <translation>Start von Abschnitt %1 setzen</translation>
        </message>
        <message>
            <source>Set End of Segment %1</source>
            <translation>Ende von Abschnitt %1 setzen</translation>
        </message>
        <message>
            <source>Add Segment</source>
            <translation>Abschnitt hinzufügen</translation>
        </message>
        <message>
            <source>Change Tracks</source>
            <translation>Spuren ändern</translation>
        </message>
        <message>
            <source>Add File</source>
            <translation>Datei hinzufügen</translation>
        </message>
    </context>
    <context>
        <name>QLoadingDlg</name>
        <message>
            <source>Adding File:</source>
            <translation>Datei wird hinzugefügt:</translation>
        </message>
        <message>
            <source>Added:</source>
            <translation>Hinzugefügt:</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stopp</translation>
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
        <message>
            <source>General Video</source>
            <translation>Allgemeine Videos</translation>
        </message>
        <message>
            <source>HD Video</source>
            <translation>HD-Videos</translation>
        </message>
        <message>
            <source>Devices</source>
            <translation>Geräte</translation>
        </message>
        <message>
            <source>Web</source>
            <translation>Web</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>Audio</translation>
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
        <message>
            <source>HDR kept</source>
            <translation>HDR bleibt erhalten</translation>
        </message>
        <message>
            <source>HDR converted to SDR</source>
            <translation>HDR wird in SDR umgewandelt</translation>
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
        <name>StartupWindow</name>
        <message>
            <source>Add a video or audio file to start cutting.</source>
            <translation>Fügen Sie eine Video- oder Audiodatei hinzu, um mit dem Schneiden zu beginnen.</translation>
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
        <message>
            <source>Segment %1</source>
            <translation>Segment %1</translation>
        </message>
        <message>
            <source>a stream that was asked for is missing (%1)</source>
            <translation>ein verlangter Datenstrom fehlt (%1)</translation>
        </message>
        <message>
            <source>it does not last as long as its range (%1)</source>
            <translation>sie ist nicht so lang wie ihr Bereich (%1)</translation>
        </message>
        <message>
            <source>its first picture is not shown at its start (%1)</source>
            <translation>ihr erstes Bild erscheint nicht an ihrem Anfang (%1)</translation>
        </message>
        <message>
            <source>its picture and sound do not start together (%1)</source>
            <translation>Bild und Ton beginnen nicht gleichzeitig (%1)</translation>
        </message>
        <message>
            <source>its beginning does not decode (%1)</source>
            <translation>ihr Anfang lässt sich nicht dekodieren (%1)</translation>
        </message>
        <message>
            <source>its end does not decode (%1)</source>
            <translation>ihr Ende lässt sich nicht dekodieren (%1)</translation>
        </message>
        <message>
            <source>it cannot be read back (%1)</source>
            <translation>sie lässt sich nicht wieder lesen (%1)</translation>
        </message>
        <message>
            <source>%1 failed its check and was not kept: %2.</source>
            <translation>%1 hat die Prüfung nicht bestanden und wurde nicht behalten: %2.</translation>
        </message>
        <message>
            <source>The files cannot be joined without encoding: %1. Choose a format to encode them into one file.</source>
            <translation>Die Dateien lassen sich nicht ohne Neukodierung zusammenfügen: %1. Wählen Sie ein Format, um sie in eine Datei zu kodieren.</translation>
        </message>
    </context>
    <context>
        <name>QVideoEditTag</name>
        <message>
            <source>Trim</source>
            <translation>Schneiden</translation>
        </message>
        <message>
            <source>Adjust</source>
            <translation>Anpassen</translation>
        </message>
        <message>
            <source>Effect</source>
            <translation>Effekt</translation>
        </message>
        <message>
            <source>Watermark</source>
            <translation>Wasserzeichen</translation>
        </message>
        <message>
            <source>Subtitle</source>
            <translation>Untertitel</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>Audio</translation>
        </message>
        <message>
            <source>Tag</source>
            <translation>Tags</translation>
        </message>
    </context>
    <context>
        <name>QCommonButtonForm</name>
        <message>
            <source>Apply to all</source>
            <translation>Auf alle anwenden</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Zurücksetzen</translation>
        </message>
    </context>
    <context>
        <name>QWaitForDlg</name>
        <message>
            <source>Loading</source>
            <translation>Wird geladen</translation>
        </message>
    </context>
    <context>
        <name>QAdjustOperationForm</name>
        <message>
            <source>Crop, aspect, rotation and mirror of the picture. Drag the rectangle on the left picture to crop.</source>
            <translation>Zuschnitt, Seitenverhältnis, Drehung und Spiegelung des Bildes. Ziehen Sie das Rechteck im linken Bild, um zuzuschneiden.</translation>
        </message>
        <message>
            <source>Rotation:</source>
            <translation>Drehung:</translation>
        </message>
        <message>
            <source>Rotate Anticlockwise</source>
            <translation>Gegen den Uhrzeigersinn drehen</translation>
        </message>
        <message>
            <source>Rotate Clockwise</source>
            <translation>Im Uhrzeigersinn drehen</translation>
        </message>
        <message>
            <source>Flip Horizontal</source>
            <translation>Horizontal spiegeln</translation>
        </message>
        <message>
            <source>Flip Vertical</source>
            <translation>Vertikal spiegeln</translation>
        </message>
        <message>
            <source>Crop Area Size:</source>
            <translation>Größe des Zuschnitts:</translation>
        </message>
        <message>
            <source>Width of the crop area in pixels of the source</source>
            <translation>Breite des Zuschnitts in Pixeln der Quelle</translation>
        </message>
        <message>
            <source>Height of the crop area in pixels of the source</source>
            <translation>Höhe des Zuschnitts in Pixeln der Quelle</translation>
        </message>
        <message>
            <source>Original Resolution:</source>
            <translation>Originalauflösung:</translation>
        </message>
        <message>
            <source>Aspect Ratio:</source>
            <translation>Seitenverhältnis:</translation>
        </message>
        <message>
            <source>Original Display</source>
            <translation>Originalanzeige</translation>
        </message>
        <message>
            <source>Original Resolution</source>
            <translation>Originalauflösung</translation>
        </message>
        <message>
            <source>Full Screen</source>
            <translation>Vollbild</translation>
        </message>
        <message>
            <source>Pan Scan</source>
            <translation>Pan &amp; Scan</translation>
        </message>
    </context>
    <context>
        <name>QEffectOperationForm</name>
        <message>
            <source>Brightness, contrast, saturation and hue, video effects and frames.</source>
            <translation>Helligkeit, Kontrast, Sättigung und Farbton, Videoeffekte und Rahmen.</translation>
        </message>
        <message>
            <source>Brightness:</source>
            <translation>Helligkeit:</translation>
        </message>
        <message>
            <source>Contrast:</source>
            <translation>Kontrast:</translation>
        </message>
        <message>
            <source>Saturation:</source>
            <translation>Sättigung:</translation>
        </message>
        <message>
            <source>Hue:</source>
            <translation>Farbton:</translation>
        </message>
        <message>
            <source>Video effects</source>
            <translation>Videoeffekte</translation>
        </message>
        <message>
            <source>Frame</source>
            <translation>Rahmen</translation>
        </message>
    </context>
    <context>
        <name>QWatermarkOperationForm</name>
        <message>
            <source>A text or picture watermark. Drag the boxes on the right picture to place and size them.</source>
            <translation>Ein Text- oder Bildwasserzeichen. Ziehen Sie die Rahmen im rechten Bild, um sie zu platzieren und ihre Größe zu ändern.</translation>
        </message>
        <message>
            <source>Image:</source>
            <translation>Bild:</translation>
        </message>
        <message>
            <source>Add Watermark Image</source>
            <translation>Wasserzeichenbild hinzufügen</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Transparency:</source>
            <translation>Deckkraft:</translation>
        </message>
        <message>
            <source>Text:</source>
            <translation>Text:</translation>
        </message>
        <message>
            <source>Type the watermark text here</source>
            <translation>Wasserzeichentext hier eingeben</translation>
        </message>
        <message>
            <source>Set Font</source>
            <translation>Schrift…</translation>
        </message>
        <message>
            <source>Open Image</source>
            <translation>Bild öffnen</translation>
        </message>
        <message>
            <source>Images (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic)</source>
            <translation>Bilder (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic)</translation>
        </message>
    </context>
    <context>
        <name>QSubtitleOperationForm</name>
        <message>
            <source>Subtitles burned into the picture, their font, colour and position.</source>
            <translation>In das Bild eingebrannte Untertitel, ihre Schrift, Farbe und Position.</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>Spur:</translation>
        </message>
        <message>
            <source>File:</source>
            <translation>Datei:</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>Datei öffnen</translation>
        </message>
        <message>
            <source>Set Font</source>
            <translation>Schrift festlegen</translation>
        </message>
        <message>
            <source>Transparency:</source>
            <translation>Transparenz:</translation>
        </message>
        <message>
            <source>Position:</source>
            <translation>Position:</translation>
        </message>
        <message>
            <source>Top</source>
            <translation>Oben</translation>
        </message>
        <message>
            <source>Middle</source>
            <translation>Mitte</translation>
        </message>
        <message>
            <source>Bottom</source>
            <translation>Unten</translation>
        </message>
        <message>
            <source>Margin:</source>
            <translation>Rand:</translation>
        </message>
        <message>
            <source>Scale:</source>
            <translation>Skalierung:</translation>
        </message>
        <message>
            <source>No Subtitle</source>
            <translation>Keine Untertitel</translation>
        </message>
        <message>
            <source>Video Internet CC</source>
            <translation>Video-Internet-Untertitel (CC)</translation>
        </message>
        <message>
            <source>All Subtitle</source>
            <translation>Alle Untertitel</translation>
        </message>
        <message>
            <source>The subtitle file "%1" cannot be opened.</source>
            <translation>Die Untertiteldatei „%1“ kann nicht geöffnet werden.</translation>
        </message>
        <message>
            <source>The file "%1" is too large to be a subtitle file.</source>
            <translation>Die Datei „%1“ ist zu groß für eine Untertiteldatei.</translation>
        </message>
        <message>
            <source>The file "%1" is not a subtitle file this program reads (SRT, ASS, SSA, WebVTT or MicroDVD SUB).</source>
            <translation>Die Datei „%1“ ist keine Untertiteldatei, die dieses Programm lesen kann (SRT, ASS, SSA, WebVTT oder MicroDVD-SUB).</translation>
        </message>
        <message>
            <source>The file "%1" is not a text subtitle file.</source>
            <translation>Die Datei „%1“ ist keine Textuntertiteldatei.</translation>
        </message>
        <message>
            <source>The file "%1" is damaged: its header is missing.</source>
            <translation>Die Datei „%1“ ist beschädigt: Ihr Kopfteil fehlt.</translation>
        </message>
        <message>
            <source>The file "%1" holds no subtitle with a valid time.</source>
            <translation>Die Datei „%1“ enthält keinen Untertitel mit gültiger Zeitangabe.</translation>
        </message>
        <message>
            <source>Open Subtitle File</source>
            <translation>Untertiteldatei öffnen</translation>
        </message>
        <message>
            <source>Subtitles (%1)</source>
            <translation>Untertitel (%1)</translation>
        </message>
        <message>
            <source>Subtitle files can only be burned into the picture in Encoding mode.</source>
            <translation>Untertiteldateien können nur im Kodierungsmodus in das Bild eingebrannt werden.</translation>
        </message>
    </context>
    <context>
        <name>QAudioOperationForm</name>
        <message>
            <source>Volume, background music and sound effects.</source>
            <translation>Lautstärke, Hintergrundmusik und Klangeffekte.</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>Spur:</translation>
        </message>
        <message>
            <source>Volume:</source>
            <translation>Lautstärke:</translation>
        </message>
        <message>
            <source>File:</source>
            <translation>Datei:</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>Datei öffnen</translation>
        </message>
        <message>
            <source>Weight:</source>
            <translation>Anteil:</translation>
        </message>
        <message>
            <source>Repeat</source>
            <translation>Wiederholen</translation>
        </message>
        <message>
            <source>Fade in (s):</source>
            <translation>Einblenden (s):</translation>
        </message>
        <message>
            <source>Fade out (s):</source>
            <translation>Ausblenden (s):</translation>
        </message>
        <message>
            <source>No Audio</source>
            <translation>Kein Ton</translation>
        </message>
        <message>
            <source>All Audio</source>
            <translation>Alle Tonspuren</translation>
        </message>
        <message>
            <source>Open Audio File</source>
            <translation>Audiodatei öffnen</translation>
        </message>
        <message>
            <source>audio files(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;video files(*.avi;*.mp4;*.mov;*.3gp;*.flv;*.mkv;*.rmvb;*.wmv;*.mpg;*.mpeg;*.ts;*.trp);;all files(*.*)</source>
            <translation>Audiodateien(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;Videodateien(*.avi;*.mp4;*.mov;*.3gp;*.flv;*.mkv;*.rmvb;*.wmv;*.mpg;*.mpeg;*.ts;*.trp);;Alle Dateien(*.*)</translation>
        </message>
        <message>
            <source>Sound effects:</source>
            <translation>Klangeffekte:</translation>
        </message>
    </context>
    <context>
        <name>QAudioTagForm</name>
        <message>
            <source>Title, artist, album and the other tags written into the output.</source>
            <translation>Titel, Interpret, Album und die anderen Tags, die in die Ausgabe geschrieben werden.</translation>
        </message>
        <message>
            <source>Title:</source>
            <translation>Titel:</translation>
        </message>
        <message>
            <source>Artist:</source>
            <translation>Interpret:</translation>
        </message>
        <message>
            <source>Composer:</source>
            <translation>Komponist:</translation>
        </message>
        <message>
            <source>Album:</source>
            <translation>Album:</translation>
        </message>
        <message>
            <source>Genre:</source>
            <translation>Genre:</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>Titelnummer:</translation>
        </message>
        <message>
            <source>Disc Num:</source>
            <translation>CD-Nr.:</translation>
        </message>
        <message>
            <source>Year:</source>
            <translation>Jahr:</translation>
        </message>
        <message>
            <source>Grouping:</source>
            <translation>Gruppierung:</translation>
        </message>
        <message>
            <source>Copyright:</source>
            <translation>Copyright:</translation>
        </message>
        <message>
            <source>Comments:</source>
            <translation>Kommentare:</translation>
        </message>
        <message>
            <source>Cover:</source>
            <translation>Cover:</translation>
        </message>
        <message>
            <source>Add Image</source>
            <translation>Bild hinzufügen</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Löschen</translation>
        </message>
        <message>
            <source>Open Image</source>
            <translation>Bild öffnen</translation>
        </message>
        <message>
            <source>Images (*.png *.xpm *.jpg)</source>
            <translation>Bilder (*.png *.xpm *.jpg)</translation>
        </message>
    </context>
    <context>
        <name>QPlayerOperationForm</name>
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
            <source>Snapshot</source>
            <translation>Schnappschuss</translation>
        </message>
        <message>
            <source>Snapshot Menu</source>
            <translation>Schnappschussmenü</translation>
        </message>
    </context>
    <context>
        <name>QTrimOperationForm</name>
        <message>
            <source>Previous Frame</source>
            <translation>Vorheriges Bild</translation>
        </message>
        <message>
            <source>Next Frame</source>
            <translation>Nächstes Bild</translation>
        </message>
        <message>
            <source>Play Section</source>
            <translation>Abschnitt abspielen</translation>
        </message>
        <message>
            <source>Pause Section</source>
            <translation>Abschnitt anhalten</translation>
        </message>
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
            <source>Snapshot</source>
            <translation>Schnappschuss</translation>
        </message>
        <message>
            <source>Snapshot Menu</source>
            <translation>Schnappschussmenü</translation>
        </message>
        <message>
            <source>Trim</source>
            <translation>Schneiden</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Zurücksetzen</translation>
        </message>
    </context>
    <context>
        <name>QVideoEditingDlg</name>
        <message>
            <source>Video Edit</source>
            <translation>Video bearbeiten</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Snapshot successfully!</source>
            <translation>Schnappschuss gespeichert!</translation>
        </message>
        <message>
            <source>Snapshot failed!</source>
            <translation>Schnappschuss fehlgeschlagen!</translation>
        </message>
        <message>
            <source>Open Folder</source>
            <translation>Ordner öffnen</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Einstellungen</translation>
        </message>
    </context>
    <context>
        <name>QEditTipDlg</name>
        <message>
            <source>Video Edit</source>
            <translation>Video bearbeiten</translation>
        </message>
        <message>
            <source>Note: The currently selected output mode is High-Speed mode (Lossless). The edited effect won't be applied to the output file.</source>
            <translation>Hinweis: Als Ausgabemodus ist der Hochgeschwindigkeitsmodus (verlustfrei) gewählt. Die Bearbeitungen werden nicht auf die Ausgabedatei angewendet.</translation>
        </message>
        <message>
            <source>Don't show this window again</source>
            <translation>Dieses Fenster nicht mehr anzeigen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
    </context>
    <context>
        <name>QWatermartTextSettingDlg</name>
        <message>
            <source>Font</source>
            <translation>Schrift</translation>
        </message>
        <message>
            <source>Choose the font of the watermark text</source>
            <translation>Schrift des Wasserzeichentextes wählen</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Zurücksetzen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Font Name:</source>
            <translation>Schriftart:</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>Schriftfarbe:</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>Konturfarbe:</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>Konturstärke:</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>Schattenfarbe:</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>Schattenversatz:</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>Zeichenabstand:</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>Zeilenabstand:</translation>
        </message>
        <message>
            <source>Choose a colour</source>
            <translation>Farbe wählen</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Standard</translation>
        </message>
        <message>
            <source>Select Color</source>
            <translation>Farbe auswählen</translation>
        </message>
    </context>
    <context>
        <name>QSubtitleSettingDlg</name>
        <message>
            <source>Font</source>
            <translation>Schrift</translation>
        </message>
        <message>
            <source>Font Name:</source>
            <translation>Schriftart:</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Standard</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>Schriftfarbe:</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>Konturfarbe:</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>Konturstärke:</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>Schattenfarbe:</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>Schattenversatz:</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>Zeichenabstand:</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>Zeilenabstand:</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Zurücksetzen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Choose the font of the subtitles</source>
            <translation>Schrift der Untertitel wählen</translation>
        </message>
    </context>
    <context>
        <name>QCaptureSettingDlg</name>
        <message>
            <source>Snapshot Setting</source>
            <translation>Schnappschuss-Einstellungen</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Save to:</source>
            <translation>Speichern in:</translation>
        </message>
        <message>
            <source>Format:</source>
            <translation>Format:</translation>
        </message>
        <message>
            <source>Please choose destination folder</source>
            <translation>Bitte Zielordner wählen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>is not exists</source>
            <translation> existiert nicht</translation>
        </message>
        <message>
            <source>The folder "%1" cannot be written to. Please choose another folder for snapshots.</source>
            <translation>In den Ordner „%1“ kann nicht geschrieben werden. Bitte einen anderen Ordner für Schnappschüsse wählen.</translation>
        </message>
        <message>
            <source>Save to</source>
            <translation>Speichern in</translation>
        </message>
    </context>
    <context>
        <name>EffectLibrary</name>
        <message>
            <source>None</source>
            <translation>Ohne</translation>
        </message>
        <message>
            <source>Snow</source>
            <translation>Schnee</translation>
        </message>
        <message>
            <source>Rain</source>
            <translation>Regen</translation>
        </message>
        <message>
            <source>Bubbles</source>
            <translation>Blasen</translation>
        </message>
        <message>
            <source>Sparkles</source>
            <translation>Funkeln</translation>
        </message>
        <message>
            <source>Falling Leaves</source>
            <translation>Fallende Blätter</translation>
        </message>
        <message>
            <source>Light Leak</source>
            <translation>Lichteinfall</translation>
        </message>
        <message>
            <source>Film Grain</source>
            <translation>Filmkorn</translation>
        </message>
        <message>
            <source>Confetti</source>
            <translation>Konfetti</translation>
        </message>
        <message>
            <source>Gold</source>
            <translation>Gold</translation>
        </message>
        <message>
            <source>Wood</source>
            <translation>Holz</translation>
        </message>
        <message>
            <source>Film Strip</source>
            <translation>Filmstreifen</translation>
        </message>
        <message>
            <source>Instant Photo</source>
            <translation>Sofortbild</translation>
        </message>
        <message>
            <source>Rounded</source>
            <translation>Abgerundet</translation>
        </message>
        <message>
            <source>Neon</source>
            <translation>Neon</translation>
        </message>
        <message>
            <source>Dots</source>
            <translation>Punkte</translation>
        </message>
        <message>
            <source>Vignette</source>
            <translation>Vignette</translation>
        </message>
        <message>
            <source>Bass Boost</source>
            <translation>Bassverstärkung</translation>
        </message>
        <message>
            <source>Treble Boost</source>
            <translation>Höhenverstärkung</translation>
        </message>
        <message>
            <source>Voice</source>
            <translation>Stimme</translation>
        </message>
        <message>
            <source>Radio</source>
            <translation>Radio</translation>
        </message>
        <message>
            <source>Telephone</source>
            <translation>Telefon</translation>
        </message>
        <message>
            <source>Stadium</source>
            <translation>Stadion</translation>
        </message>
        <message>
            <source>Slow</source>
            <translation>Langsam</translation>
        </message>
        <message>
            <source>Fast</source>
            <translation>Schnell</translation>
        </message>
    </context>
    <context>
        <name>ControlNames</name>
        <message>
            <source>%1: later</source>
            <translation>%1: später</translation>
        </message>
        <message>
            <source>%1: earlier</source>
            <translation>%1: früher</translation>
        </message>
    </context>
    <context>
        <name>QButtonListDlg</name>
        <message>
            <source>Segment %1</source>
            <translation>Abschnitt %1</translation>
        </message>
        <message>
            <source>Previous Segments</source>
            <translation>Vorherige Abschnitte</translation>
        </message>
        <message>
            <source>Next Segments</source>
            <translation>Nächste Abschnitte</translation>
        </message>
    </context>
    <context>
        <name>QShortcut</name>
        <message>
            <source>Ctrl</source>
            <translation>Strg</translation>
        </message>
        <message>
            <source>Shift</source>
            <translation>Umschalt</translation>
        </message>
        <message>
            <source>Alt</source>
            <translation>Alt</translation>
        </message>
        <message>
            <source>Space</source>
            <translation>Leertaste</translation>
        </message>
        <message>
            <source>Esc</source>
            <translation>Esc</translation>
        </message>
        <message>
            <source>Return</source>
            <translation>Eingabe</translation>
        </message>
        <message>
            <source>Enter</source>
            <translation>Enter</translation>
        </message>
        <message>
            <source>Ins</source>
            <translation>Einfg</translation>
        </message>
        <message>
            <source>Del</source>
            <translation>Entf</translation>
        </message>
        <message>
            <source>Left</source>
            <translation>Links</translation>
        </message>
        <message>
            <source>Right</source>
            <translation>Rechts</translation>
        </message>
    </context>
    <context>
        <name>AddFileThread</name>
        <message>
            <source>Only files on this computer can be opened.</source>
            <translation>Nur Dateien auf diesem Computer können geöffnet werden.</translation>
        </message>
        <message>
            <source>The file name has no extension.</source>
            <translation>Der Dateiname hat keine Endung.</translation>
        </message>
        <message>
            <source>Folders are not opened; choose a file.</source>
            <translation>Ordner werden nicht geöffnet; wählen Sie eine Datei.</translation>
        </message>
    </context>
    <context>
        <name>QFontLookPanel</name>
        <message>
            <source>Font Name:</source>
            <translation>Schriftart:</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>Schriftfarbe:</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>Konturfarbe:</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>Konturstärke:</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>Schattenfarbe:</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>Schattenversatz:</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>Zeichenabstand:</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>Zeilenabstand:</translation>
        </message>
        <message>
            <source>Choose a colour</source>
            <translation>Farbe wählen</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Standard</translation>
        </message>
        <message>
            <source>Select Color</source>
            <translation>Farbe auswählen</translation>
        </message>
        <message>
            <source>Font</source>
            <translation>Schrift</translation>
        </message>
    </context>
    <context>
        <name>QFontLookDialog</name>
        <message>
            <source>Font</source>
            <translation>Schrift</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Zurücksetzen</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
    </context>
    <context>
        <name>QCustomTimeEdit</name>
        <message>
            <source>Set to %1, the latest time allowed here.</source>
            <translation>Auf %1 gesetzt, die späteste hier erlaubte Zeit.</translation>
        </message>
        <message>
            <source>Set to %1, the earliest time allowed here.</source>
            <translation>Auf %1 gesetzt, die früheste hier erlaubte Zeit.</translation>
        </message>
    </context>
    <context>
        <name>snipwell-cli</name>
        <message>
            <source>the file has no chapters</source>
            <translation>die Datei hat keine Kapitel</translation>
        </message>
        <message>
            <source>not a media file we can read</source>
            <translation>keine Mediendatei, die wir lesen können</translation>
        </message>
        <message>
            <source>segment %1 (%2) ends past the end of the file (%3); it was cut there</source>
            <translation>Abschnitt %1 (%2) endet nach dem Ende der Datei (%3); er wurde dort abgeschnitten</translation>
        </message>
        <message>
            <source>segment %1 (%2) starts past the end of the file (%3); it was left out</source>
            <translation>Abschnitt %1 (%2) beginnt nach dem Ende der Datei (%3); er wurde ausgelassen</translation>
        </message>
        <message>
            <source>Part %1</source>
            <translation>Teil %1</translation>
        </message>
        <message>
            <source>%1: not frame-exact, %2</source>
            <translation>%1: nicht bildgenau, %2</translation>
        </message>
        <message>
            <source>--name %1: %2 is not a placeholder; use {name} {n} {label} {start} {end} {ext} {date}</source>
            <translation>--name %1: %2 ist kein Platzhalter; verwenden Sie {name} {n} {label} {start} {end} {ext} {date}</translation>
        </message>
        <message>
            <source>the output folder cannot be made</source>
            <translation>der Ausgabeordner kann nicht angelegt werden</translation>
        </message>
        <message>
            <source>the output folder is not writable</source>
            <translation>in den Ausgabeordner kann nicht geschrieben werden</translation>
        </message>
        <message>
            <source>stopped; nothing half-written was left behind</source>
            <translation>angehalten; nichts Halbfertiges ist zurückgeblieben</translation>
        </message>
        <message>
            <source>%1 needs a value</source>
            <translation>%1 braucht einen Wert</translation>
        </message>
        <message>
            <source>unknown option %1</source>
            <translation>unbekannte Option %1</translation>
        </message>
        <message>
            <source>--cut %1: write the segment as START-END</source>
            <translation>--cut %1: schreiben Sie den Abschnitt als START-END</translation>
        </message>
        <message>
            <source>--cut %1: '%2' is not a time (12.5, 1:02.5 or 1:02:03.250)</source>
            <translation>--cut %1: '%2' ist keine Zeit (12.5, 1:02.5 oder 1:02:03.250)</translation>
        </message>
        <message>
            <source>--cut %1: the end is not after the start</source>
            <translation>--cut %1: das Ende liegt nicht nach dem Anfang</translation>
        </message>
        <message>
            <source>--cuts %1: not a cut list (.csv, .tsv, .txt, .edl or .cue) or project (.snipwell)</source>
            <translation>--cuts %1: weder Schnittliste (.csv, .tsv, .txt, .edl oder .cue) noch Projekt (.snipwell)</translation>
        </message>
        <message>
            <source>--cuts %1: the project holds no segments</source>
            <translation>--cuts %1: das Projekt enthält keine Abschnitte</translation>
        </message>
        <message>
            <source>--jobs %1: give a number from 1 to 64</source>
            <translation>--jobs %1: geben Sie eine Zahl von 1 bis 64 an</translation>
        </message>
        <message>
            <source>no FILE to cut</source>
            <translation>keine DATEI zum Schneiden</translation>
        </message>
        <message>
            <source>--mode %1: use copy, exact or encode</source>
            <translation>--mode %1: verwenden Sie copy, exact oder encode</translation>
        </message>
        <message>
            <source>--merge-chapters goes with --merge</source>
            <translation>--merge-chapters gehört zu --merge</translation>
        </message>
        <message>
            <source>--merge-chapters goes with --mode copy or exact</source>
            <translation>--merge-chapters gehört zu --mode copy oder exact</translation>
        </message>
        <message>
            <source>--format, --quality, the encoding parameters and --edits go with --mode encode</source>
            <translation>--format, --quality, die Kodierparameter und --edits gehören zu --mode encode</translation>
        </message>
        <message>
            <source>--container goes with --mode copy or exact; --format chooses the container of an encode</source>
            <translation>--container gehört zu --mode copy oder exact; --format wählt den Container einer Kodierung</translation>
        </message>
        <message>
            <source>unknown container '%1'; one of: %2</source>
            <translation>unbekannter Container '%1'; einer von: %2</translation>
        </message>
        <message>
            <source>unknown format '%1'; one of: %2</source>
            <translation>unbekanntes Format '%1'; eines von: %2</translation>
        </message>
        <message>
            <source>--quality %1: use small or high</source>
            <translation>--quality %1: verwenden Sie small oder high</translation>
        </message>
        <message>
            <source>--size %1: write it as WIDTHxHEIGHT</source>
            <translation>--size %1: schreiben Sie es als BREITExHÖHE</translation>
        </message>
        <message>
            <source>%1 %2: give a positive number</source>
            <translation>%1 %2: geben Sie eine positive Zahl an</translation>
        </message>
        <message>
            <source>--edits %1: %2</source>
            <translation>--edits %1: %2</translation>
        </message>
        <message>
            <source>no FILE to read</source>
            <translation>keine DATEI zum Lesen</translation>
        </message>
        <message>
            <source>snipwell-cli info FILE...
    One JSON object a line for each FILE: format, duration, streams,
    chapters and the number of key frames.
</source>
            <translation>snipwell-cli info DATEI...
    Ein JSON-Objekt je Zeile für jede DATEI: Format, Dauer, Datenströme,
    Kapitel und die Zahl der Schlüsselbilder.
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
            <translation>snipwell-cli cut [OPTIONEN] DATEI...
    Schneidet dieselben Abschnitte aus jeder DATEI.

  Abschnitte (in der angegebenen Reihenfolge; keiner: die ganze Datei):
    --cut START-END       ein Abschnitt; Zeiten als 12.5, 1:02.5 oder 1:02:03.250;
                          ein leeres END reicht bis zum Ende (wiederholbar)
    --cuts LIST           die Abschnitte einer Schnittliste: .csv, .tsv, .edl,
                          .cue, .txt-Kapitelzeilen oder ein .snipwell-Projekt
                          mit seinen Namen (wiederholbar)
    --chapters            ein Abschnitt je Kapitel jeder DATEI

  Ausgabe:
    --mode MODE           copy (verlustfrei an Schlüsselbildern, Standard),
                          exact (verlustfrei, bildgenau) oder encode
    --container NAME      copy und exact: original (Standard), mp4, mkv,
                          mov, ts, ... wie in der Liste verlustfreier Formate
    --format NAME         encode: ein Format nach Titel oder Nummer, wie im
                          Formatdialog ("MP4 H.264/AAC", 4000)
    --quality QUALITY     encode: small oder high (Standard)
    --merge               alle Abschnitte einer DATEI in eine Ausgabe
    --merge-chapters      mit --merge (copy, exact): ein Kapitel je Abschnitt
    --output-dir DIR      wohin die Ausgaben gehen (Standard: der Ausgabeordner
                          des Programms, ein Ordner je DATEI)
    --name TEMPLATE       Ausgabenamen wie die Namensvorlage des Fensters:
                          {name} {n} {label} {start} {end} {ext} {date}
                          (Standard {name}_{n}.{ext})

  Kodierparameter (encode; Standard: die des Formats):
    --video-codec TAG     wie die Profile Codecs nennen (H264, HEVC, ...) oder none
    --audio-codec TAG     (AAC, MP3, ...) oder none
    --size WxH            Bildgröße (Standard: die der Quelle, wenn das
                          Format jede Größe zulässt, sonst die des Formats)
    --fps RATE            Bildrate
    --video-bitrate KBPS
    --audio-bitrate KBPS
    --channels N
    --sample-rate HZ
    --edits FILE          Bearbeitungen als JSON: die Felder des Bearbeitungsdatensatzes

  Ausführung:
    --jobs N              gleichzeitig umgewandelte Dateien (Standard 1)
    --json                ein JSON-Objekt je Zeile auf der Standardausgabe:
                          Fortschritt, jede Ausgabe mit Pfad, Schnittbericht
                          und Prüfung, Hinweise und Fehler
</translation>
        </message>
        <message>
            <source>no such file</source>
            <translation>keine solche Datei</translation>
        </message>
        <message>
            <source>a folder, not a file</source>
            <translation>ein Ordner, keine Datei</translation>
        </message>
        <message>
            <source>not readable (permission denied)</source>
            <translation>nicht lesbar (keine Berechtigung)</translation>
        </message>
        <message>
            <source>Usage: snipwell-cli COMMAND [OPTIONS] FILE...
Cuts video and audio files without the window, on the same conversion
path as the Zelvane Snipwell window.

</source>
            <translation>Aufruf: snipwell-cli BEFEHL [OPTIONEN] DATEI...
Schneidet Video- und Audiodateien ohne Fenster, auf demselben
Umwandlungsweg wie das Fenster von Zelvane Snipwell.

</translation>
        </message>
        <message>
            <source>  --help                  this text (COMMAND --help: the command's)
  --version               the program's version

Exit status: 0 when every output was written, 1 when a file failed (the
others are still written), 2 for a wrong command line. Ctrl+C stops and
leaves no partial output. See snipwell-cli(1).
</source>
            <translation>  --help                  dieser Text (BEFEHL --help: der des Befehls)
  --version               die Version des Programms

Rückgabewert: 0, wenn jede Ausgabe geschrieben wurde, 1, wenn eine Datei
scheiterte (die anderen werden dennoch geschrieben), 2 bei falschem Aufruf.
Strg+C hält an und hinterlässt keine halben Ausgaben. Siehe snipwell-cli(1).
</translation>
        </message>
        <message>
            <source>Usage: </source>
            <translation>Aufruf: </translation>
        </message>
        <message>
            <source>a command is missing: info or cut</source>
            <translation>ein Befehl fehlt: info oder cut</translation>
        </message>
        <message>
            <source>unknown command '%1'</source>
            <translation>unbekannter Befehl '%1'</translation>
        </message>
        <message>
            <source>Try 'snipwell-cli --help'.</source>
            <translation>Siehe 'snipwell-cli --help'.</translation>
        </message>
        <message>
            <source>the file has no sound to search</source>
            <translation>die Datei hat keinen Ton zum Durchsuchen</translation>
        </message>
        <message>
            <source>the file has no pictures to search</source>
            <translation>die Datei hat keine Bilder zum Durchsuchen</translation>
        </message>
        <message>
            <source>stopped</source>
            <translation>angehalten</translation>
        </message>
        <message>
            <source>a setting is out of its range</source>
            <translation>eine Einstellung liegt außerhalb ihres Bereichs</translation>
        </message>
        <message>
            <source>cannot be read: %1</source>
            <translation>kann nicht gelesen werden: %1</translation>
        </message>
        <message>
            <source>no KIND given: silence, black, scene or freeze</source>
            <translation>keine ART angegeben: silence, black, scene oder freeze</translation>
        </message>
        <message>
            <source>unknown KIND %1: silence, black, scene or freeze</source>
            <translation>unbekannte ART %1: silence, black, scene oder freeze</translation>
        </message>
        <message>
            <source>%1 needs a number</source>
            <translation>%1 braucht eine Zahl</translation>
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
            <translation>snipwell-cli detect ART [OPTIONEN] DATEI...
    Findet Schnittstellen in jeder DATEI und gibt sie in Sekunden aus, eine je
    Zeile: ART silence, black oder freeze gibt ANFANG ENDE jedes Bereichs,
    scene den Zeitpunkt jedes Bildwechsels.

    --threshold WERT      silence: Pegel in dB (-50); black: Anteil schwarzer
                          Pixel, 0 bis 1 (0.98); scene: Wechselwert, 0 bis
                          100 (10); freeze: Unterschied in dB (-60)
    --min-length SEKUNDEN kürzester Bereich (silence 1, black 0.5, freeze 2);
                          scene: kürzester Abstand zwischen Wechseln (1)
    --json                ein JSON-Objekt je Zeile für jede DATEI
</translation>
        </message>
        <message>
            <source>--cuts %1: not a cut list (.csv, .tsv, .txt, .edl or .cue)</source>
            <translation>--cuts %1: keine Schnittliste (.csv, .tsv, .txt, .edl oder .cue)</translation>
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
            <translation>snipwell-cli cut [OPTIONEN] DATEI...
    Schneidet dieselben Abschnitte aus jeder DATEI.

  Abschnitte (in der angegebenen Reihenfolge; keiner: die ganze Datei):
    --cut START-END       ein Abschnitt; Zeiten als 12.5, 1:02.5 oder 1:02:03.250;
                          ein leeres END reicht bis zum Ende (wiederholbar)
    --cuts LIST           die Abschnitte einer Schnittliste: .csv, .tsv, .edl,
                          .cue oder .txt-Kapitelzeilen (wiederholbar)
    --chapters            ein Abschnitt je Kapitel jeder DATEI

  Ausgabe:
    --mode MODE           copy (verlustfrei an Schlüsselbildern, Standard),
                          exact (verlustfrei, bildgenau) oder encode
    --container NAME      copy und exact: original (Standard), mp4, mkv,
                          mov, ts, ... wie in der Liste verlustfreier Formate
    --format NAME         encode: ein Format nach Titel oder Nummer, wie im
                          Formatdialog ("MP4 H.264/AAC", 4000)
    --quality QUALITY     encode: small oder high (Standard)
    --merge               alle Abschnitte einer DATEI in eine Ausgabe
    --merge-chapters      mit --merge (copy, exact): ein Kapitel je Abschnitt
    --output-dir DIR      wohin die Ausgaben gehen (Standard: der Ausgabeordner
                          des Programms, ein Ordner je DATEI)
    --name TEMPLATE       Ausgabenamen wie die Namensvorlage des Fensters:
                          {name} {n} {label} {start} {end} {ext} {date}
                          (Standard {name}_{n}.{ext})

  Kodierparameter (encode; Standard: die des Formats):
    --video-codec TAG     wie die Profile Codecs nennen (H264, HEVC, ...) oder none
    --audio-codec TAG     (AAC, MP3, ...) oder none
    --size WxH            Bildgröße (Standard: die der Quelle, wenn das
                          Format jede Größe zulässt, sonst die des Formats)
    --fps RATE            Bildrate
    --video-bitrate KBPS
    --audio-bitrate KBPS
    --channels N
    --sample-rate HZ
    --edits FILE          Bearbeitungen als JSON: die Felder des Bearbeitungsdatensatzes

  Ausführung:
    --jobs N              gleichzeitig umgewandelte Dateien (Standard 1)
    --json                ein JSON-Objekt je Zeile auf der Standardausgabe:
                          Fortschritt, jede Ausgabe mit Pfad, Schnittbericht
                          und Prüfung, Hinweise und Fehler
</translation>
        </message>
        <message>
            <source>the settings could not be read and were reset; the old settings file was kept as %1</source>
            <translation>die Einstellungen konnten nicht gelesen werden und wurden zurückgesetzt; die alte Einstellungsdatei wurde aufbewahrt als %1</translation>
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
            <translation>snipwell-cli extract-subtitles [OPTIONEN] DATEI...
    Schreibt jede Untertitelspur jeder DATEI in eine eigene Datei,
    NAME.INDEX.SPRACHE.srt: Text als SRT (oder ASS), PGS-Bilder als .sup,
    andere Bilduntertitel als .mks. Vorhandene Dateien bleiben unberührt.

    --format FORMAT       Textspuren: srt (Standard) oder ass
    --cut START-ENDE      nur, was dieses Segment zeigt, zeitlich wie der
                          Schnitt der Segmente in Reihenfolge (wiederholbar)
    --output-dir ORDNER   wohin die Dateien kommen (Standard: neben DATEI)
    --json                ein JSON-Objekt pro Zeile für jede geschriebene Datei
</translation>
        </message>
        <message>
            <source>unknown subtitle format %1: srt or ass</source>
            <translation>unbekanntes Untertitelformat %1: srt oder ass</translation>
        </message>
        <message>
            <source>%1 needs START-END, the end after the start</source>
            <translation>%1 braucht START-ENDE, das Ende nach dem Start</translation>
        </message>
        <message>
            <source>the output folder %1 does not exist</source>
            <translation>der Ausgabeordner %1 existiert nicht</translation>
        </message>
        <message>
            <source>stream %1</source>
            <translation>Spur %1</translation>
        </message>
        <message>
            <source>%1 subtitles can be neither read as text nor kept as pictures</source>
            <translation>%1-Untertitel lassen sich weder als Text lesen noch als Bilder behalten</translation>
        </message>
        <message>
            <source>%1 already exists; remove it or choose another --output-dir</source>
            <translation>%1 existiert bereits; entfernen Sie die Datei oder wählen Sie ein anderes --output-dir</translation>
        </message>
        <message>
            <source>no subtitle streams</source>
            <translation>keine Untertitelspuren</translation>
        </message>
        <message>
            <source>%1 %2: '%3' names no stream; use an index (3), a kind and number (v:0, a:1, s:0) or a kind and language (a:eng)</source>
            <translation>%1 %2: '%3' benennt keinen Datenstrom; nehmen Sie einen Index (3), Art und Nummer (v:0, a:1, s:0) oder Art und Sprache (a:eng)</translation>
        </message>
        <message>
            <source>%1 %2: write it as STREAM=VALUE</source>
            <translation>%1 %2: schreiben Sie es als STROM=WERT</translation>
        </message>
        <message>
            <source>%1 %2: '%3' is not a language code of ISO 639-2 (eng, ger, fre, ...)</source>
            <translation>%1 %2: '%3' ist kein Sprachcode nach ISO 639-2 (eng, ger, fre, ...)</translation>
        </message>
        <message>
            <source>%1 %2: give the shift in whole milliseconds, like -200 or 150</source>
            <translation>%1 %2: geben Sie die Verschiebung in ganzen Millisekunden an, etwa -200 oder 150</translation>
        </message>
        <message>
            <source>%1 %2: the file has no such stream</source>
            <translation>%1 %2: die Datei hat keinen solchen Datenstrom</translation>
        </message>
        <message>
            <source>--shift %1=%2: the shift is as long as the file or longer</source>
            <translation>--shift %1=%2: die Verschiebung ist so lang wie die Datei oder länger</translation>
        </message>
        <message>
            <source>--shift %1: pictures cannot be shifted; shift the sound instead</source>
            <translation>--shift %1: Bilder lassen sich nicht verschieben; verschieben Sie stattdessen den Ton</translation>
        </message>
        <message>
            <source>--drop leaves no stream to write</source>
            <translation>--drop lässt keinen Datenstrom zum Schreiben übrig</translation>
        </message>
        <message>
            <source>%1 %2: use an index (3), a kind and number (a:1) or a kind and language (a:eng)</source>
            <translation>%1 %2: nehmen Sie einen Index (3), Art und Nummer (a:1) oder Art und Sprache (a:eng)</translation>
        </message>
        <message>
            <source>offset takes FILE, or FILE and SECOND_FILE</source>
            <translation>offset erwartet DATEI oder DATEI und ZWEITE_DATEI</translation>
        </message>
        <message>
            <source>%1: the file has no such sound track</source>
            <translation>%1: die Datei hat keine solche Tonspur</translation>
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
            <translation>  Datenströme (jeder Modus; STROM ist ein Index in der Quelle, 3, Art und
  Nummer, v:0 a:1 s:0, oder Art und Sprache, a:eng):
    --drop STROM          den Datenstrom weglassen (wiederholbar)
    --order STROM,...     die genannten Ströme zuerst innerhalb ihrer Art;
                          Ausgaben enthalten Bild, dann Ton, dann Untertitel
    --language STROM=SPRACHE  Code nach ISO 639-2, etwa eng (wiederholbar)
    --title STROM=TEXT    der Titel des Stroms (wiederholbar)
    --default STROM       der Standard seiner Art; die anderen verlieren es
    --forced STROM        den Strom als erzwungen markieren
    --shift STROM=MS      einen Ton- oder Untertitelstrom um vorzeichen-
                          behaftete Millisekunden verschieben: Ton vor dem
                          Anfang wird an einem Frame abgeschnitten, eine
                          Lücke am Anfang bleibt eine Lücke.
                          Kodieren behält den ersten behaltenen Tonstrom
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
            <translation>snipwell-cli offset [OPTIONEN] DATEI [ZWEITE_DATEI]
    Gibt in Sekunden aus, wie viel später der Ton der zweiten Tonspur kommt
    als der der ersten (negativ: früher), gefunden am Verlauf ihrer
    Lautstärke; cut --shift STROM=MS mit dem negativen Wert gleicht sie an.
    Exit-Status 1 mit dem Grund, wenn es sich nicht sagen lässt.

    --first STROM         die erste Spur (Standard a:0 von DATEI)
    --second STROM        die zweite (Standard a:1 von DATEI oder a:0 von
                          ZWEITE_DATEI)
    --json                ein JSON-Objekt mit Versatz, Sicherheit
                          (0 bis 1) und Verschiebung in ms
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
            <translation>snipwell-cli join [OPTIONEN] DATEI [--cut S-E]... DATEI [--cut S-E]...
    Fügt die Segmente jeder DATEI, Datei für Datei, zu einer Ausgabe
    zusammen, die nach der ersten DATEI benannt wird. Jedes --cut oder
    --cuts gehört zur DATEI davor (vor jeder DATEI angegeben: zu allen
    Dateien); eine DATEI ohne Schnitte wird ganz angefügt. copy und exact
    fügen Dateien mit passenden Streams zusammen (Codecs, Größen, Raten,
    Kanäle), sonst nennen sie die Unterschiede und schreiben nichts;
    encode fügt beliebige Dateien zusammen. Nimmt die Optionen von cut,
    außerdem:

    --match-sound         copy und exact: Ton, der vom Ton der ersten Datei
                          abweicht, wird passend kodiert; die Bilder werden
                          weiterhin kopiert
    --json                wie bei cut; die Zeile der Ausgabe enthält zusätzlich
                          "joins": für jede Verbindungsstelle das Segment
                          danach, seine Datei und wie es entstand (method
                          copy, exact oder encode; sound copied oder encoded)
</translation>
        </message>
        <message>
            <source>--match-sound goes with join in --mode copy or exact</source>
            <translation>--match-sound gehört zu join mit --mode copy oder exact</translation>
        </message>
    </context>
    <context>
        <name>BatchApplyDlg</name>
        <message>
            <source>Apply Segments To Other Files</source>
            <translation>Segmente auf andere Dateien anwenden</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Stopp</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>1 segment for each file</source>
            <translation>1 Segment je Datei</translation>
        </message>
        <message>
            <source>%1 segments for each file</source>
            <translation>%1 Segmente je Datei</translation>
        </message>
        <message>
            <source>Opening…</source>
            <translation>Wird geöffnet …</translation>
        </message>
        <message>
            <source>File %1 of %2: %3</source>
            <translation>Datei %1 von %2: %3</translation>
        </message>
        <message>
            <source>Stopped: %1 of %2 files done, %3 failed.</source>
            <translation>Gestoppt: %1 von %2 Dateien erledigt, %3 fehlgeschlagen.</translation>
        </message>
        <message>
            <source>Done: %1 of %2 files failed.</source>
            <translation>Fertig: %1 von %2 Dateien fehlgeschlagen.</translation>
        </message>
        <message>
            <source>Done: all %1 files converted.</source>
            <translation>Fertig: alle %1 Dateien umgewandelt.</translation>
        </message>
        <message>
            <source>%1%</source>
            <translation>%1 %</translation>
        </message>
        <message>
            <source>%1 — %2</source>
            <translation>%1 — %2</translation>
        </message>
        <message>
            <source>%1 — failed: %2</source>
            <translation>%1 — fehlgeschlagen: %2</translation>
        </message>
    </context>
    <context>
        <name>SegmentBatch</name>
        <message>
            <source>The file cannot be read.</source>
            <translation>Die Datei kann nicht gelesen werden.</translation>
        </message>
        <message>
            <source>Segment %1 (%2) ends past the end of the file (%3); it was cut there.</source>
            <translation>Segment %1 (%2) endet nach dem Ende der Datei (%3); es wurde dort abgeschnitten.</translation>
        </message>
        <message>
            <source>Segment %1 (%2) starts past the end of the file (%3).</source>
            <translation>Segment %1 (%2) beginnt nach dem Ende der Datei (%3).</translation>
        </message>
        <message>
            <source>The conversion failed.</source>
            <translation>Die Umwandlung ist fehlgeschlagen.</translation>
        </message>
    </context>
    <context>
        <name>ProjectFile</name>
        <message>
            <source>%1 should be %2.</source>
            <translation>%1 sollte %2 sein.</translation>
        </message>
        <message>
            <source>an object</source>
            <translation>ein Objekt</translation>
        </message>
        <message>
            <source>true or false</source>
            <translation>true oder false</translation>
        </message>
        <message>
            <source>a number</source>
            <translation>eine Zahl</translation>
        </message>
        <message>
            <source>a list of texts</source>
            <translation>eine Liste von Texten</translation>
        </message>
        <message>
            <source>a list of numbers</source>
            <translation>eine Liste von Zahlen</translation>
        </message>
        <message>
            <source>a list of numbers of the right length</source>
            <translation>eine Liste von Zahlen der richtigen Länge</translation>
        </message>
        <message>
            <source>base64 data</source>
            <translation>Base64-Daten</translation>
        </message>
        <message>
            <source>base64 data of the right length</source>
            <translation>Base64-Daten der richtigen Länge</translation>
        </message>
        <message>
            <source>a whole number in range</source>
            <translation>eine ganze Zahl im gültigen Bereich</translation>
        </message>
        <message>
            <source>a text</source>
            <translation>ein Text</translation>
        </message>
        <message>
            <source>a list</source>
            <translation>eine Liste</translation>
        </message>
        <message>
            <source>"encoding" or "high-speed"</source>
            <translation>„encoding“ oder „high-speed“</translation>
        </message>
        <message>
            <source>"free" or "simple"</source>
            <translation>„free“ oder „simple“</translation>
        </message>
        <message>
            <source>The project names no source file.</source>
            <translation>Das Projekt nennt keine Quelldatei.</translation>
        </message>
        <message>
            <source>%1 ends before it starts.</source>
            <translation>%1 endet vor seinem Anfang.</translation>
        </message>
        <message>
            <source>The project file is incomplete: it ends early (after %1 bytes).</source>
            <translation>Die Projektdatei ist unvollständig: Sie endet vorzeitig (nach %1 Bytes).</translation>
        </message>
        <message>
            <source>The project file is damaged: %1 at byte %2.</source>
            <translation>Die Projektdatei ist beschädigt: %1 bei Byte %2.</translation>
        </message>
        <message>
            <source>This is not a project file of Zelvane Snipwell.</source>
            <translation>Dies ist keine Projektdatei von Zelvane Snipwell.</translation>
        </message>
        <message>
            <source>The project file has no valid format version.</source>
            <translation>Die Projektdatei hat keine gültige Formatversion.</translation>
        </message>
        <message>
            <source>This project was saved by a newer version of Zelvane Snipwell (project format %1); this version reads format %2 and older. Please update the program to open it.</source>
            <translation>Dieses Projekt wurde mit einer neueren Version von Zelvane Snipwell gespeichert (Projektformat %1); diese Version liest Format %2 und älter. Bitte aktualisieren Sie das Programm, um es zu öffnen.</translation>
        </message>
        <message>
            <source>The project file cannot be used: %1</source>
            <translation>Die Projektdatei kann nicht verwendet werden: %1</translation>
        </message>
        <message>
            <source>The project file could not be read: %1</source>
            <translation>Die Projektdatei konnte nicht gelesen werden: %1</translation>
        </message>
        <message>
            <source>The project could not be saved to %1: %2</source>
            <translation>Das Projekt konnte nicht unter %1 gespeichert werden: %2</translation>
        </message>
        <message>
            <source>%1 names no stream.</source>
            <translation>%1 nennt keinen Datenstrom.</translation>
        </message>
        <message>
            <source>%1 is of no known stream kind.</source>
            <translation>%1 hat keine bekannte Art von Datenstrom.</translation>
        </message>
        <message>
            <source>%1 has no language code: "%2".</source>
            <translation>%1 hat keinen Sprachcode: „%2“.</translation>
        </message>
        <message>
            <source>%1 names stream %2 a second time.</source>
            <translation>%1 nennt den Datenstrom %2 ein zweites Mal.</translation>
        </message>
        <message>
            <source>%1 names no source file.</source>
            <translation>%1 nennt keine Quelldatei.</translation>
        </message>
        <message>
            <source>The project's choice of tracks cannot be used and was left out: %1</source>
            <translation>Die Spurauswahl des Projekts ist nicht verwendbar und wurde ausgelassen: %1</translation>
        </message>
        <message>
            <source>%1 names no file.</source>
            <translation>%1 nennt keine Datei.</translation>
        </message>
        <message>
            <source>%1 names a source the project does not list.</source>
            <translation>%1 nennt eine Quelle, die das Projekt nicht aufführt.</translation>
        </message>
    </context>
    <context>
        <name>ProjectSession</name>
        <message>
            <source>Restore the segments of %1 from %2?</source>
            <translation>Die Segmente von %1 vom %2 wiederherstellen?</translation>
        </message>
        <message>
            <source>No recent files</source>
            <translation>Keine zuletzt verwendeten Dateien</translation>
        </message>
        <message>
            <source>Save Project As</source>
            <translation>Projekt speichern unter</translation>
        </message>
        <message>
            <source>Zelvane Snipwell projects (*.snipwell)</source>
            <translation>Zelvane-Snipwell-Projekte (*.snipwell)</translation>
        </message>
        <message>
            <source>Open Project</source>
            <translation>Projekt öffnen</translation>
        </message>
        <message>
            <source>%1 was not opened: a conversion is running. Open it when the conversion has finished.</source>
            <translation>%1 wurde nicht geöffnet: Eine Umwandlung läuft. Öffnen Sie es, wenn die Umwandlung beendet ist.</translation>
        </message>
        <message>
            <source>The project %1 could not be opened.</source>
            <translation>Das Projekt %1 konnte nicht geöffnet werden.</translation>
        </message>
        <message>
            <source>The source file of the project %1 was not found:
%2</source>
            <translation>Die Quelldatei des Projekts %1 wurde nicht gefunden:
%2</translation>
        </message>
        <message>
            <source>The segments of %1 have changed. Save them as a project before they are closed?</source>
            <translation>Die Segmente von %1 wurden geändert. Vor dem Schließen als Projekt speichern?</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Speichern</translation>
        </message>
        <message>
            <source>Discard</source>
            <translation>Verwerfen</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Merge Segments</source>
            <translation>Abschnitte zusammenfügen</translation>
        </message>
        <message>
            <source>Separate Segments</source>
            <translation>Abschnitte einzeln ausgeben</translation>
        </message>
        <message>
            <source>Add %1</source>
            <translation>%1 hinzufügen</translation>
        </message>
        <message>
            <source>These files of the project were not found, and their segments were left out:
%1</source>
            <translation>Diese Dateien des Projekts wurden nicht gefunden, ihre Segmente wurden weggelassen:
%1</translation>
        </message>
    </context>
    <context>
        <name>QDetectDlg</name>
        <message>
            <source>Silence</source>
            <translation>Stille</translation>
        </message>
        <message>
            <source>Black pictures</source>
            <translation>Schwarzbilder</translation>
        </message>
        <message>
            <source>Scene changes</source>
            <translation>Szenenwechsel</translation>
        </message>
        <message>
            <source>Frozen pictures</source>
            <translation>Standbilder</translation>
        </message>
        <message>
            <source>Searching for silence…</source>
            <translation>Suche nach Stille…</translation>
        </message>
        <message>
            <source>Searching for black pictures…</source>
            <translation>Suche nach Schwarzbildern…</translation>
        </message>
        <message>
            <source>Searching for scene changes…</source>
            <translation>Suche nach Szenenwechseln…</translation>
        </message>
        <message>
            <source>Searching for frozen pictures…</source>
            <translation>Suche nach Standbildern…</translation>
        </message>
        <message>
            <source>Detect Cuts</source>
            <translation>Schnitte erkennen</translation>
        </message>
        <message>
            <source>Search the file for:</source>
            <translation>Die Datei durchsuchen nach:</translation>
        </message>
        <message>
            <source>for at least</source>
            <translation>mindestens</translation>
        </message>
        <message>
            <source>quieter than</source>
            <translation>leiser als</translation>
        </message>
        <message>
            <source>Sound below this level counts as silence.</source>
            <translation>Ton unter diesem Pegel gilt als Stille.</translation>
        </message>
        <message>
            <source>pixels darker than</source>
            <translation>Pixel dunkler als</translation>
        </message>
        <message>
            <source>covering</source>
            <translation>auf</translation>
        </message>
        <message>
            <source>A pixel at or below this brightness counts as black.</source>
            <translation>Ein Pixel mit dieser Helligkeit oder dunkler gilt als schwarz.</translation>
        </message>
        <message>
            <source>How much of a picture must be black for the picture to count as black.</source>
            <translation>Wie viel eines Bildes schwarz sein muss, damit es als Schwarzbild gilt.</translation>
        </message>
        <message>
            <source>change above</source>
            <translation>Änderung über</translation>
        </message>
        <message>
            <source>apart by at least</source>
            <translation>Abstand mindestens</translation>
        </message>
        <message>
            <source>How much the picture must change, from 1 (a little) to 100 (all of it).</source>
            <translation>Wie stark sich das Bild ändern muss, von 1 (ein wenig) bis 100 (vollständig).</translation>
        </message>
        <message>
            <source>differences below</source>
            <translation>Unterschiede unter</translation>
        </message>
        <message>
            <source>Pictures differing by less than this count as the same picture.</source>
            <translation>Bilder, die sich um weniger als diesen Wert unterscheiden, gelten als dasselbe Bild.</translation>
        </message>
        <message>
            <source>Make of what is found:</source>
            <translation>Aus dem Gefundenen machen:</translation>
        </message>
        <message>
            <source>Segments between the findings (leave out silence, black and frozen pictures)</source>
            <translation>Abschnitte zwischen den Funden (Stille, Schwarz- und Standbilder weglassen)</translation>
        </message>
        <message>
            <source>Segments of the findings themselves</source>
            <translation>Abschnitte aus den Funden selbst</translation>
        </message>
        <message>
            <source>Detect</source>
            <translation>Erkennen</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Anhalten</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>The whole file is searched. Undo (Ctrl+Z) takes back the segments made.</source>
            <translation>Die ganze Datei wird durchsucht. Rückgängig (Strg+Z) nimmt die erzeugten Abschnitte zurück.</translation>
        </message>
        <message>
            <source>Choose at least one thing to search for.</source>
            <translation>Wählen Sie mindestens eines, wonach gesucht werden soll.</translation>
        </message>
        <message>
            <source>(%2 of %3) %1</source>
            <translation>(%2 von %3) %1</translation>
        </message>
        <message>
            <source>Stopped. Nothing was changed.</source>
            <translation>Angehalten. Nichts wurde geändert.</translation>
        </message>
        <message>
            <source>The file has no sound, so there is no silence to search for.</source>
            <translation>Die Datei hat keinen Ton, daher gibt es keine Stille zu suchen.</translation>
        </message>
        <message>
            <source>The file has no pictures, so black pictures, scene changes and frozen pictures cannot be searched for.</source>
            <translation>Die Datei hat keine Bilder, daher kann nicht nach Schwarzbildern, Szenenwechseln und Standbildern gesucht werden.</translation>
        </message>
        <message>
            <source>A setting of “%1” is out of its range.</source>
            <translation>Eine Einstellung von „%1“ liegt außerhalb ihres Bereichs.</translation>
        </message>
        <message>
            <source>The file could not be read in the search for “%1”.</source>
            <translation>Die Datei konnte bei der Suche nach „%1“ nicht gelesen werden.</translation>
        </message>
        <message>
            <source>Nothing was found. Lower the minimum lengths or loosen the levels to find more.</source>
            <translation>Nichts gefunden. Verringern Sie die Mindestlängen oder lockern Sie die Pegel, um mehr zu finden.</translation>
        </message>
        <message>
            <source>Places were found, but they leave no segment of a quarter second or more.</source>
            <translation>Es wurden Stellen gefunden, aber sie lassen keinen Abschnitt von einer Viertelsekunde oder mehr übrig.</translation>
        </message>
        <message>
            <source>This would make %1 segments; the work can hold at most %2. Raise the minimum lengths to find fewer places.</source>
            <translation>Das ergäbe %1 Abschnitte; die Arbeit kann höchstens %2 aufnehmen. Erhöhen Sie die Mindestlängen, um weniger Stellen zu finden.</translation>
        </message>
        <message>
            <source>Markers on the timeline (the segments stay as they are)</source>
            <translation>Markierungen auf der Zeitleiste (die Abschnitte bleiben, wie sie sind)</translation>
        </message>
        <message>
            <source>Places were found only at the very start or end of the file; there is nothing to mark.</source>
            <translation>Stellen wurden nur ganz am Anfang oder Ende der Datei gefunden; es gibt nichts zu markieren.</translation>
        </message>
    </context>
    <context>
        <name>SettingsResetNotice</name>
        <message>
            <source>Your settings could not be read, so they were reset to their defaults. The old settings file was kept as:
%1</source>
            <translation>Ihre Einstellungen konnten nicht gelesen werden und wurden daher auf die Standardwerte zurückgesetzt. Die alte Einstellungsdatei wurde aufbewahrt als:
%1</translation>
        </message>
    </context>
    <context>
        <name>TracksLeftOut</name>
        <message>
            <source>Encoding keeps one sound track and no subtitle streams; left out: %1</source>
            <translation>Beim Neukodieren bleibt nur eine Tonspur erhalten und keine Untertitelspur; weggelassen: %1</translation>
        </message>
        <message>
            <source>Encoding keeps up to %1 sound tracks and no subtitle streams; left out: %2</source>
            <translation>Beim Neukodieren bleiben bis zu %1 Tonspuren erhalten und keine Untertitelspur; weggelassen: %2</translation>
        </message>
    </context>
    <context>
        <name>SaveSubtitlesDlg</name>
        <message>
            <source>Save Subtitles</source>
            <translation>Untertitel speichern</translation>
        </message>
        <message>
            <source>no language</source>
            <translation>keine Sprache</translation>
        </message>
        <message>
            <source>Stream %1 · %2 · %3</source>
            <translation>Spur %1 · %2 · %3</translation>
        </message>
        <message>
            <source>pictures, saved as .%1</source>
            <translation>Bilder, gespeichert als .%1</translation>
        </message>
        <message>
            <source>cannot be saved</source>
            <translation>kann nicht gespeichert werden</translation>
        </message>
        <message>
            <source>Saving…</source>
            <translation>Wird gespeichert…</translation>
        </message>
        <message>
            <source>the folder cannot be made</source>
            <translation>der Ordner kann nicht angelegt werden</translation>
        </message>
        <message>
            <source>not saved: %1</source>
            <translation>nicht gespeichert: %1</translation>
        </message>
        <message>
            <source>Text subtitles as:</source>
            <translation>Textuntertitel als:</translation>
        </message>
        <message>
            <source>Only what the segments show (no segments marked)</source>
            <translation>Nur, was die Segmente zeigen (keine Segmente markiert)</translation>
        </message>
        <message>
            <source>Only what the segments show, timed as their cut</source>
            <translation>Nur, was die Segmente zeigen, zeitlich wie ihr Schnitt</translation>
        </message>
        <message>
            <source>Folder: %1</source>
            <translation>Ordner: %1</translation>
        </message>
        <message>
            <source>Browse…</source>
            <translation>Durchsuchen…</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Speichern</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
        <message>
            <source>Reading the file's subtitle streams…</source>
            <translation>Die Untertitelspuren der Datei werden gelesen…</translation>
        </message>
        <message>
            <source>The file cannot be read: %1</source>
            <translation>Die Datei kann nicht gelesen werden: %1</translation>
        </message>
        <message>
            <source>This file holds no subtitle streams.</source>
            <translation>Diese Datei enthält keine Untertitelspuren.</translation>
        </message>
        <message>
            <source>Saved 1 file.</source>
            <translation>1 Datei gespeichert.</translation>
        </message>
        <message>
            <source>Saved %1 files.</source>
            <translation>%1 Dateien gespeichert.</translation>
        </message>
        <message>
            <source>Saved %1, %2 not saved.</source>
            <translation>%1 gespeichert, %2 nicht gespeichert.</translation>
        </message>
    </context>
    <context>
        <name>TracksDlg</name>
        <message>
            <source>Undetermined</source>
            <translation>Unbestimmt</translation>
        </message>
        <message>
            <source>English</source>
            <translation>Englisch</translation>
        </message>
        <message>
            <source>German</source>
            <translation>Deutsch</translation>
        </message>
        <message>
            <source>French</source>
            <translation>Französisch</translation>
        </message>
        <message>
            <source>Spanish</source>
            <translation>Spanisch</translation>
        </message>
        <message>
            <source>Italian</source>
            <translation>Italienisch</translation>
        </message>
        <message>
            <source>Portuguese</source>
            <translation>Portugiesisch</translation>
        </message>
        <message>
            <source>Dutch</source>
            <translation>Niederländisch</translation>
        </message>
        <message>
            <source>Swedish</source>
            <translation>Schwedisch</translation>
        </message>
        <message>
            <source>Norwegian</source>
            <translation>Norwegisch</translation>
        </message>
        <message>
            <source>Danish</source>
            <translation>Dänisch</translation>
        </message>
        <message>
            <source>Finnish</source>
            <translation>Finnisch</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>Polnisch</translation>
        </message>
        <message>
            <source>Czech</source>
            <translation>Tschechisch</translation>
        </message>
        <message>
            <source>Hungarian</source>
            <translation>Ungarisch</translation>
        </message>
        <message>
            <source>Russian</source>
            <translation>Russisch</translation>
        </message>
        <message>
            <source>Ukrainian</source>
            <translation>Ukrainisch</translation>
        </message>
        <message>
            <source>Greek</source>
            <translation>Griechisch</translation>
        </message>
        <message>
            <source>Turkish</source>
            <translation>Türkisch</translation>
        </message>
        <message>
            <source>Arabic</source>
            <translation>Arabisch</translation>
        </message>
        <message>
            <source>Hebrew</source>
            <translation>Hebräisch</translation>
        </message>
        <message>
            <source>Hindi</source>
            <translation>Hindi</translation>
        </message>
        <message>
            <source>Japanese</source>
            <translation>Japanisch</translation>
        </message>
        <message>
            <source>Chinese</source>
            <translation>Chinesisch</translation>
        </message>
        <message>
            <source>Korean</source>
            <translation>Koreanisch</translation>
        </message>
        <message>
            <source>Picture</source>
            <translation>Bild</translation>
        </message>
        <message>
            <source>Sound</source>
            <translation>Ton</translation>
        </message>
        <message>
            <source>Subtitles</source>
            <translation>Untertitel</translation>
        </message>
        <message>
            <source>%1 ch, %2 Hz</source>
            <translation>%1 Kan., %2 Hz</translation>
        </message>
        <message>
            <source>default</source>
            <translation>Standard</translation>
        </message>
        <message>
            <source>forced</source>
            <translation>erzwungen</translation>
        </message>
        <message>
            <source>%1 ms</source>
            <translation>%1 ms</translation>
        </message>
        <message>
            <source>Comparing stream %1 with stream %2…</source>
            <translation>Strom %1 wird mit Strom %2 verglichen …</translation>
        </message>
        <message>
            <source>Stream %1 comes %2 s after stream %3 (confidence %4%): its shift is set to %5 ms.</source>
            <translation>Strom %1 kommt %2 s nach Strom %3 (Sicherheit %4 %): seine Verschiebung ist auf %5 ms gesetzt.</translation>
        </message>
        <message>
            <source>No offset found: %1</source>
            <translation>Kein Versatz gefunden: %1</translation>
        </message>
        <message>
            <source>The shift of stream %1 (%2 ms) is as long as the file or longer.</source>
            <translation>Die Verschiebung von Strom %1 (%2 ms) ist so lang wie die Datei oder länger.</translation>
        </message>
        <message>
            <source>Keep at least one stream.</source>
            <translation>Behalten Sie mindestens einen Datenstrom.</translation>
        </message>
        <message>
            <source>Tracks</source>
            <translation>Spuren</translation>
        </message>
        <message>
            <source>Keep</source>
            <translation>Behalten</translation>
        </message>
        <message>
            <source>Stream</source>
            <translation>Strom</translation>
        </message>
        <message>
            <source>Codec</source>
            <translation>Codec</translation>
        </message>
        <message>
            <source>Channels or size</source>
            <translation>Kanäle oder Größe</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Sprache</translation>
        </message>
        <message>
            <source>Title</source>
            <translation>Titel</translation>
        </message>
        <message>
            <source>Flags</source>
            <translation>Kennzeichen</translation>
        </message>
        <message>
            <source>Shift</source>
            <translation>Verschiebung</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>Sprache:</translation>
        </message>
        <message>
            <source>Title:</source>
            <translation>Titel:</translation>
        </message>
        <message>
            <source>Default track</source>
            <translation>Standardspur</translation>
        </message>
        <message>
            <source>Forced</source>
            <translation>Erzwungen</translation>
        </message>
        <message>
            <source>Shift (ms):</source>
            <translation>Verschiebung (ms):</translation>
        </message>
        <message>
            <source>Move Up</source>
            <translation>Nach oben</translation>
        </message>
        <message>
            <source>Move Down</source>
            <translation>Nach unten</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Zurücksetzen</translation>
        </message>
        <message>
            <source>Find Offset…</source>
            <translation>Versatz finden …</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Reading the file's streams…</source>
            <translation>Die Datenströme der Datei werden gelesen …</translation>
        </message>
        <message>
            <source>The file cannot be read: %1</source>
            <translation>Die Datei kann nicht gelesen werden: %1</translation>
        </message>
        <message>
            <source>A shift moves a sound or subtitle track's timing without encoding: positive later, negative earlier. Sound moved before the start is cut off at a frame boundary; a track moved later begins after a gap, and no silence is added. Outputs hold the picture, then the sound, then the subtitles; an encoding keeps the picture and the sound tracks kept (only the first where its format holds one), without subtitles.</source>
            <translation>Eine Verschiebung verlegt das Timing einer Ton- oder Untertitelspur ohne Kodieren: positiv später, negativ früher. Ton, der vor den Anfang rückt, wird an einer Frame-Grenze abgeschnitten; eine später gelegte Spur beginnt nach einer Lücke, es wird keine Stille eingefügt. Ausgaben enthalten das Bild, dann den Ton, dann die Untertitel; eine Kodierung behält das Bild und die behaltenen Tonspuren (nur die erste, wo das Format eine einzige fasst), ohne Untertitel.</translation>
        </message>
    </context>
</TS>
