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
    <name>ProfileCatalogue</name>
    <message>
        <source>The profile file %1 could not be read: %2</source>
        <translation>Impossible de lire le fichier de profils %1 : %2</translation>
    </message>
    <message>
        <source>The profile file %1 has no valid entry &quot;%2&quot;.</source>
        <translation>Le fichier de profils %1 ne contient aucune entrée « %2 » valide.</translation>
    </message>
    <message>
        <source>The format %1 in the category &quot;%2&quot; of the profile file %3 has no valid entry &quot;%4&quot;.</source>
        <translation>Le format %1 de la catégorie « %2 » du fichier de profils %3 ne contient aucune entrée « %4 » valide.</translation>
    </message>
    <message>
        <source>The format %1 in the category &quot;%2&quot; of the profile file %3 names no audio codec for the video codec %4.</source>
        <translation>Le format %1 de la catégorie « %2 » du fichier de profils %3 n&apos;indique aucun codec audio pour le codec vidéo %4.</translation>
    </message>
</context>
</TS>
