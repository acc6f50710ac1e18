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
    <name>QVoMessageDlg</name>
    <message>
        <source>Zelvane Video Cutter</source>
        <translation>Zelvane Découpeur vidéo</translation>
    </message>
    <message>
        <source>QVoMessageDlg::LoadTitleIconImg fail</source>
        <translation>QVoMessageDlg::LoadTitleIconImg : échec</translation>
    </message>
    <message>
        <source>QVoMessageDlg::InitButton fail</source>
        <translation>QVoMessageDlg::InitButton : échec</translation>
    </message>
    <message>
        <source>QVoMessageDlg::InitButton Load Yes Image fail</source>
        <translation>QVoMessageDlg::InitButton : échec du chargement de l'image Oui</translation>
    </message>
    <message>
        <source>QVoMessageDlg::InitButton Load Cancel Image fail</source>
        <translation>QVoMessageDlg::InitButton : échec du chargement de l'image Annuler</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Redémarrer</translation>
    </message>
    <message>
        <source>Restart Later</source>
        <translation>Redémarrer plus tard</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>OUI</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NON</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oui</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
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
<context>
    <name>ProfileCatalogue</name>
    <message>
        <source>The profile file %1 could not be read: %2</source>
        <translation>Impossible de lire le fichier de profils %1 : %2</translation>
    </message>
    <message>
        <source>The profile file %1 has no valid entry "%2".</source>
        <translation>Le fichier de profils %1 ne contient aucune entrée « %2 » valide.</translation>
    </message>
    <message>
        <source>The format %1 in the category "%2" of the profile file %3 has no valid entry "%4".</source>
        <translation>Le format %1 de la catégorie « %2 » du fichier de profils %3 ne contient aucune entrée « %4 » valide.</translation>
    </message>
    <message>
        <source>The format %1 in the category "%2" of the profile file %3 names no audio codec for the video codec %4.</source>
        <translation>Le format %1 de la catégorie « %2 » du fichier de profils %3 n'indique aucun codec audio pour le codec vidéo %4.</translation>
    </message>
</context>
<context>
    <name>QVideoPlayDlg</name>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Previous Frame</source>
        <translation>Image précédente</translation>
    </message>
    <message>
        <source>Next Frame</source>
        <translation>Image suivante</translation>
    </message>
    <message>
        <source>Previous Key Frame</source>
        <translation>Image clé précédente</translation>
    </message>
    <message>
        <source>Next Key Frame</source>
        <translation>Image clé suivante</translation>
    </message>
    <message>
        <source>Drag media files here to start</source>
        <translation>Faites glisser des fichiers multimédias ici pour commencer</translation>
    </message>
</context>
<context>
    <name>VideoImageWindow</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
</context>
<context>
    <name>QPreferencesDlg</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>GeneralWidget</name>
    <message>
        <source>Automatic updates</source>
        <translation>Mises à jour automatiques</translation>
    </message>
    <message>
        <source>Automatically update to the newest version</source>
        <translation>Mettre à jour automatiquement vers la dernière version</translation>
    </message>
    <message>
        <source>Close automatic updates</source>
        <translation>Désactiver les mises à jour automatiques</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermeture</translation>
    </message>
    <message>
        <source>Minimize to Tray</source>
        <translation>Réduire dans la zone de notification</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
</context>
<context>
    <name>ConvertWidget</name>
    <message>
        <source>Conversion Completed</source>
        <translation>Conversion terminée</translation>
    </message>
    <message>
        <source>Turn Off Computer</source>
        <translation>Éteindre l'ordinateur</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Dossier de sortie</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Réinitialiser</translation>
    </message>
    <message>
        <source>Save to</source>
        <translation>Enregistrer dans</translation>
    </message>
</context>
<context>
    <name>QShowCloseDlg</name>
    <message>
        <source>Minimize to Tray</source>
        <translation>Réduire dans la zone de notification</translation>
    </message>
    <message>
        <source>Minimize (no system tray available)</source>
        <translation>Réduire (aucune zone de notification disponible)</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Don't show this window again</source>
        <translation>Ne plus afficher cette fenêtre</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>QAboutDlg</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Visit:</source>
        <translation>Visiter :</translation>
    </message>
</context>
<context>
    <name>QUpdateDlg</name>
    <message>
        <source>Check for Updates</source>
        <translation>Rechercher des mises à jour</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>Recherche de mises à jour…</translation>
    </message>
    <message>
        <source>You are up to date: %1 %2 is the newest version.</source>
        <translation>Vous êtes à jour : %1 %2 est la dernière version.</translation>
    </message>
    <message>
        <source>A new version %1 of %2 is available. You have version %3.</source>
        <translation>Une nouvelle version %1 de %2 est disponible. Vous avez la version %3.</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Notes de version</translation>
    </message>
    <message>
        <source>The update information could not be retrieved. Please check your network connection and try again later.</source>
        <translation>Les informations de mise à jour n'ont pas pu être récupérées. Vérifiez votre connexion réseau et réessayez plus tard.</translation>
    </message>
</context>
<context>
    <name>ProgramMenu</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Accueil</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Rechercher des mises à jour</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
</context>
<context>
    <name>ShellTray</name>
    <message>
        <source>Hidden (&amp;H)</source>
        <translation>Masquer (&amp;H)</translation>
    </message>
    <message>
        <source>Show Window (&amp;S)</source>
        <translation>Afficher la fenêtre (&amp;S)</translation>
    </message>
    <message>
        <source>Quit (&amp;Q)</source>
        <translation>Quitter (&amp;Q)</translation>
    </message>
</context>
</TS>
