<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>main</name>
    <message>
        <source>An instance has already been running.</source>
        <translation>Une instance est déjà en cours d’exécution.</translation>
    </message>
</context>
<context>
    <name>StartupWindow</name>
    <message>
        <source>Add a video or audio file to start cutting.</source>
        <translation>Ajoutez un fichier vidéo ou audio pour commencer à couper.</translation>
    </message>
</context>
<context>
    <name>VoVideoConvertItem</name>
    <message>
        <source>No Subtitle</source>
        <translation>Aucun sous-titre</translation>
    </message>
    <message>
        <source>Video Internal CC</source>
        <translation>Sous-titres codés intégrés à la vidéo</translation>
    </message>
</context>
<context>
    <name>VoInfoManager</name>
    <message>
        <source>Current</source>
        <translation>Actuel</translation>
    </message>
</context>
</TS>
