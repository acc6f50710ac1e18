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
    <name>ProfileCatalogue</name>
    <message>
        <source>The profile file %1 could not be read: %2</source>
        <translation>Die Profildatei %1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The profile file %1 has no valid entry &quot;%2&quot;.</source>
        <translation>Die Profildatei %1 enthält keinen gültigen Eintrag „%2“.</translation>
    </message>
    <message>
        <source>The format %1 in the category &quot;%2&quot; of the profile file %3 has no valid entry &quot;%4&quot;.</source>
        <translation>Das Format %1 in der Kategorie „%2“ der Profildatei %3 enthält keinen gültigen Eintrag „%4“.</translation>
    </message>
    <message>
        <source>The format %1 in the category &quot;%2&quot; of the profile file %3 names no audio codec for the video codec %4.</source>
        <translation>Das Format %1 in der Kategorie „%2“ der Profildatei %3 nennt keinen Audiocodec für den Videocodec %4.</translation>
    </message>
</context>
</TS>
