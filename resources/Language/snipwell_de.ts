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
</TS>
