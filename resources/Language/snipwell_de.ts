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
</TS>
