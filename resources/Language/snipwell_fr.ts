<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
    <context>
        <name>main</name>
        <message>
            <source>An instance has already been running.</source>
            <translation>Une instance est déjà en cours d’exécution.</translation>
        </message>
        <message>
            <source>Usage: snipwell [FILE]
       snipwell --version | --help

Opens %1 with FILE, a video or audio file, ready to cut. If the program is already running, FILE opens in its window.

  -h, --help     show this help and exit
  -v, --version  show the version and exit
</source>
            <translation>Utilisation : snipwell [FICHIER]
               snipwell --version | --help

Ouvre %1 avec FICHIER, un fichier vidéo ou audio, prêt à être découpé. Si le programme est déjà lancé, FICHIER s’ouvre dans sa fenêtre.

  -h, --help     afficher cette aide et quitter
  -v, --version  afficher la version et quitter
</translation>
        </message>
        <message>
            <source>Unknown option: %1</source>
            <translation>Option inconnue : %1</translation>
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
        <message>
            <source>Encrypted audiobooks cannot be converted.</source>
            <translation>Les livres audio chiffrés ne peuvent pas être convertis.</translation>
        </message>
        <message>
            <source>The file holds no audio or video stream.</source>
            <translation>Le fichier ne contient aucun flux audio ou vidéo.</translation>
        </message>
        <message>
            <source>The media library could not start.</source>
            <translation>La bibliothèque multimédia n’a pas pu démarrer.</translation>
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
        <message>
            <source>Player</source>
            <translation>Lecteur</translation>
        </message>
        <message>
            <source>Volume</source>
            <translation>Volume</translation>
        </message>
        <message>
            <source>Picture</source>
            <translation>Image</translation>
        </message>
        <message>
            <source>Mute</source>
            <translation>Couper le son</translation>
        </message>
        <message>
            <source>Sound On</source>
            <translation>Rétablir le son</translation>
        </message>
    </context>
    <context>
        <name>VideoImageWindow</name>
        <message>
            <source>Picture</source>
            <translation>Image</translation>
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
        <message>
            <source>Output Names</source>
            <translation>Noms de sortie</translation>
        </message>
        <message>
            <source>Segment files:</source>
            <translation>Fichiers de segment :</translation>
        </message>
        <message>
            <source>Merged files:</source>
            <translation>Fichiers fusionnés :</translation>
        </message>
        <message>
            <source>“%1” is not a placeholder; the template is not kept.</source>
            <translation>« %1 » n’est pas un espace réservé ; le modèle n’est pas conservé.</translation>
        </message>
        <message>
            <source>{name} source name, {ext} extension, {n} or {n:02} segment number, {label}, {start}, {end}, {date}</source>
            <translation>{name} nom de la source, {ext} extension, {n} ou {n:02} numéro du segment, {label}, {start}, {end}, {date}</translation>
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
            <source>Apply Segments To Other Files…</source>
            <translation>Appliquer les segments à d’autres fichiers…</translation>
        </message>
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
        <message>
            <source>Open Project…</source>
            <translation>Ouvrir un projet…</translation>
        </message>
        <message>
            <source>Save Project</source>
            <translation>Enregistrer le projet</translation>
        </message>
        <message>
            <source>Save Project As…</source>
            <translation>Enregistrer le projet sous…</translation>
        </message>
        <message>
            <source>Recent</source>
            <translation>Récents</translation>
        </message>
        <message>
            <source>Undo</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Redo</source>
            <translation>Rétablir</translation>
        </message>
        <message>
            <source>Undo %1</source>
            <translation>Annuler : %1</translation>
        </message>
        <message>
            <source>Redo %1</source>
            <translation>Rétablir : %1</translation>
        </message>
        <message>
            <source>Save Subtitles…</source>
            <translation>Enregistrer les sous-titres…</translation>
        </message>
        <message>
            <source>Tracks…</source>
            <translation>Pistes…</translation>
        </message>
        <message>
            <source>Add File…</source>
            <translation>Ajouter un fichier…</translation>
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
    <context>
        <name>QVideoCutDlg</name>
        <message>
            <source>A segment cannot start after its end (%1): the start stops there. Move the end first, or add a new segment.</source>
            <translation>Un segment ne peut pas commencer après sa fin (%1) : le début s'arrête là. Déplacez d'abord la fin, ou ajoutez un nouveau segment.</translation>
        </message>
        <message>
            <source>Start Time:</source>
            <translation>Début :</translation>
        </message>
        <message>
            <source>End Time:</source>
            <translation>Fin :</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>Ouvrir</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>Ouvrir un fichier</translation>
        </message>
        <message>
            <source>Format</source>
            <translation>Format</translation>
        </message>
        <message>
            <source>Start</source>
            <translation>Démarrer</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Arrêter</translation>
        </message>
        <message>
            <source>Set Segment Start Time</source>
            <translation>Définir le début du segment</translation>
        </message>
        <message>
            <source>Set Segment End Time</source>
            <translation>Définir la fin du segment</translation>
        </message>
        <message>
            <source>Play Segment</source>
            <translation>Lire le segment</translation>
        </message>
        <message>
            <source>Pause Segment</source>
            <translation>Mettre le segment en pause</translation>
        </message>
        <message>
            <source>Stop Segment</source>
            <translation>Arrêter le segment</translation>
        </message>
        <message>
            <source>Output Format</source>
            <translation>Format de sortie</translation>
        </message>
        <message>
            <source>Start Conversion</source>
            <translation>Démarrer la conversion</translation>
        </message>
        <message>
            <source>Stop Conversion</source>
            <translation>Arrêter la conversion</translation>
        </message>
        <message>
            <source>Start Time</source>
            <translation>Heure de début</translation>
        </message>
        <message>
            <source>End Time</source>
            <translation>Heure de fin</translation>
        </message>
        <message>
            <source>Segment</source>
            <translation>Segment</translation>
        </message>
        <message>
            <source>starts at %1, frame-exact</source>
            <translation>commence à %1, à l'image près</translation>
        </message>
        <message>
            <source>starts at %1, key frame: %2 files are not cut frame-exact</source>
            <translation>commence à %1, image clé : les fichiers %2 ne sont pas coupés à l'image près</translation>
        </message>
        <message>
            <source>starts at %1, key frame: %2 video is not cut frame-exact</source>
            <translation>commence à %1, image clé : la vidéo %2 n'est pas coupée à l'image près</translation>
        </message>
    </context>
    <context>
        <name>QVideoConvertItem</name>
        <message>
            <source>Start Time:</source>
            <translation>Début :</translation>
        </message>
        <message>
            <source>End Time:</source>
            <translation>Fin :</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>Modifier</translation>
        </message>
        <message>
            <source>No Subtitle</source>
            <translation>Aucun sous-titre</translation>
        </message>
        <message>
            <source>Segment Start Time</source>
            <translation>Heure de début du segment</translation>
        </message>
        <message>
            <source>Segment End Time</source>
            <translation>Heure de fin du segment</translation>
        </message>
        <message>
            <source>Segment</source>
            <translation>Segment</translation>
        </message>
        <message>
            <source>Segment %1</source>
            <translation>Segment %1</translation>
        </message>
        <message>
            <source>Double-click or press F2 to name the segment</source>
            <translation>Double-cliquez ou appuyez sur F2 pour nommer le segment</translation>
        </message>
        <message>
            <source>Segment Label</source>
            <translation>Nom du segment</translation>
        </message>
        <message>
            <source>Segment %1 · %2</source>
            <translation>Segment %1 · %2</translation>
        </message>
        <message>
            <source>From %1</source>
            <translation>De %1</translation>
        </message>
    </context>
    <context>
        <name>QVideoCutManageDlg</name>
        <message>
            <source>%1 is not frame-exact: it was cut at key frames (%2).</source>
            <translation>%1 n'est pas coupé à l'image près : il a été coupé sur des images clés (%2).</translation>
        </message>
        <message>
            <source>Add Segment</source>
            <translation>Ajouter un segment</translation>
        </message>
        <message>
            <source>Show Segment List</source>
            <translation>Afficher la liste des segments</translation>
        </message>
        <message>
            <source>Hide Segment List</source>
            <translation>Masquer la liste des segments</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>Modifier</translation>
        </message>
        <message>
            <source>Simple Mode</source>
            <translation>Mode simple</translation>
        </message>
        <message>
            <source>Free Mode</source>
            <translation>Mode libre</translation>
        </message>
        <message>
            <source>Move Up</source>
            <translation>Monter</translation>
        </message>
        <message>
            <source>Move Down</source>
            <translation>Descendre</translation>
        </message>
        <message>
            <source>Merge Segments</source>
            <translation>Fusionner les segments</translation>
        </message>
        <message>
            <source>Open The Output Folder</source>
            <translation>Ouvrir le dossier de sortie</translation>
        </message>
        <message>
            <source>Switching to the Simple Mode will change the segment length!</source>
            <translation>Le passage en mode simple modifiera la longueur des segments !</translation>
        </message>
        <message>
            <source>The output path is invalid!</source>
            <translation>Le dossier de sortie n'est pas valide !</translation>
        </message>
        <message>
            <source>File conversion failed, please check whether the output format parameters 
and output file directory are set correctly.</source>
            <translation>La conversion a échoué. Vérifiez que les paramètres du format de sortie 
et le dossier de sortie sont correctement définis.</translation>
        </message>
        <message>
            <source>Invalid path</source>
            <translation>Chemin non valide</translation>
        </message>
        <message>
            <source>Join all segments into one file</source>
            <translation>Réunir tous les segments dans un seul fichier</translation>
        </message>
        <message>
            <source>Timeline</source>
            <translation>Chronologie</translation>
        </message>
        <message>
            <source>Segment List</source>
            <translation>Liste des segments</translation>
        </message>
        <message>
            <source>%1%</source>
            <translation>%1 %</translation>
        </message>
        <message>
            <source>%1% · %2 left</source>
            <translation>%1 % · encore %2</translation>
        </message>
        <message>
            <source>Segment Label</source>
            <translation>Nom du segment</translation>
        </message>
        <message>
            <source>Chapters from segments</source>
            <translation>Chapitres depuis les segments</translation>
        </message>
        <message>
            <source>One chapter per segment in the merged file, titled with its label</source>
            <translation>Un chapitre par segment dans le fichier fusionné, intitulé d’après son nom</translation>
        </message>
        <message>
            <source>Switch to Simple Mode</source>
            <translation>Passer en mode simple</translation>
        </message>
        <message>
            <source>Switch to Free Mode</source>
            <translation>Passer en mode libre</translation>
        </message>
        <message>
            <source>Delete Segment %1</source>
            <translation>Supprimer le segment %1</translation>
        </message>
        <message>
            <source>Move Segment %1</source>
            <translation>Déplacer le segment %1</translation>
        </message>
        <message>
            <source>Move Start of Segment %1</source>
            <translation>Déplacer le début du segment %1</translation>
        </message>
        <message>
            <source>Move End of Segment %1</source>
            <translation>Déplacer la fin du segment %1</translation>
        </message>
        <message>
            <source>Video Edit</source>
            <translation>Montage vidéo</translation>
        </message>
        <message>
            <source>Rename Segment %1</source>
            <translation>Renommer le segment %1</translation>
        </message>
        <message>
            <source>These files cannot be joined without encoding:</source>
            <translation>Ces fichiers ne peuvent pas être joints sans encodage :</translation>
        </message>
        <message>
            <source>Only the sound differs. Encode the sound of the files that differ to match the first file (the pictures are still copied), or encode everything to a format you choose.</source>
            <translation>Seul le son diffère. Encodez le son des fichiers qui diffèrent pour qu'il corresponde au premier fichier (les images sont toujours copiées), ou encodez tout dans un format de votre choix.</translation>
        </message>
        <message>
            <source>Choose a format to encode everything into one file.</source>
            <translation>Choisissez un format pour tout encoder dans un seul fichier.</translation>
        </message>
        <message>
            <source>Match the Sound</source>
            <translation>Adapter le son</translation>
        </message>
        <message>
            <source>Choose Format…</source>
            <translation>Choisir le format…</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>The Simple Mode lays out the segments of one file. This work cuts from %1 files, so its segments stay in the list.</source>
            <translation>Le mode simple dispose les segments d'un seul fichier. Ce travail coupe dans %1 fichiers, ses segments restent donc dans la liste.</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>Written: %1.</source>
            <translation>Écrit : %1.</translation>
        </message>
        <message>
            <source>Open a file and mark its segments first.</source>
            <translation>Ouvrez d’abord un fichier et marquez ses segments.</translation>
        </message>
        <message>
            <source>Apply Segments To Other Files</source>
            <translation>Appliquer les segments à d’autres fichiers</translation>
        </message>
        <message>
            <source>All files (*)</source>
            <translation>Tous les fichiers (*)</translation>
        </message>
        <message>
            <source>The output path is invalid!</source>
            <translation>Le dossier de sortie n’est pas valide !</translation>
        </message>
        <message>
            <source>stopped; nothing half-written was left</source>
            <translation>arrêté ; aucun fichier à moitié écrit n’est resté</translation>
        </message>
        <message>
            <source>1 file written</source>
            <translation>1 fichier écrit</translation>
        </message>
        <message>
            <source>%1 files written</source>
            <translation>%1 fichiers écrits</translation>
        </message>
        <message>
            <source>Menu</source>
            <translation>Menu</translation>
        </message>
        <message>
            <source>Minimize</source>
            <translation>Réduire</translation>
        </message>
        <message>
            <source>Maximize</source>
            <translation>Agrandir</translation>
        </message>
        <message>
            <source>Restore</source>
            <translation>Restaurer</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Adding segment failed. Please drag segment to leave some space at the end 
or switch to the "Free Mode".</source>
            <translation>Échec de l'ajout du segment. Faites glisser un segment pour laisser de la place à la fin 
ou passez en "Mode libre".</translation>
        </message>
        <message>
            <source>Open audio device failed. </source>
            <translation>Impossible d'ouvrir le périphérique audio. </translation>
        </message>
        <message>
            <source>Open file failed. </source>
            <translation>Impossible d'ouvrir le fichier. </translation>
        </message>
        <message>
            <source>All Supported Formats(%1);;Apple Video files(*.m4v);;AVI Video files(*.avi);;High-definition files(*.mts *.ts *.m2ts *.m2t *.tp *.trp);; MPEG4 files(*.mp4 *.m4v);;MPEG files(*.mpg *.mpeg);;3GP files(*.3gp *.3g2);;Windows Media Video(*.wmv *.asf);; Real Media files(*.rm *.rmvb);;audio files(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;Video CD files(*.dat);; Quick Time files(*.mov);; Flash Video files(*.flv *.f4v);;MKV files(*.mkv);; Digital Video files(*.dv);;Microsoft Digital Video Recorder(*.dvr-ms);; Raw h.264 Video files(*.h.264);; Nullsoft Stream Video(*.nsv);;Unprotected VOB Files(*.vob);;WEBM Files(*.webm);;OGV Files(*.ogv);;All files(*.*)</source>
            <translation>Tous les formats pris en charge(%1);;Fichiers vidéo Apple(*.m4v);;Fichiers vidéo AVI(*.avi);;Fichiers haute définition(*.mts *.ts *.m2ts *.m2t *.tp *.trp);; Fichiers MPEG4(*.mp4 *.m4v);;Fichiers MPEG(*.mpg *.mpeg);;Fichiers 3GP(*.3gp *.3g2);;Windows Media Video(*.wmv *.asf);; Fichiers Real Media(*.rm *.rmvb);;Fichiers audio(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;Fichiers Video CD(*.dat);; Fichiers QuickTime(*.mov);; Fichiers Flash Video(*.flv *.f4v);;Fichiers MKV(*.mkv);; Fichiers Digital Video(*.dv);;Microsoft Digital Video Recorder(*.dvr-ms);; Fichiers vidéo H.264 bruts(*.h.264);; Nullsoft Stream Video(*.nsv);;Fichiers VOB non protégés(*.vob);;Fichiers WEBM(*.webm);;Fichiers OGV(*.ogv);;Tous les fichiers(*.*)</translation>
        </message>
        <message>
            <source>This file ends at %1 although it declares %2 — it may be an unfinished download.</source>
            <translation>Ce fichier s’arrête à %1 alors qu’il annonce %2 — le téléchargement n’est peut-être pas terminé.</translation>
        </message>
        <message>
            <source>%1 was not opened: a conversion is running. Open it when the conversion has finished.</source>
            <translation>%1 n'a pas été ouvert : une conversion est en cours. Ouvrez-le une fois la conversion terminée.</translation>
        </message>
        <message>
            <source>%1 “%2”</source>
            <translation>%1 « %2 »</translation>
        </message>
        <message>
            <source>, </source>
            <translation>, </translation>
        </message>
        <message>
            <source>The file is not text in any encoding a cut list is written in.</source>
            <translation>Le fichier n’est pas du texte dans un codage utilisé pour les listes de coupes.</translation>
        </message>
        <message>
            <source>The file holds no segment.</source>
            <translation>Le fichier ne contient aucun segment.</translation>
        </message>
        <message>
            <source>“%1” is not a time.</source>
            <translation>« %1 » n’est pas une durée.</translation>
        </message>
        <message>
            <source>A time lies before the start of the file.</source>
            <translation>Un temps se situe avant le début du fichier.</translation>
        </message>
        <message>
            <source>The time “%1” is larger than the format or any file can hold.</source>
            <translation>Le temps « %1 » dépasse ce que le format ou un fichier peut contenir.</translation>
        </message>
        <message>
            <source>A segment ends where or before it starts.</source>
            <translation>Un segment se termine là où il commence ou avant.</translation>
        </message>
        <message>
            <source>A segment has no start time.</source>
            <translation>Un segment n’a pas de temps de début.</translation>
        </message>
        <message>
            <source>There are more fields than start, end and label.</source>
            <translation>Il y a plus de champs que début, fin et nom.</translation>
        </message>
        <message>
            <source>A quoted label is not closed, or text follows its closing quote.</source>
            <translation>Un nom entre guillemets n’est pas fermé, ou du texte suit le guillemet fermant.</translation>
        </message>
        <message>
            <source>A chapter or track does not come after the one before it.</source>
            <translation>Un chapitre ou une piste ne vient pas après le précédent.</translation>
        </message>
        <message>
            <source>A segment starts at or after the end of the file.</source>
            <translation>Un segment commence à la fin du fichier ou après.</translation>
        </message>
        <message>
            <source>This line is not understood: “%1”.</source>
            <translation>Cette ligne n’est pas comprise : « %1 ».</translation>
        </message>
        <message>
            <source>“%1” is not a timecode at the file's frame rate.</source>
            <translation>« %1 » n’est pas un timecode à la fréquence d’images du fichier.</translation>
        </message>
        <message>
            <source>The file's frame rate cannot count timecodes.</source>
            <translation>La fréquence d’images du fichier ne permet pas de compter des timecodes.</translation>
        </message>
        <message>
            <source>A track has no “INDEX 01” line.</source>
            <translation>Une piste n’a pas de ligne « INDEX 01 ».</translation>
        </message>
        <message>
            <source>The sheet names a second file; only sheets of one file can be read.</source>
            <translation>La feuille nomme un second fichier ; seules les feuilles d’un seul fichier peuvent être lues.</translation>
        </message>
        <message>
            <source>Chapter text must begin at 0:00, and the first segment begins later.</source>
            <translation>Le texte de chapitres doit commencer à 0:00, et le premier segment commence plus tard.</translation>
        </message>
        <message>
            <source>A segment does not begin where the one before it ends, which this format cannot hold.</source>
            <translation>Un segment ne commence pas là où le précédent se termine, ce que ce format ne peut pas contenir.</translation>
        </message>
        <message>
            <source>In this format the last segment must run to the end of the file.</source>
            <translation>Dans ce format, le dernier segment doit aller jusqu’à la fin du fichier.</translation>
        </message>
        <message>
            <source>A label holds a line break.</source>
            <translation>Un nom contient un saut de ligne.</translation>
        </message>
        <message>
            <source>A segment runs to the end of a file whose length is unknown.</source>
            <translation>Un segment va jusqu’à la fin d’un fichier de durée inconnue.</translation>
        </message>
        <message>
            <source>There are more segments than this format can number.</source>
            <translation>Il y a plus de segments que ce format ne peut en numéroter.</translation>
        </message>
        <message>
            <source>The file cannot be opened.</source>
            <translation>Le fichier ne peut pas être ouvert.</translation>
        </message>
        <message>
            <source>The file cannot be written.</source>
            <translation>Le fichier ne peut pas être écrit.</translation>
        </message>
        <message>
            <source>The file is too large to be a cut list.</source>
            <translation>Le fichier est trop volumineux pour être une liste de coupes.</translation>
        </message>
        <message>
            <source>Line %1: %2</source>
            <translation>Ligne %1 : %2</translation>
        </message>
        <message>
            <source>Segment %1: %2</source>
            <translation>Segment %1 : %2</translation>
        </message>
        <message>
            <source>Import Cut List…</source>
            <translation>Importer une liste de coupes…</translation>
        </message>
        <message>
            <source>Export Cut List…</source>
            <translation>Exporter la liste de coupes…</translation>
        </message>
        <message>
            <source>Segments From Chapters</source>
            <translation>Segments depuis les chapitres</translation>
        </message>
        <message>
            <source>Replace</source>
            <translation>Remplacer</translation>
        </message>
        <message>
            <source>Append</source>
            <translation>Ajouter</translation>
        </message>
        <message>
            <source>The work already has segments (%1). Replace them with the %2 from the list, or append those after them?</source>
            <translation>Le travail a déjà des segments (%1). Les remplacer par les %2 de la liste, ou ajouter ceux-ci après eux ?</translation>
        </message>
        <message>
            <source>The work can hold at most %1 segments; appending %2 to %3 would pass that.</source>
            <translation>Le travail peut contenir au plus %1 segments ; ajouter %2 à %3 dépasserait cette limite.</translation>
        </message>
        <message>
            <source>The list has %1 segments; the work can hold at most %2.</source>
            <translation>La liste a %1 segments ; le travail peut en contenir au plus %2.</translation>
        </message>
        <message>
            <source>Cut Lists (*.csv *.tsv *.txt *.edl *.cue);;All Files (*)</source>
            <translation>Listes de coupes (*.csv *.tsv *.txt *.edl *.cue);;Tous les fichiers (*)</translation>
        </message>
        <message>
            <source>Import Cut List</source>
            <translation>Importer une liste de coupes</translation>
        </message>
        <message>
            <source>The cut list “%1” cannot be imported.</source>
            <translation>La liste de coupes « %1 » ne peut pas être importée.</translation>
        </message>
        <message>
            <source>Its type is none of CSV, TSV, chapter text (.txt), EDL or CUE sheet.</source>
            <translation>Son type n’est ni CSV, ni TSV, ni texte de chapitres (.txt), ni EDL, ni feuille CUE.</translation>
        </message>
        <message>
            <source>None of its segments lies within the file, which ends at %1.</source>
            <translation>Aucun de ses segments ne se trouve dans le fichier, qui se termine à %1.</translation>
        </message>
        <message>
            <source>Segments reaching past the end of the file were cut at its end: %1.</source>
            <translation>Les segments dépassant la fin du fichier ont été coupés à sa fin : %1.</translation>
        </message>
        <message>
            <source>Segments after the end of the file were left out: %1.</source>
            <translation>Les segments situés après la fin du fichier ont été ignorés : %1.</translation>
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
            <translation>Texte de chapitres (*.txt)</translation>
        </message>
        <message>
            <source>CMX3600 EDL (*.edl)</source>
            <translation>EDL CMX3600 (*.edl)</translation>
        </message>
        <message>
            <source>CUE Sheet (*.cue)</source>
            <translation>Feuille CUE (*.cue)</translation>
        </message>
        <message>
            <source>Export Cut List</source>
            <translation>Exporter la liste de coupes</translation>
        </message>
        <message>
            <source>The cut list cannot be saved as “%1”.</source>
            <translation>La liste de coupes ne peut pas être enregistrée sous « %1 ».</translation>
        </message>
        <message>
            <source>The file has no chapters.</source>
            <translation>Le fichier n’a pas de chapitres.</translation>
        </message>
        <message>
            <source>Chapter %1 starts at or after the end of the file; no segment was made.</source>
            <translation>Le chapitre %1 commence à la fin du fichier ou après ; aucun segment n’a été créé.</translation>
        </message>
        <message>
            <source>Detect Cuts…</source>
            <translation>Détecter les coupes…</translation>
        </message>
        <message>
            <source>The work already has segments (%1). Replace them with the %2 found, or append those after them?</source>
            <translation>Le travail contient déjà des segments (%1). Les remplacer par les %2 trouvés, ou ajouter ceux-ci à la suite ?</translation>
        </message>
        <message>
            <source>Change Format</source>
            <translation>Changer le format</translation>
        </message>
        <message>
            <source>Detect Cuts</source>
            <translation>Détecter les coupes</translation>
        </message>
        <message>
            <source>Change Start of Segment %1</source>
            <translation>Modifier le début du segment %1</translation>
        </message>
        <message>
            <source>Change End of Segment %1</source>
            <translation>Modifier la fin du segment %1</translation>
        </message>
        <message>
            <source>Set Start of Segment %1</source>
            <translation>Placer le début du segment %1</translation>
        </message>
        <message>
            <source>Set End of Segment %1</source>
            <translation>Placer la fin du segment %1</translation>
        </message>
        <message>
            <source>Add Segment</source>
            <translation>Ajouter un segment</translation>
        </message>
        <message>
            <source>Change Tracks</source>
            <translation>Modifier les pistes</translation>
        </message>
        <message>
            <source>Add File</source>
            <translation>Ajouter un fichier</translation>
        </message>
    </context>
    <context>
        <name>QLoadingDlg</name>
        <message>
            <source>Adding File:</source>
            <translation>Ajout du fichier :</translation>
        </message>
        <message>
            <source>Added:</source>
            <translation>Ajoutés :</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Arrêter</translation>
        </message>
    </context>
    <context>
        <name>FormatWidget</name>
        <message>
            <source>Output Format</source>
            <translation>Format de sortie</translation>
        </message>
        <message>
            <source>High - Speed mode - Fast and Lossless (Recommended)</source>
            <translation>Mode haute vitesse - rapide et sans perte (recommandé)</translation>
        </message>
        <message>
            <source>Encoding mode - Customize file format, quality and codec (Slow)</source>
            <translation>Mode encodage - personnaliser le format, la qualité et le codec (lent)</translation>
        </message>
        <message>
            <source>Frame-exact cuts (re-encode only at the cut points)</source>
            <translation>Coupes à l'image près (réencoder seulement aux points de coupe)</translation>
        </message>
        <message>
            <source>Show Advanced</source>
            <translation>Plus d'options</translation>
        </message>
        <message>
            <source>Hide Advanced</source>
            <translation>Moins d'options</translation>
        </message>
        <message>
            <source>Preset:</source>
            <translation>Préréglage :</translation>
        </message>
        <message>
            <source>High Quality</source>
            <translation>Haute qualité</translation>
        </message>
        <message>
            <source>Small Size</source>
            <translation>Petite taille</translation>
        </message>
        <message>
            <source>Customized</source>
            <translation>Personnalisé</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Attention: Please don't change advanced settings if you are 
non-professionals. Please leave it as the default "Original". 
Otherwise the conversion may fail.</source>
            <translation>Attention : ne modifiez pas les réglages avancés si vous n'êtes 
pas un professionnel. Laissez la valeur par défaut "Original". 
Sinon, la conversion risque d'échouer.</translation>
        </message>
        <message>
            <source>General Video</source>
            <translation>Vidéo générale</translation>
        </message>
        <message>
            <source>HD Video</source>
            <translation>Vidéo HD</translation>
        </message>
        <message>
            <source>Devices</source>
            <translation>Appareils</translation>
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
            <translation>Codec :</translation>
        </message>
        <message>
            <source>Resolution:</source>
            <translation>Résolution :</translation>
        </message>
        <message>
            <source>Frame Rate:</source>
            <translation>Images/s :</translation>
        </message>
        <message>
            <source>Bit Rate:</source>
            <translation>Débit :</translation>
        </message>
        <message>
            <source>Channel:</source>
            <translation>Canaux :</translation>
        </message>
        <message>
            <source>Sample Rate:</source>
            <translation>Échantillonnage :</translation>
        </message>
        <message>
            <source>Video</source>
            <translation>Vidéo</translation>
        </message>
        <message>
            <source>Audio</source>
            <translation>Audio</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Par défaut</translation>
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
            <translation>Stéréo</translation>
        </message>
        <message>
            <source>5.1 Surround</source>
            <translation>Surround 5.1</translation>
        </message>
        <message>
            <source>HDR kept</source>
            <translation>HDR conservé</translation>
        </message>
        <message>
            <source>HDR converted to SDR</source>
            <translation>HDR converti en SDR</translation>
        </message>
    </context>
    <context>
        <name>FormatItem</name>
        <message>
            <source>Set</source>
            <translation>Régler</translation>
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
        <name>VoKeyFrameScanner</name>
        <message>
            <source>starts at %1, key frame</source>
            <translation>commence à %1, image clé</translation>
        </message>
    </context>
    <context>
        <name>QConverterObject</name>
        <message>
            <source>The source ends at %1; the segment was cut there.</source>
            <translation>Le fichier source se termine à %1 ; le segment a été coupé à cet endroit.</translation>
        </message>
        <message>
            <source>Segment %1</source>
            <translation>Segment %1</translation>
        </message>
        <message>
            <source>a stream that was asked for is missing (%1)</source>
            <translation>un flux demandé manque (%1)</translation>
        </message>
        <message>
            <source>it does not last as long as its range (%1)</source>
            <translation>sa durée n'est pas celle de sa plage (%1)</translation>
        </message>
        <message>
            <source>its first picture is not shown at its start (%1)</source>
            <translation>sa première image n'apparaît pas à son début (%1)</translation>
        </message>
        <message>
            <source>its picture and sound do not start together (%1)</source>
            <translation>son image et son son ne commencent pas ensemble (%1)</translation>
        </message>
        <message>
            <source>its beginning does not decode (%1)</source>
            <translation>son début ne se décode pas (%1)</translation>
        </message>
        <message>
            <source>its end does not decode (%1)</source>
            <translation>sa fin ne se décode pas (%1)</translation>
        </message>
        <message>
            <source>it cannot be read back (%1)</source>
            <translation>elle ne peut pas être relue (%1)</translation>
        </message>
        <message>
            <source>%1 failed its check and was not kept: %2.</source>
            <translation>%1 a échoué à sa vérification et n'a pas été conservé : %2.</translation>
        </message>
        <message>
            <source>The files cannot be joined without encoding: %1. Choose a format to encode them into one file.</source>
            <translation>Les fichiers ne peuvent pas être joints sans réencodage : %1. Choisissez un format pour les encoder en un seul fichier.</translation>
        </message>
    </context>
    <context>
        <name>QVideoEditTag</name>
        <message>
            <source>Trim</source>
            <translation>Découper</translation>
        </message>
        <message>
            <source>Adjust</source>
            <translation>Ajuster</translation>
        </message>
        <message>
            <source>Effect</source>
            <translation>Effet</translation>
        </message>
        <message>
            <source>Watermark</source>
            <translation>Filigrane</translation>
        </message>
        <message>
            <source>Subtitle</source>
            <translation>Sous-titres</translation>
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
            <translation>Appliquer à tous</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Réinitialiser</translation>
        </message>
    </context>
    <context>
        <name>QWaitForDlg</name>
        <message>
            <source>Loading</source>
            <translation>Chargement</translation>
        </message>
    </context>
    <context>
        <name>QAdjustOperationForm</name>
        <message>
            <source>Crop, aspect, rotation and mirror of the picture. Drag the rectangle on the left picture to crop.</source>
            <translation>Recadrage, format, rotation et miroir de l’image. Faites glisser le rectangle sur l’image de gauche pour recadrer.</translation>
        </message>
        <message>
            <source>Rotation:</source>
            <translation>Rotation :</translation>
        </message>
        <message>
            <source>Rotate Anticlockwise</source>
            <translation>Pivoter dans le sens antihoraire</translation>
        </message>
        <message>
            <source>Rotate Clockwise</source>
            <translation>Pivoter dans le sens horaire</translation>
        </message>
        <message>
            <source>Flip Horizontal</source>
            <translation>Retourner horizontalement</translation>
        </message>
        <message>
            <source>Flip Vertical</source>
            <translation>Retourner verticalement</translation>
        </message>
        <message>
            <source>Crop Area Size:</source>
            <translation>Taille de la zone de recadrage :</translation>
        </message>
        <message>
            <source>Width of the crop area in pixels of the source</source>
            <translation>Largeur de la zone de recadrage en pixels de la source</translation>
        </message>
        <message>
            <source>Height of the crop area in pixels of the source</source>
            <translation>Hauteur de la zone de recadrage en pixels de la source</translation>
        </message>
        <message>
            <source>Original Resolution:</source>
            <translation>Résolution d'origine :</translation>
        </message>
        <message>
            <source>Aspect Ratio:</source>
            <translation>Format d'image :</translation>
        </message>
        <message>
            <source>Original Display</source>
            <translation>Affichage d'origine</translation>
        </message>
        <message>
            <source>Original Resolution</source>
            <translation>Résolution d'origine</translation>
        </message>
        <message>
            <source>Full Screen</source>
            <translation>Plein écran</translation>
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
            <translation>Luminosité, contraste, saturation et teinte, effets vidéo et cadres.</translation>
        </message>
        <message>
            <source>Brightness:</source>
            <translation>Luminosité :</translation>
        </message>
        <message>
            <source>Contrast:</source>
            <translation>Contraste :</translation>
        </message>
        <message>
            <source>Saturation:</source>
            <translation>Saturation :</translation>
        </message>
        <message>
            <source>Hue:</source>
            <translation>Teinte :</translation>
        </message>
        <message>
            <source>Video effects</source>
            <translation>Effets vidéo</translation>
        </message>
        <message>
            <source>Frame</source>
            <translation>Cadre</translation>
        </message>
    </context>
    <context>
        <name>QWatermarkOperationForm</name>
        <message>
            <source>A text or picture watermark. Drag the boxes on the right picture to place and size them.</source>
            <translation>Un filigrane texte ou image. Faites glisser les cadres sur l’image de droite pour les placer et les dimensionner.</translation>
        </message>
        <message>
            <source>Image:</source>
            <translation>Image :</translation>
        </message>
        <message>
            <source>Add Watermark Image</source>
            <translation>Ajouter une image en filigrane</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Transparency:</source>
            <translation>Opacité :</translation>
        </message>
        <message>
            <source>Text:</source>
            <translation>Texte :</translation>
        </message>
        <message>
            <source>Type the watermark text here</source>
            <translation>Saisissez ici le texte du filigrane</translation>
        </message>
        <message>
            <source>Set Font</source>
            <translation>Police…</translation>
        </message>
        <message>
            <source>Open Image</source>
            <translation>Ouvrir une image</translation>
        </message>
        <message>
            <source>Images (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic)</source>
            <translation>Images (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic)</translation>
        </message>
    </context>
    <context>
        <name>QSubtitleOperationForm</name>
        <message>
            <source>Subtitles burned into the picture, their font, colour and position.</source>
            <translation>Sous-titres incrustés dans l’image, leur police, couleur et position.</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>Piste :</translation>
        </message>
        <message>
            <source>File:</source>
            <translation>Fichier :</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>Ouvrir un fichier</translation>
        </message>
        <message>
            <source>Set Font</source>
            <translation>Définir la police</translation>
        </message>
        <message>
            <source>Transparency:</source>
            <translation>Transparence :</translation>
        </message>
        <message>
            <source>Position:</source>
            <translation>Position :</translation>
        </message>
        <message>
            <source>Top</source>
            <translation>Haut</translation>
        </message>
        <message>
            <source>Middle</source>
            <translation>Milieu</translation>
        </message>
        <message>
            <source>Bottom</source>
            <translation>Bas</translation>
        </message>
        <message>
            <source>Margin:</source>
            <translation>Marge :</translation>
        </message>
        <message>
            <source>Scale:</source>
            <translation>Échelle :</translation>
        </message>
        <message>
            <source>No Subtitle</source>
            <translation>Aucun sous-titre</translation>
        </message>
        <message>
            <source>Video Internet CC</source>
            <translation>Sous-titres codés de la vidéo (CC)</translation>
        </message>
        <message>
            <source>All Subtitle</source>
            <translation>Tous les sous-titres</translation>
        </message>
        <message>
            <source>The subtitle file "%1" cannot be opened.</source>
            <translation>Le fichier de sous-titres « %1 » ne peut pas être ouvert.</translation>
        </message>
        <message>
            <source>The file "%1" is too large to be a subtitle file.</source>
            <translation>Le fichier « %1 » est trop volumineux pour être un fichier de sous-titres.</translation>
        </message>
        <message>
            <source>The file "%1" is not a subtitle file this program reads (SRT, ASS, SSA, WebVTT or MicroDVD SUB).</source>
            <translation>Le fichier « %1 » n’est pas un fichier de sous-titres que ce programme sait lire (SRT, ASS, SSA, WebVTT ou SUB MicroDVD).</translation>
        </message>
        <message>
            <source>The file "%1" is not a text subtitle file.</source>
            <translation>Le fichier « %1 » n’est pas un fichier de sous-titres texte.</translation>
        </message>
        <message>
            <source>The file "%1" is damaged: its header is missing.</source>
            <translation>Le fichier « %1 » est endommagé : son en-tête est absent.</translation>
        </message>
        <message>
            <source>The file "%1" holds no subtitle with a valid time.</source>
            <translation>Le fichier « %1 » ne contient aucun sous-titre avec un horodatage valide.</translation>
        </message>
        <message>
            <source>Open Subtitle File</source>
            <translation>Ouvrir un fichier de sous-titres</translation>
        </message>
        <message>
            <source>Subtitles (%1)</source>
            <translation>Sous-titres (%1)</translation>
        </message>
        <message>
            <source>Subtitle files can only be burned into the picture in Encoding mode.</source>
            <translation>Les fichiers de sous-titres ne peuvent être incrustés dans l’image qu’en mode Encodage.</translation>
        </message>
    </context>
    <context>
        <name>QAudioOperationForm</name>
        <message>
            <source>Volume, background music and sound effects.</source>
            <translation>Volume, musique de fond et effets sonores.</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>Piste :</translation>
        </message>
        <message>
            <source>Volume:</source>
            <translation>Volume :</translation>
        </message>
        <message>
            <source>File:</source>
            <translation>Fichier :</translation>
        </message>
        <message>
            <source>Open File</source>
            <translation>Ouvrir un fichier</translation>
        </message>
        <message>
            <source>Weight:</source>
            <translation>Poids :</translation>
        </message>
        <message>
            <source>Repeat</source>
            <translation>Répéter</translation>
        </message>
        <message>
            <source>Fade in (s):</source>
            <translation>Fondu d'entrée (s) :</translation>
        </message>
        <message>
            <source>Fade out (s):</source>
            <translation>Fondu de sortie (s) :</translation>
        </message>
        <message>
            <source>No Audio</source>
            <translation>Pas d'audio</translation>
        </message>
        <message>
            <source>All Audio</source>
            <translation>Tout l'audio</translation>
        </message>
        <message>
            <source>Open Audio File</source>
            <translation>Ouvrir un fichier audio</translation>
        </message>
        <message>
            <source>audio files(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;video files(*.avi;*.mp4;*.mov;*.3gp;*.flv;*.mkv;*.rmvb;*.wmv;*.mpg;*.mpeg;*.ts;*.trp);;all files(*.*)</source>
            <translation>fichiers audio(*.wav;*.mp3;*.aac;*.m4a;*.wma;*.ogg;*.ape;*.flac);;fichiers vidéo(*.avi;*.mp4;*.mov;*.3gp;*.flv;*.mkv;*.rmvb;*.wmv;*.mpg;*.mpeg;*.ts;*.trp);;tous les fichiers(*.*)</translation>
        </message>
        <message>
            <source>Sound effects:</source>
            <translation>Effets sonores :</translation>
        </message>
    </context>
    <context>
        <name>QAudioTagForm</name>
        <message>
            <source>Title, artist, album and the other tags written into the output.</source>
            <translation>Titre, artiste, album et les autres tags écrits dans le fichier de sortie.</translation>
        </message>
        <message>
            <source>Title:</source>
            <translation>Titre :</translation>
        </message>
        <message>
            <source>Artist:</source>
            <translation>Artiste :</translation>
        </message>
        <message>
            <source>Composer:</source>
            <translation>Compositeur :</translation>
        </message>
        <message>
            <source>Album:</source>
            <translation>Album :</translation>
        </message>
        <message>
            <source>Genre:</source>
            <translation>Genre :</translation>
        </message>
        <message>
            <source>Track:</source>
            <translation>Piste :</translation>
        </message>
        <message>
            <source>Disc Num:</source>
            <translation>N° de disque :</translation>
        </message>
        <message>
            <source>Year:</source>
            <translation>Année :</translation>
        </message>
        <message>
            <source>Grouping:</source>
            <translation>Regroupement :</translation>
        </message>
        <message>
            <source>Copyright:</source>
            <translation>Copyright :</translation>
        </message>
        <message>
            <source>Comments:</source>
            <translation>Commentaires :</translation>
        </message>
        <message>
            <source>Cover:</source>
            <translation>Pochette :</translation>
        </message>
        <message>
            <source>Add Image</source>
            <translation>Ajouter une image</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>Supprimer</translation>
        </message>
        <message>
            <source>Open Image</source>
            <translation>Ouvrir une image</translation>
        </message>
        <message>
            <source>Images (*.png *.xpm *.jpg)</source>
            <translation>Images (*.png *.xpm *.jpg)</translation>
        </message>
    </context>
    <context>
        <name>QPlayerOperationForm</name>
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
            <source>Snapshot</source>
            <translation>Capture</translation>
        </message>
        <message>
            <source>Snapshot Menu</source>
            <translation>Menu de capture</translation>
        </message>
    </context>
    <context>
        <name>QTrimOperationForm</name>
        <message>
            <source>Previous Frame</source>
            <translation>Image précédente</translation>
        </message>
        <message>
            <source>Next Frame</source>
            <translation>Image suivante</translation>
        </message>
        <message>
            <source>Play Section</source>
            <translation>Lire la section</translation>
        </message>
        <message>
            <source>Pause Section</source>
            <translation>Suspendre la section</translation>
        </message>
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
            <source>Snapshot</source>
            <translation>Capture</translation>
        </message>
        <message>
            <source>Snapshot Menu</source>
            <translation>Menu de capture</translation>
        </message>
        <message>
            <source>Trim</source>
            <translation>Découper</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Réinitialiser</translation>
        </message>
    </context>
    <context>
        <name>QVideoEditingDlg</name>
        <message>
            <source>Video Edit</source>
            <translation>Montage vidéo</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Snapshot successfully!</source>
            <translation>Capture enregistrée !</translation>
        </message>
        <message>
            <source>Snapshot failed!</source>
            <translation>Échec de la capture !</translation>
        </message>
        <message>
            <source>Open Folder</source>
            <translation>Ouvrir le dossier</translation>
        </message>
        <message>
            <source>Settings</source>
            <translation>Paramètres</translation>
        </message>
    </context>
    <context>
        <name>QEditTipDlg</name>
        <message>
            <source>Video Edit</source>
            <translation>Montage vidéo</translation>
        </message>
        <message>
            <source>Note: The currently selected output mode is High-Speed mode (Lossless). The edited effect won't be applied to the output file.</source>
            <translation>Remarque : le mode de sortie choisi est le mode Haute vitesse (sans perte). Les modifications ne seront pas appliquées au fichier de sortie.</translation>
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
        <name>QWatermartTextSettingDlg</name>
        <message>
            <source>Font</source>
            <translation>Police</translation>
        </message>
        <message>
            <source>Choose the font of the watermark text</source>
            <translation>Choisir la police du texte en filigrane</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Réinitialiser</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Font Name:</source>
            <translation>Nom de la police :</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>Couleur de la police :</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>Couleur du contour :</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>Épaisseur du contour :</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>Couleur de l'ombre :</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>Décalage de l'ombre :</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>Espacement horizontal :</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>Espacement vertical :</translation>
        </message>
        <message>
            <source>Choose a colour</source>
            <translation>Choisir une couleur</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Par défaut</translation>
        </message>
        <message>
            <source>Select Color</source>
            <translation>Sélectionner une couleur</translation>
        </message>
    </context>
    <context>
        <name>QSubtitleSettingDlg</name>
        <message>
            <source>Font</source>
            <translation>Police</translation>
        </message>
        <message>
            <source>Font Name:</source>
            <translation>Police :</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Par défaut</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>Couleur du texte :</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>Couleur du contour :</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>Épaisseur du contour :</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>Couleur de l’ombre :</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>Décalage de l’ombre :</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>Espacement horizontal :</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>Espacement vertical :</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Réinitialiser</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Choose the font of the subtitles</source>
            <translation>Choisir la police des sous-titres</translation>
        </message>
    </context>
    <context>
        <name>QCaptureSettingDlg</name>
        <message>
            <source>Snapshot Setting</source>
            <translation>Paramètres de capture</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Save to:</source>
            <translation>Enregistrer dans :</translation>
        </message>
        <message>
            <source>Format:</source>
            <translation>Format :</translation>
        </message>
        <message>
            <source>Please choose destination folder</source>
            <translation>Veuillez choisir le dossier de destination</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>is not exists</source>
            <translation> n’existe pas</translation>
        </message>
        <message>
            <source>The folder "%1" cannot be written to. Please choose another folder for snapshots.</source>
            <translation>Impossible d’écrire dans le dossier « %1 ». Veuillez choisir un autre dossier pour les captures.</translation>
        </message>
        <message>
            <source>Save to</source>
            <translation>Enregistrer dans</translation>
        </message>
    </context>
    <context>
        <name>EffectLibrary</name>
        <message>
            <source>None</source>
            <translation>Aucun</translation>
        </message>
        <message>
            <source>Snow</source>
            <translation>Neige</translation>
        </message>
        <message>
            <source>Rain</source>
            <translation>Pluie</translation>
        </message>
        <message>
            <source>Bubbles</source>
            <translation>Bulles</translation>
        </message>
        <message>
            <source>Sparkles</source>
            <translation>Scintillements</translation>
        </message>
        <message>
            <source>Falling Leaves</source>
            <translation>Feuilles qui tombent</translation>
        </message>
        <message>
            <source>Light Leak</source>
            <translation>Fuite de lumière</translation>
        </message>
        <message>
            <source>Film Grain</source>
            <translation>Grain de film</translation>
        </message>
        <message>
            <source>Confetti</source>
            <translation>Confettis</translation>
        </message>
        <message>
            <source>Gold</source>
            <translation>Doré</translation>
        </message>
        <message>
            <source>Wood</source>
            <translation>Bois</translation>
        </message>
        <message>
            <source>Film Strip</source>
            <translation>Pellicule</translation>
        </message>
        <message>
            <source>Instant Photo</source>
            <translation>Photo instantanée</translation>
        </message>
        <message>
            <source>Rounded</source>
            <translation>Arrondi</translation>
        </message>
        <message>
            <source>Neon</source>
            <translation>Néon</translation>
        </message>
        <message>
            <source>Dots</source>
            <translation>Pois</translation>
        </message>
        <message>
            <source>Vignette</source>
            <translation>Vignette</translation>
        </message>
        <message>
            <source>Bass Boost</source>
            <translation>Renfort des basses</translation>
        </message>
        <message>
            <source>Treble Boost</source>
            <translation>Renfort des aigus</translation>
        </message>
        <message>
            <source>Voice</source>
            <translation>Voix</translation>
        </message>
        <message>
            <source>Radio</source>
            <translation>Radio</translation>
        </message>
        <message>
            <source>Telephone</source>
            <translation>Téléphone</translation>
        </message>
        <message>
            <source>Stadium</source>
            <translation>Stade</translation>
        </message>
        <message>
            <source>Slow</source>
            <translation>Lent</translation>
        </message>
        <message>
            <source>Fast</source>
            <translation>Rapide</translation>
        </message>
    </context>
    <context>
        <name>ControlNames</name>
        <message>
            <source>%1: later</source>
            <translation>%1 : plus tard</translation>
        </message>
        <message>
            <source>%1: earlier</source>
            <translation>%1 : plus tôt</translation>
        </message>
    </context>
    <context>
        <name>QButtonListDlg</name>
        <message>
            <source>Segment %1</source>
            <translation>Segment %1</translation>
        </message>
        <message>
            <source>Previous Segments</source>
            <translation>Segments précédents</translation>
        </message>
        <message>
            <source>Next Segments</source>
            <translation>Segments suivants</translation>
        </message>
    </context>
    <context>
        <name>QShortcut</name>
        <message>
            <source>Ctrl</source>
            <translation>Ctrl</translation>
        </message>
        <message>
            <source>Shift</source>
            <translation>Maj</translation>
        </message>
        <message>
            <source>Alt</source>
            <translation>Alt</translation>
        </message>
        <message>
            <source>Space</source>
            <translation>Espace</translation>
        </message>
        <message>
            <source>Esc</source>
            <translation>Échap</translation>
        </message>
        <message>
            <source>Return</source>
            <translation>Entrée</translation>
        </message>
        <message>
            <source>Enter</source>
            <translation>Entrée</translation>
        </message>
        <message>
            <source>Ins</source>
            <translation>Inser</translation>
        </message>
        <message>
            <source>Del</source>
            <translation>Suppr</translation>
        </message>
        <message>
            <source>Left</source>
            <translation>Gauche</translation>
        </message>
        <message>
            <source>Right</source>
            <translation>Droite</translation>
        </message>
    </context>
    <context>
        <name>AddFileThread</name>
        <message>
            <source>Only files on this computer can be opened.</source>
            <translation>Seuls les fichiers de cet ordinateur peuvent être ouverts.</translation>
        </message>
        <message>
            <source>The file name has no extension.</source>
            <translation>Le nom du fichier n’a pas d’extension.</translation>
        </message>
        <message>
            <source>Folders are not opened; choose a file.</source>
            <translation>Les dossiers ne sont pas ouverts ; choisissez un fichier.</translation>
        </message>
    </context>
    <context>
        <name>QFontLookPanel</name>
        <message>
            <source>Font Name:</source>
            <translation>Nom de la police :</translation>
        </message>
        <message>
            <source>Font Color:</source>
            <translation>Couleur de la police :</translation>
        </message>
        <message>
            <source>Outline Color:</source>
            <translation>Couleur du contour :</translation>
        </message>
        <message>
            <source>Outline Size:</source>
            <translation>Épaisseur du contour :</translation>
        </message>
        <message>
            <source>Shadow Color:</source>
            <translation>Couleur de l'ombre :</translation>
        </message>
        <message>
            <source>Shadow Offset:</source>
            <translation>Décalage de l'ombre :</translation>
        </message>
        <message>
            <source>Horizontal Spacing:</source>
            <translation>Espacement horizontal :</translation>
        </message>
        <message>
            <source>Vertical Spacing:</source>
            <translation>Espacement vertical :</translation>
        </message>
        <message>
            <source>Choose a colour</source>
            <translation>Choisir une couleur</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>Par défaut</translation>
        </message>
        <message>
            <source>Select Color</source>
            <translation>Sélectionner une couleur</translation>
        </message>
        <message>
            <source>Font</source>
            <translation>Police</translation>
        </message>
    </context>
    <context>
        <name>QFontLookDialog</name>
        <message>
            <source>Font</source>
            <translation>Police</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Réinitialiser</translation>
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
        <name>QCustomTimeEdit</name>
        <message>
            <source>Set to %1, the latest time allowed here.</source>
            <translation>Réglé sur %1, le temps le plus tardif permis ici.</translation>
        </message>
        <message>
            <source>Set to %1, the earliest time allowed here.</source>
            <translation>Réglé sur %1, le temps le plus tôt permis ici.</translation>
        </message>
    </context>
    <context>
        <name>snipwell-cli</name>
        <message>
            <source>the file has no chapters</source>
            <translation>le fichier n'a pas de chapitres</translation>
        </message>
        <message>
            <source>not a media file we can read</source>
            <translation>pas un fichier multimédia lisible</translation>
        </message>
        <message>
            <source>segment %1 (%2) ends past the end of the file (%3); it was cut there</source>
            <translation>le segment %1 (%2) finit après la fin du fichier (%3) ; il a été coupé là</translation>
        </message>
        <message>
            <source>segment %1 (%2) starts past the end of the file (%3); it was left out</source>
            <translation>le segment %1 (%2) commence après la fin du fichier (%3) ; il a été omis</translation>
        </message>
        <message>
            <source>Part %1</source>
            <translation>Partie %1</translation>
        </message>
        <message>
            <source>%1: not frame-exact, %2</source>
            <translation>%1 : pas à l'image près, %2</translation>
        </message>
        <message>
            <source>--name %1: %2 is not a placeholder; use {name} {n} {label} {start} {end} {ext} {date}</source>
            <translation>--name %1 : %2 n'est pas un champ ; utilisez {name} {n} {label} {start} {end} {ext} {date}</translation>
        </message>
        <message>
            <source>the output folder cannot be made</source>
            <translation>le dossier de sortie ne peut pas être créé</translation>
        </message>
        <message>
            <source>the output folder is not writable</source>
            <translation>le dossier de sortie n'est pas accessible en écriture</translation>
        </message>
        <message>
            <source>stopped; nothing half-written was left behind</source>
            <translation>arrêté ; aucun fichier à moitié écrit ne reste</translation>
        </message>
        <message>
            <source>%1 needs a value</source>
            <translation>%1 demande une valeur</translation>
        </message>
        <message>
            <source>unknown option %1</source>
            <translation>option inconnue %1</translation>
        </message>
        <message>
            <source>--cut %1: write the segment as START-END</source>
            <translation>--cut %1 : écrivez le segment sous la forme START-END</translation>
        </message>
        <message>
            <source>--cut %1: '%2' is not a time (12.5, 1:02.5 or 1:02:03.250)</source>
            <translation>--cut %1 : « %2 » n'est pas un temps (12.5, 1:02.5 ou 1:02:03.250)</translation>
        </message>
        <message>
            <source>--cut %1: the end is not after the start</source>
            <translation>--cut %1 : la fin n'est pas après le début</translation>
        </message>
        <message>
            <source>--cuts %1: not a cut list (.csv, .tsv, .txt, .edl or .cue) or project (.snipwell)</source>
            <translation>--cuts %1 : ni une liste de coupes (.csv, .tsv, .txt, .edl ou .cue) ni un projet (.snipwell)</translation>
        </message>
        <message>
            <source>--cuts %1: the project holds no segments</source>
            <translation>--cuts %1 : le projet ne contient aucun segment</translation>
        </message>
        <message>
            <source>--jobs %1: give a number from 1 to 64</source>
            <translation>--jobs %1 : donnez un nombre de 1 à 64</translation>
        </message>
        <message>
            <source>no FILE to cut</source>
            <translation>aucun FICHIER à découper</translation>
        </message>
        <message>
            <source>--mode %1: use copy, exact or encode</source>
            <translation>--mode %1 : utilisez copy, exact ou encode</translation>
        </message>
        <message>
            <source>--merge-chapters goes with --merge</source>
            <translation>--merge-chapters va avec --merge</translation>
        </message>
        <message>
            <source>--merge-chapters goes with --mode copy or exact</source>
            <translation>--merge-chapters va avec --mode copy ou exact</translation>
        </message>
        <message>
            <source>--format, --quality, the encoding parameters and --edits go with --mode encode</source>
            <translation>--format, --quality, les paramètres d'encodage et --edits vont avec --mode encode</translation>
        </message>
        <message>
            <source>--container goes with --mode copy or exact; --format chooses the container of an encode</source>
            <translation>--container va avec --mode copy ou exact ; --format choisit le conteneur d'un encodage</translation>
        </message>
        <message>
            <source>unknown container '%1'; one of: %2</source>
            <translation>conteneur inconnu « %1 » ; l'un de : %2</translation>
        </message>
        <message>
            <source>unknown format '%1'; one of: %2</source>
            <translation>format inconnu « %1 » ; l'un de : %2</translation>
        </message>
        <message>
            <source>--quality %1: use small or high</source>
            <translation>--quality %1 : utilisez small ou high</translation>
        </message>
        <message>
            <source>--size %1: write it as WIDTHxHEIGHT</source>
            <translation>--size %1 : écrivez-la sous la forme LARGEURxHAUTEUR</translation>
        </message>
        <message>
            <source>%1 %2: give a positive number</source>
            <translation>%1 %2 : donnez un nombre positif</translation>
        </message>
        <message>
            <source>--edits %1: %2</source>
            <translation>--edits %1 : %2</translation>
        </message>
        <message>
            <source>no FILE to read</source>
            <translation>aucun FICHIER à lire</translation>
        </message>
        <message>
            <source>snipwell-cli info FILE...
    One JSON object a line for each FILE: format, duration, streams,
    chapters and the number of key frames.
</source>
            <translation>snipwell-cli info FICHIER...
    Un objet JSON par ligne pour chaque FICHIER : format, durée, flux,
    chapitres et nombre d'images clés.
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
            <translation>snipwell-cli cut [OPTIONS] FICHIER...
    Découpe les mêmes segments dans chaque FICHIER.

  Segments (dans l'ordre donné ; aucun : le fichier entier) :
    --cut START-END       un segment ; temps en 12.5, 1:02.5 ou 1:02:03.250 ;
                          une END vide va jusqu'à la fin (répétable)
    --cuts LIST           les segments d'une liste de coupes : .csv, .tsv, .edl,
                          .cue, lignes de chapitres .txt ou un projet .snipwell
                          avec ses noms (répétable)
    --chapters            un segment par chapitre de chaque FICHIER

  Sortie :
    --mode MODE           copy (sans perte aux images clés, par défaut),
                          exact (sans perte, à l'image près) ou encode
    --container NAME      copy et exact : original (par défaut), mp4, mkv,
                          mov, ts, ... comme dans la liste des formats sans perte
    --format NAME         encode : un format par son titre ou son numéro, comme
                          dans la boîte de formats ("MP4 H.264/AAC", 4000)
    --quality QUALITY     encode : small ou high (par défaut)
    --merge               tous les segments d'un FICHIER dans une seule sortie
    --merge-chapters      avec --merge (copy, exact) : un chapitre par segment
    --output-dir DIR      où vont les sorties (par défaut : le dossier de sortie
                          du programme, un dossier par FICHIER)
    --name TEMPLATE       noms des sorties, comme le modèle de la fenêtre :
                          {name} {n} {label} {start} {end} {ext} {date}
                          (par défaut {name}_{n}.{ext})

  Paramètres d'encodage (encode ; par défaut : ceux du format) :
    --video-codec TAG     comme les profils nomment les codecs (H264, HEVC, ...), ou none
    --audio-codec TAG     (AAC, MP3, ...), ou none
    --size WxH            taille de l'image (par défaut : celle de la source
                          si le format accepte toute taille, sinon celle du format)
    --fps RATE            fréquence d'images
    --video-bitrate KBPS
    --audio-bitrate KBPS
    --channels N
    --sample-rate HZ
    --edits FILE          retouches en JSON : les champs de l'enregistrement de retouche

  Exécution :
    --jobs N              fichiers convertis à la fois (par défaut 1)
    --json                un objet JSON par ligne sur la sortie standard :
                          progression, chaque sortie avec son chemin, son
                          rapport de coupe et sa vérification, remarques et erreurs
</translation>
        </message>
        <message>
            <source>no such file</source>
            <translation>fichier introuvable</translation>
        </message>
        <message>
            <source>a folder, not a file</source>
            <translation>un dossier, pas un fichier</translation>
        </message>
        <message>
            <source>not readable (permission denied)</source>
            <translation>illisible (permission refusée)</translation>
        </message>
        <message>
            <source>Usage: snipwell-cli COMMAND [OPTIONS] FILE...
Cuts video and audio files without the window, on the same conversion
path as the Zelvane Snipwell window.

</source>
            <translation>Usage : snipwell-cli COMMANDE [OPTIONS] FICHIER...
Découpe des fichiers vidéo et audio sans la fenêtre, par le même chemin
de conversion que la fenêtre de Zelvane Snipwell.

</translation>
        </message>
        <message>
            <source>  --help                  this text (COMMAND --help: the command's)
  --version               the program's version

Exit status: 0 when every output was written, 1 when a file failed (the
others are still written), 2 for a wrong command line. Ctrl+C stops and
leaves no partial output. See snipwell-cli(1).
</source>
            <translation>  --help                  ce texte (COMMANDE --help : celui de la commande)
  --version               la version du programme

Code de sortie : 0 si chaque sortie a été écrite, 1 si un fichier a échoué
(les autres sont tout de même écrits), 2 pour une ligne de commande erronée.
Ctrl+C arrête sans laisser de sortie partielle. Voir snipwell-cli(1).
</translation>
        </message>
        <message>
            <source>Usage: </source>
            <translation>Usage : </translation>
        </message>
        <message>
            <source>a command is missing: info or cut</source>
            <translation>il manque une commande : info ou cut</translation>
        </message>
        <message>
            <source>unknown command '%1'</source>
            <translation>commande inconnue « %1 »</translation>
        </message>
        <message>
            <source>Try 'snipwell-cli --help'.</source>
            <translation>Voir « snipwell-cli --help ».</translation>
        </message>
        <message>
            <source>the file has no sound to search</source>
            <translation>le fichier n’a pas de son à analyser</translation>
        </message>
        <message>
            <source>the file has no pictures to search</source>
            <translation>le fichier n’a pas d’images à analyser</translation>
        </message>
        <message>
            <source>stopped</source>
            <translation>arrêté</translation>
        </message>
        <message>
            <source>a setting is out of its range</source>
            <translation>un réglage est hors de sa plage</translation>
        </message>
        <message>
            <source>cannot be read: %1</source>
            <translation>illisible : %1</translation>
        </message>
        <message>
            <source>no KIND given: silence, black, scene or freeze</source>
            <translation>aucun TYPE indiqué : silence, black, scene ou freeze</translation>
        </message>
        <message>
            <source>unknown KIND %1: silence, black, scene or freeze</source>
            <translation>TYPE inconnu %1 : silence, black, scene ou freeze</translation>
        </message>
        <message>
            <source>%1 needs a number</source>
            <translation>%1 attend un nombre</translation>
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
            <translation>snipwell-cli detect TYPE [OPTIONS] FICHIER...
    Trouve des points de coupe dans chaque FICHIER et les affiche en secondes,
    un par ligne : TYPE silence, black ou freeze donne DÉBUT FIN de chaque
    plage, scene l’instant de chaque changement d’image.

    --threshold VALEUR    silence : niveau en dB (-50) ; black : part de pixels
                          noirs, de 0 à 1 (0.98) ; scene : score de changement,
                          de 0 à 100 (10) ; freeze : écart en dB (-60)
    --min-length SECONDES plage la plus courte (silence 1, black 0.5, freeze 2) ;
                          scene : écart minimal entre deux changements (1)
    --json                un objet JSON par ligne pour chaque FICHIER
</translation>
        </message>
        <message>
            <source>--cuts %1: not a cut list (.csv, .tsv, .txt, .edl or .cue)</source>
            <translation>--cuts %1 : pas une liste de coupes (.csv, .tsv, .txt, .edl ou .cue)</translation>
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
            <translation>snipwell-cli cut [OPTIONS] FICHIER...
    Découpe les mêmes segments dans chaque FICHIER.

  Segments (dans l'ordre donné ; aucun : le fichier entier) :
    --cut START-END       un segment ; temps en 12.5, 1:02.5 ou 1:02:03.250 ;
                          une END vide va jusqu'à la fin (répétable)
    --cuts LIST           les segments d'une liste de coupes : .csv, .tsv, .edl,
                          .cue ou lignes de chapitres .txt (répétable)
    --chapters            un segment par chapitre de chaque FICHIER

  Sortie :
    --mode MODE           copy (sans perte aux images clés, par défaut),
                          exact (sans perte, à l'image près) ou encode
    --container NAME      copy et exact : original (par défaut), mp4, mkv,
                          mov, ts, ... comme dans la liste des formats sans perte
    --format NAME         encode : un format par son titre ou son numéro, comme
                          dans la boîte de formats ("MP4 H.264/AAC", 4000)
    --quality QUALITY     encode : small ou high (par défaut)
    --merge               tous les segments d'un FICHIER dans une seule sortie
    --merge-chapters      avec --merge (copy, exact) : un chapitre par segment
    --output-dir DIR      où vont les sorties (par défaut : le dossier de sortie
                          du programme, un dossier par FICHIER)
    --name TEMPLATE       noms des sorties, comme le modèle de la fenêtre :
                          {name} {n} {label} {start} {end} {ext} {date}
                          (par défaut {name}_{n}.{ext})

  Paramètres d'encodage (encode ; par défaut : ceux du format) :
    --video-codec TAG     comme les profils nomment les codecs (H264, HEVC, ...), ou none
    --audio-codec TAG     (AAC, MP3, ...), ou none
    --size WxH            taille de l'image (par défaut : celle de la source
                          si le format accepte toute taille, sinon celle du format)
    --fps RATE            fréquence d'images
    --video-bitrate KBPS
    --audio-bitrate KBPS
    --channels N
    --sample-rate HZ
    --edits FILE          retouches en JSON : les champs de l'enregistrement de retouche

  Exécution :
    --jobs N              fichiers convertis à la fois (par défaut 1)
    --json                un objet JSON par ligne sur la sortie standard :
                          progression, chaque sortie avec son chemin, son
                          rapport de coupe et sa vérification, remarques et erreurs
</translation>
        </message>
        <message>
            <source>the settings could not be read and were reset; the old settings file was kept as %1</source>
            <translation>les réglages n’ont pas pu être lus et ont été rétablis ; l’ancien fichier de réglages a été conservé sous %1</translation>
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
            <translation>snipwell-cli extract-subtitles [OPTIONS] FICHIER...
    Écrit chaque flux de sous-titres de chaque FICHIER dans un fichier à part,
    NOM.INDEX.LANGUE.srt : le texte en SRT (ou ASS), les images PGS en .sup,
    les autres sous-titres en images en .mks. Les fichiers existants sont laissés tels quels.

    --format FORMAT       flux texte : srt (par défaut) ou ass
    --cut DÉBUT-FIN       seulement ce que montre ce segment, minuté comme la
                          découpe des segments joints dans l'ordre (répétable)
    --output-dir DOSSIER  où vont les fichiers (par défaut : à côté du FICHIER)
    --json                un objet JSON par ligne pour chaque fichier écrit
</translation>
        </message>
        <message>
            <source>unknown subtitle format %1: srt or ass</source>
            <translation>format de sous-titres inconnu %1 : srt ou ass</translation>
        </message>
        <message>
            <source>%1 needs START-END, the end after the start</source>
            <translation>%1 attend DÉBUT-FIN, la fin après le début</translation>
        </message>
        <message>
            <source>the output folder %1 does not exist</source>
            <translation>le dossier de sortie %1 n'existe pas</translation>
        </message>
        <message>
            <source>stream %1</source>
            <translation>flux %1</translation>
        </message>
        <message>
            <source>%1 subtitles can be neither read as text nor kept as pictures</source>
            <translation>les sous-titres %1 ne peuvent être ni lus comme texte ni gardés comme images</translation>
        </message>
        <message>
            <source>%1 already exists; remove it or choose another --output-dir</source>
            <translation>%1 existe déjà ; supprimez-le ou choisissez un autre --output-dir</translation>
        </message>
        <message>
            <source>no subtitle streams</source>
            <translation>aucun flux de sous-titres</translation>
        </message>
        <message>
            <source>%1 %2: '%3' names no stream; use an index (3), a kind and number (v:0, a:1, s:0) or a kind and language (a:eng)</source>
            <translation>%1 %2 : « %3 » ne désigne aucun flux ; donnez un index (3), un type et un numéro (v:0, a:1, s:0) ou un type et une langue (a:eng)</translation>
        </message>
        <message>
            <source>%1 %2: write it as STREAM=VALUE</source>
            <translation>%1 %2 : écrivez-le sous la forme FLUX=VALEUR</translation>
        </message>
        <message>
            <source>%1 %2: '%3' is not a language code of ISO 639-2 (eng, ger, fre, ...)</source>
            <translation>%1 %2 : « %3 » n'est pas un code de langue ISO 639-2 (eng, ger, fre, ...)</translation>
        </message>
        <message>
            <source>%1 %2: give the shift in whole milliseconds, like -200 or 150</source>
            <translation>%1 %2 : donnez le décalage en millisecondes entières, par exemple -200 ou 150</translation>
        </message>
        <message>
            <source>%1 %2: the file has no such stream</source>
            <translation>%1 %2 : le fichier n'a pas ce flux</translation>
        </message>
        <message>
            <source>--shift %1=%2: the shift is as long as the file or longer</source>
            <translation>--shift %1=%2 : le décalage est aussi long que le fichier ou plus long</translation>
        </message>
        <message>
            <source>--shift %1: pictures cannot be shifted; shift the sound instead</source>
            <translation>--shift %1 : les images ne peuvent pas être décalées ; décalez plutôt le son</translation>
        </message>
        <message>
            <source>--drop leaves no stream to write</source>
            <translation>--drop ne laisse aucun flux à écrire</translation>
        </message>
        <message>
            <source>%1 %2: use an index (3), a kind and number (a:1) or a kind and language (a:eng)</source>
            <translation>%1 %2 : donnez un index (3), un type et un numéro (a:1) ou un type et une langue (a:eng)</translation>
        </message>
        <message>
            <source>offset takes FILE, or FILE and SECOND_FILE</source>
            <translation>offset prend FICHIER, ou FICHIER et SECOND_FICHIER</translation>
        </message>
        <message>
            <source>%1: the file has no such sound track</source>
            <translation>%1 : le fichier n'a pas cette piste son</translation>
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
            <translation>  Flux (tous les modes ; FLUX est un index dans la source, 3, un type et
  un numéro, v:0 a:1 s:0, ou un type et une langue, a:eng) :
    --drop FLUX           laisser le flux de côté (répétable)
    --order FLUX,...      les flux nommés d'abord dans leur type ; les
                          sorties ont l'image, puis le son, puis les sous-titres
    --language FLUX=LANGUE  code ISO 639-2, comme eng (répétable)
    --title FLUX=TEXTE    le titre du flux (répétable)
    --default FLUX        le flux par défaut de son type ; les autres
                          perdent ce marquage
    --forced FLUX         marquer le flux comme forcé
    --shift FLUX=MS       décaler un flux son ou sous-titres de millisecondes
                          signées : le son placé avant le début est coupé à
                          une trame, un vide au début reste un vide.
                          L'encodage garde le premier flux son gardé
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
            <translation>snipwell-cli offset [OPTIONS] FICHIER [SECOND_FICHIER]
    Affiche en secondes de combien le son de la seconde piste arrive après
    celui de la première (négatif : avant), trouvé en comparant l'évolution
    de leur volume ; cut --shift FLUX=MS avec l'opposé les aligne.
    Code de sortie 1 avec la raison quand il ne peut pas le dire.

    --first FLUX          la première piste (par défaut a:0 de FICHIER)
    --second FLUX         la seconde (par défaut a:1 de FICHIER, ou a:0 de
                          SECOND_FICHIER)
    --json                un objet JSON avec le décalage, la confiance
                          (0 à 1) et le décalage à appliquer en ms
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
            <translation>snipwell-cli join [OPTIONS] FICHIER [--cut S-E]... FICHIER [--cut S-E]...
    Joint les segments de chaque FICHIER, fichier après fichier, en une
    seule sortie nommée d'après le premier FICHIER. Chaque --cut ou --cuts
    appartient au FICHIER qui le précède (donné avant tout FICHIER : à
    tous les fichiers) ; un FICHIER sans coupe est joint en entier. copy
    et exact joignent les fichiers dont les flux concordent (codecs,
    tailles, fréquences, canaux) et sinon disent ce qui diffère sans rien
    écrire ; encode joint n'importe quels fichiers. Accepte les options de
    cut, et :

    --match-sound         copy et exact : le son qui diffère de celui du
                          premier fichier est encodé pour lui correspondre ;
                          les images sont toujours copiées
    --json                comme pour cut ; la ligne de la sortie ajoute
                          "joins" : pour chaque jonction, le segment qui la
                          suit, son fichier et comment il a été fait (method
                          copy, exact ou encode ; sound copied ou encoded)
</translation>
        </message>
        <message>
            <source>--match-sound goes with join in --mode copy or exact</source>
            <translation>--match-sound va avec join en --mode copy ou exact</translation>
        </message>
    </context>
    <context>
        <name>BatchApplyDlg</name>
        <message>
            <source>Apply Segments To Other Files</source>
            <translation>Appliquer les segments à d’autres fichiers</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Arrêter</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>1 segment for each file</source>
            <translation>1 segment par fichier</translation>
        </message>
        <message>
            <source>%1 segments for each file</source>
            <translation>%1 segments par fichier</translation>
        </message>
        <message>
            <source>Opening…</source>
            <translation>Ouverture…</translation>
        </message>
        <message>
            <source>File %1 of %2: %3</source>
            <translation>Fichier %1 sur %2 : %3</translation>
        </message>
        <message>
            <source>Stopped: %1 of %2 files done, %3 failed.</source>
            <translation>Arrêté : %1 fichiers sur %2 traités, %3 en échec.</translation>
        </message>
        <message>
            <source>Done: %1 of %2 files failed.</source>
            <translation>Terminé : %1 fichiers sur %2 en échec.</translation>
        </message>
        <message>
            <source>Done: all %1 files converted.</source>
            <translation>Terminé : les %1 fichiers ont été convertis.</translation>
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
            <translation>%1 — échec : %2</translation>
        </message>
    </context>
    <context>
        <name>SegmentBatch</name>
        <message>
            <source>The file cannot be read.</source>
            <translation>Le fichier ne peut pas être lu.</translation>
        </message>
        <message>
            <source>Segment %1 (%2) ends past the end of the file (%3); it was cut there.</source>
            <translation>Le segment %1 (%2) finit après la fin du fichier (%3) ; il a été coupé là.</translation>
        </message>
        <message>
            <source>Segment %1 (%2) starts past the end of the file (%3).</source>
            <translation>Le segment %1 (%2) commence après la fin du fichier (%3).</translation>
        </message>
        <message>
            <source>The conversion failed.</source>
            <translation>La conversion a échoué.</translation>
        </message>
    </context>
    <context>
        <name>ProjectFile</name>
        <message>
            <source>%1 should be %2.</source>
            <translation>%1 devrait être %2.</translation>
        </message>
        <message>
            <source>an object</source>
            <translation>un objet</translation>
        </message>
        <message>
            <source>true or false</source>
            <translation>true ou false</translation>
        </message>
        <message>
            <source>a number</source>
            <translation>un nombre</translation>
        </message>
        <message>
            <source>a list of texts</source>
            <translation>une liste de textes</translation>
        </message>
        <message>
            <source>a list of numbers</source>
            <translation>une liste de nombres</translation>
        </message>
        <message>
            <source>a list of numbers of the right length</source>
            <translation>une liste de nombres de la bonne longueur</translation>
        </message>
        <message>
            <source>base64 data</source>
            <translation>des données base64</translation>
        </message>
        <message>
            <source>base64 data of the right length</source>
            <translation>des données base64 de la bonne longueur</translation>
        </message>
        <message>
            <source>a whole number in range</source>
            <translation>un nombre entier dans les limites</translation>
        </message>
        <message>
            <source>a text</source>
            <translation>un texte</translation>
        </message>
        <message>
            <source>a list</source>
            <translation>une liste</translation>
        </message>
        <message>
            <source>"encoding" or "high-speed"</source>
            <translation>« encoding » ou « high-speed »</translation>
        </message>
        <message>
            <source>"free" or "simple"</source>
            <translation>« free » ou « simple »</translation>
        </message>
        <message>
            <source>The project names no source file.</source>
            <translation>Le projet ne nomme aucun fichier source.</translation>
        </message>
        <message>
            <source>%1 ends before it starts.</source>
            <translation>%1 se termine avant de commencer.</translation>
        </message>
        <message>
            <source>The project file is incomplete: it ends early (after %1 bytes).</source>
            <translation>Le fichier de projet est incomplet : il s’arrête trop tôt (après %1 octets).</translation>
        </message>
        <message>
            <source>The project file is damaged: %1 at byte %2.</source>
            <translation>Le fichier de projet est endommagé : %1 à l’octet %2.</translation>
        </message>
        <message>
            <source>This is not a project file of Zelvane Snipwell.</source>
            <translation>Ce n’est pas un fichier de projet de Zelvane Snipwell.</translation>
        </message>
        <message>
            <source>The project file has no valid format version.</source>
            <translation>Le fichier de projet n’a pas de version de format valide.</translation>
        </message>
        <message>
            <source>This project was saved by a newer version of Zelvane Snipwell (project format %1); this version reads format %2 and older. Please update the program to open it.</source>
            <translation>Ce projet a été enregistré par une version plus récente de Zelvane Snipwell (format de projet %1) ; cette version lit le format %2 et antérieurs. Mettez le programme à jour pour l’ouvrir.</translation>
        </message>
        <message>
            <source>The project file cannot be used: %1</source>
            <translation>Le fichier de projet est inutilisable : %1</translation>
        </message>
        <message>
            <source>The project file could not be read: %1</source>
            <translation>Le fichier de projet n’a pas pu être lu : %1</translation>
        </message>
        <message>
            <source>The project could not be saved to %1: %2</source>
            <translation>Le projet n’a pas pu être enregistré dans %1 : %2</translation>
        </message>
        <message>
            <source>%1 names no stream.</source>
            <translation>%1 ne désigne aucun flux.</translation>
        </message>
        <message>
            <source>%1 is of no known stream kind.</source>
            <translation>%1 n'est d'aucun type de flux connu.</translation>
        </message>
        <message>
            <source>%1 has no language code: "%2".</source>
            <translation>%1 n'a pas de code de langue : « %2 ».</translation>
        </message>
        <message>
            <source>%1 names stream %2 a second time.</source>
            <translation>%1 désigne le flux %2 une seconde fois.</translation>
        </message>
        <message>
            <source>%1 names no source file.</source>
            <translation>%1 ne désigne aucun fichier source.</translation>
        </message>
        <message>
            <source>The project's choice of tracks cannot be used and was left out: %1</source>
            <translation>Le choix des pistes du projet est inutilisable et a été ignoré : %1</translation>
        </message>
        <message>
            <source>%1 names no file.</source>
            <translation>%1 ne nomme aucun fichier.</translation>
        </message>
        <message>
            <source>%1 names a source the project does not list.</source>
            <translation>%1 nomme une source que le projet ne liste pas.</translation>
        </message>
    </context>
    <context>
        <name>ProjectSession</name>
        <message>
            <source>Restore the segments of %1 from %2?</source>
            <translation>Restaurer les segments de %1 du %2 ?</translation>
        </message>
        <message>
            <source>No recent files</source>
            <translation>Aucun fichier récent</translation>
        </message>
        <message>
            <source>Save Project As</source>
            <translation>Enregistrer le projet sous</translation>
        </message>
        <message>
            <source>Zelvane Snipwell projects (*.snipwell)</source>
            <translation>Projets Zelvane Snipwell (*.snipwell)</translation>
        </message>
        <message>
            <source>Open Project</source>
            <translation>Ouvrir un projet</translation>
        </message>
        <message>
            <source>%1 was not opened: a conversion is running. Open it when the conversion has finished.</source>
            <translation>%1 n’a pas été ouvert : une conversion est en cours. Ouvrez-le une fois la conversion terminée.</translation>
        </message>
        <message>
            <source>The project %1 could not be opened.</source>
            <translation>Le projet %1 n’a pas pu être ouvert.</translation>
        </message>
        <message>
            <source>The source file of the project %1 was not found:
%2</source>
            <translation>Le fichier source du projet %1 est introuvable :
%2</translation>
        </message>
        <message>
            <source>The segments of %1 have changed. Save them as a project before they are closed?</source>
            <translation>Les segments de %1 ont été modifiés. Les enregistrer comme projet avant de fermer ?</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Enregistrer</translation>
        </message>
        <message>
            <source>Discard</source>
            <translation>Ne pas enregistrer</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Merge Segments</source>
            <translation>Fusionner les segments</translation>
        </message>
        <message>
            <source>Separate Segments</source>
            <translation>Segments séparés</translation>
        </message>
        <message>
            <source>Add %1</source>
            <translation>Ajouter %1</translation>
        </message>
        <message>
            <source>These files of the project were not found, and their segments were left out:
%1</source>
            <translation>Ces fichiers du projet sont introuvables ; leurs segments ont été omis :
%1</translation>
        </message>
    </context>
    <context>
        <name>QDetectDlg</name>
        <message>
            <source>Silence</source>
            <translation>Silence</translation>
        </message>
        <message>
            <source>Black pictures</source>
            <translation>Images noires</translation>
        </message>
        <message>
            <source>Scene changes</source>
            <translation>Changements de scène</translation>
        </message>
        <message>
            <source>Frozen pictures</source>
            <translation>Images figées</translation>
        </message>
        <message>
            <source>Searching for silence…</source>
            <translation>Recherche des silences…</translation>
        </message>
        <message>
            <source>Searching for black pictures…</source>
            <translation>Recherche des images noires…</translation>
        </message>
        <message>
            <source>Searching for scene changes…</source>
            <translation>Recherche des changements de scène…</translation>
        </message>
        <message>
            <source>Searching for frozen pictures…</source>
            <translation>Recherche des images figées…</translation>
        </message>
        <message>
            <source>Detect Cuts</source>
            <translation>Détecter les coupes</translation>
        </message>
        <message>
            <source>Search the file for:</source>
            <translation>Rechercher dans le fichier :</translation>
        </message>
        <message>
            <source>for at least</source>
            <translation>pendant au moins</translation>
        </message>
        <message>
            <source>quieter than</source>
            <translation>plus faible que</translation>
        </message>
        <message>
            <source>Sound below this level counts as silence.</source>
            <translation>Un son sous ce niveau compte comme silence.</translation>
        </message>
        <message>
            <source>pixels darker than</source>
            <translation>pixels plus sombres que</translation>
        </message>
        <message>
            <source>covering</source>
            <translation>couvrant</translation>
        </message>
        <message>
            <source>A pixel at or below this brightness counts as black.</source>
            <translation>Un pixel de cette luminosité ou plus sombre compte comme noir.</translation>
        </message>
        <message>
            <source>How much of a picture must be black for the picture to count as black.</source>
            <translation>Part de l’image qui doit être noire pour que l’image compte comme noire.</translation>
        </message>
        <message>
            <source>change above</source>
            <translation>changement au-dessus de</translation>
        </message>
        <message>
            <source>apart by at least</source>
            <translation>espacés d’au moins</translation>
        </message>
        <message>
            <source>How much the picture must change, from 1 (a little) to 100 (all of it).</source>
            <translation>À quel point l’image doit changer, de 1 (un peu) à 100 (entièrement).</translation>
        </message>
        <message>
            <source>differences below</source>
            <translation>différences inférieures à</translation>
        </message>
        <message>
            <source>Pictures differing by less than this count as the same picture.</source>
            <translation>Des images qui diffèrent de moins que cette valeur comptent comme la même image.</translation>
        </message>
        <message>
            <source>Make of what is found:</source>
            <translation>Faire de ce qui est trouvé :</translation>
        </message>
        <message>
            <source>Segments between the findings (leave out silence, black and frozen pictures)</source>
            <translation>Des segments entre les trouvailles (sans les silences, images noires et figées)</translation>
        </message>
        <message>
            <source>Segments of the findings themselves</source>
            <translation>Des segments des trouvailles elles-mêmes</translation>
        </message>
        <message>
            <source>Detect</source>
            <translation>Détecter</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>Arrêter</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>The whole file is searched. Undo (Ctrl+Z) takes back the segments made.</source>
            <translation>Tout le fichier est parcouru. Annuler (Ctrl+Z) retire les segments créés.</translation>
        </message>
        <message>
            <source>Choose at least one thing to search for.</source>
            <translation>Choisissez au moins une chose à rechercher.</translation>
        </message>
        <message>
            <source>(%2 of %3) %1</source>
            <translation>(%2 sur %3) %1</translation>
        </message>
        <message>
            <source>Stopped. Nothing was changed.</source>
            <translation>Arrêté. Rien n’a été modifié.</translation>
        </message>
        <message>
            <source>The file has no sound, so there is no silence to search for.</source>
            <translation>Le fichier n’a pas de son : il n’y a donc pas de silence à rechercher.</translation>
        </message>
        <message>
            <source>The file has no pictures, so black pictures, scene changes and frozen pictures cannot be searched for.</source>
            <translation>Le fichier n’a pas d’images : les images noires, changements de scène et images figées ne peuvent pas être recherchés.</translation>
        </message>
        <message>
            <source>A setting of “%1” is out of its range.</source>
            <translation>Un réglage de « %1 » est hors de sa plage.</translation>
        </message>
        <message>
            <source>The file could not be read in the search for “%1”.</source>
            <translation>Le fichier n’a pas pu être lu lors de la recherche « %1 ».</translation>
        </message>
        <message>
            <source>Nothing was found. Lower the minimum lengths or loosen the levels to find more.</source>
            <translation>Rien n’a été trouvé. Réduisez les durées minimales ou assouplissez les niveaux pour trouver davantage.</translation>
        </message>
        <message>
            <source>Places were found, but they leave no segment of a quarter second or more.</source>
            <translation>Des endroits ont été trouvés, mais ils ne laissent aucun segment d’un quart de seconde ou plus.</translation>
        </message>
        <message>
            <source>This would make %1 segments; the work can hold at most %2. Raise the minimum lengths to find fewer places.</source>
            <translation>Cela ferait %1 segments ; le travail peut en contenir au plus %2. Augmentez les durées minimales pour trouver moins d’endroits.</translation>
        </message>
        <message>
            <source>Markers on the timeline (the segments stay as they are)</source>
            <translation>Des marqueurs sur la ligne de temps (les segments restent tels quels)</translation>
        </message>
        <message>
            <source>Places were found only at the very start or end of the file; there is nothing to mark.</source>
            <translation>Des endroits n’ont été trouvés qu’au tout début ou à la toute fin du fichier ; il n’y a rien à marquer.</translation>
        </message>
    </context>
    <context>
        <name>SettingsResetNotice</name>
        <message>
            <source>Your settings could not be read, so they were reset to their defaults. The old settings file was kept as:
%1</source>
            <translation>Vos réglages n’ont pas pu être lus ; ils ont donc été rétablis à leurs valeurs par défaut. L’ancien fichier de réglages a été conservé sous :
%1</translation>
        </message>
    </context>
    <context>
        <name>TracksLeftOut</name>
        <message>
            <source>Encoding keeps one sound track and no subtitle streams; left out: %1</source>
            <translation>L’encodage garde une seule piste audio et aucune piste de sous-titres ; laissées de côté : %1</translation>
        </message>
        <message>
            <source>Encoding keeps up to %1 sound tracks and no subtitle streams; left out: %2</source>
            <translation>L’encodage garde jusqu’à %1 pistes audio et aucune piste de sous-titres ; laissées de côté : %2</translation>
        </message>
    </context>
    <context>
        <name>SaveSubtitlesDlg</name>
        <message>
            <source>Save Subtitles</source>
            <translation>Enregistrer les sous-titres</translation>
        </message>
        <message>
            <source>no language</source>
            <translation>aucune langue</translation>
        </message>
        <message>
            <source>Stream %1 · %2 · %3</source>
            <translation>Flux %1 · %2 · %3</translation>
        </message>
        <message>
            <source>pictures, saved as .%1</source>
            <translation>images, enregistrées en .%1</translation>
        </message>
        <message>
            <source>cannot be saved</source>
            <translation>ne peut pas être enregistré</translation>
        </message>
        <message>
            <source>Saving…</source>
            <translation>Enregistrement…</translation>
        </message>
        <message>
            <source>the folder cannot be made</source>
            <translation>le dossier ne peut pas être créé</translation>
        </message>
        <message>
            <source>not saved: %1</source>
            <translation>non enregistré : %1</translation>
        </message>
        <message>
            <source>Text subtitles as:</source>
            <translation>Sous-titres texte en :</translation>
        </message>
        <message>
            <source>Only what the segments show (no segments marked)</source>
            <translation>Seulement ce que montrent les segments (aucun segment marqué)</translation>
        </message>
        <message>
            <source>Only what the segments show, timed as their cut</source>
            <translation>Seulement ce que montrent les segments, minuté comme leur découpe</translation>
        </message>
        <message>
            <source>Folder: %1</source>
            <translation>Dossier : %1</translation>
        </message>
        <message>
            <source>Browse…</source>
            <translation>Parcourir…</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>Enregistrer</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Fermer</translation>
        </message>
        <message>
            <source>Reading the file's subtitle streams…</source>
            <translation>Lecture des flux de sous-titres du fichier…</translation>
        </message>
        <message>
            <source>The file cannot be read: %1</source>
            <translation>Le fichier ne peut pas être lu : %1</translation>
        </message>
        <message>
            <source>This file holds no subtitle streams.</source>
            <translation>Ce fichier ne contient aucun flux de sous-titres.</translation>
        </message>
        <message>
            <source>Saved 1 file.</source>
            <translation>1 fichier enregistré.</translation>
        </message>
        <message>
            <source>Saved %1 files.</source>
            <translation>%1 fichiers enregistrés.</translation>
        </message>
        <message>
            <source>Saved %1, %2 not saved.</source>
            <translation>%1 enregistrés, %2 non enregistrés.</translation>
        </message>
    </context>
    <context>
        <name>TracksDlg</name>
        <message>
            <source>Undetermined</source>
            <translation>Indéterminée</translation>
        </message>
        <message>
            <source>English</source>
            <translation>Anglais</translation>
        </message>
        <message>
            <source>German</source>
            <translation>Allemand</translation>
        </message>
        <message>
            <source>French</source>
            <translation>Français</translation>
        </message>
        <message>
            <source>Spanish</source>
            <translation>Espagnol</translation>
        </message>
        <message>
            <source>Italian</source>
            <translation>Italien</translation>
        </message>
        <message>
            <source>Portuguese</source>
            <translation>Portugais</translation>
        </message>
        <message>
            <source>Dutch</source>
            <translation>Néerlandais</translation>
        </message>
        <message>
            <source>Swedish</source>
            <translation>Suédois</translation>
        </message>
        <message>
            <source>Norwegian</source>
            <translation>Norvégien</translation>
        </message>
        <message>
            <source>Danish</source>
            <translation>Danois</translation>
        </message>
        <message>
            <source>Finnish</source>
            <translation>Finnois</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>Polonais</translation>
        </message>
        <message>
            <source>Czech</source>
            <translation>Tchèque</translation>
        </message>
        <message>
            <source>Hungarian</source>
            <translation>Hongrois</translation>
        </message>
        <message>
            <source>Russian</source>
            <translation>Russe</translation>
        </message>
        <message>
            <source>Ukrainian</source>
            <translation>Ukrainien</translation>
        </message>
        <message>
            <source>Greek</source>
            <translation>Grec</translation>
        </message>
        <message>
            <source>Turkish</source>
            <translation>Turc</translation>
        </message>
        <message>
            <source>Arabic</source>
            <translation>Arabe</translation>
        </message>
        <message>
            <source>Hebrew</source>
            <translation>Hébreu</translation>
        </message>
        <message>
            <source>Hindi</source>
            <translation>Hindi</translation>
        </message>
        <message>
            <source>Japanese</source>
            <translation>Japonais</translation>
        </message>
        <message>
            <source>Chinese</source>
            <translation>Chinois</translation>
        </message>
        <message>
            <source>Korean</source>
            <translation>Coréen</translation>
        </message>
        <message>
            <source>Picture</source>
            <translation>Image</translation>
        </message>
        <message>
            <source>Sound</source>
            <translation>Son</translation>
        </message>
        <message>
            <source>Subtitles</source>
            <translation>Sous-titres</translation>
        </message>
        <message>
            <source>%1 ch, %2 Hz</source>
            <translation>%1 canaux, %2 Hz</translation>
        </message>
        <message>
            <source>default</source>
            <translation>par défaut</translation>
        </message>
        <message>
            <source>forced</source>
            <translation>forcé</translation>
        </message>
        <message>
            <source>%1 ms</source>
            <translation>%1 ms</translation>
        </message>
        <message>
            <source>Comparing stream %1 with stream %2…</source>
            <translation>Comparaison du flux %1 avec le flux %2…</translation>
        </message>
        <message>
            <source>Stream %1 comes %2 s after stream %3 (confidence %4%): its shift is set to %5 ms.</source>
            <translation>Le flux %1 arrive %2 s après le flux %3 (confiance %4 %) : son décalage est réglé à %5 ms.</translation>
        </message>
        <message>
            <source>No offset found: %1</source>
            <translation>Aucun décalage trouvé : %1</translation>
        </message>
        <message>
            <source>The shift of stream %1 (%2 ms) is as long as the file or longer.</source>
            <translation>Le décalage du flux %1 (%2 ms) est aussi long que le fichier ou plus long.</translation>
        </message>
        <message>
            <source>Keep at least one stream.</source>
            <translation>Gardez au moins un flux.</translation>
        </message>
        <message>
            <source>Tracks</source>
            <translation>Pistes</translation>
        </message>
        <message>
            <source>Keep</source>
            <translation>Garder</translation>
        </message>
        <message>
            <source>Stream</source>
            <translation>Flux</translation>
        </message>
        <message>
            <source>Codec</source>
            <translation>Codec</translation>
        </message>
        <message>
            <source>Channels or size</source>
            <translation>Canaux ou taille</translation>
        </message>
        <message>
            <source>Language</source>
            <translation>Langue</translation>
        </message>
        <message>
            <source>Title</source>
            <translation>Titre</translation>
        </message>
        <message>
            <source>Flags</source>
            <translation>Marques</translation>
        </message>
        <message>
            <source>Shift</source>
            <translation>Décalage</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>Langue :</translation>
        </message>
        <message>
            <source>Title:</source>
            <translation>Titre :</translation>
        </message>
        <message>
            <source>Default track</source>
            <translation>Piste par défaut</translation>
        </message>
        <message>
            <source>Forced</source>
            <translation>Forcé</translation>
        </message>
        <message>
            <source>Shift (ms):</source>
            <translation>Décalage (ms) :</translation>
        </message>
        <message>
            <source>Move Up</source>
            <translation>Monter</translation>
        </message>
        <message>
            <source>Move Down</source>
            <translation>Descendre</translation>
        </message>
        <message>
            <source>Reset</source>
            <translation>Réinitialiser</translation>
        </message>
        <message>
            <source>Find Offset…</source>
            <translation>Trouver le décalage…</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Annuler</translation>
        </message>
        <message>
            <source>Reading the file's streams…</source>
            <translation>Lecture des flux du fichier…</translation>
        </message>
        <message>
            <source>The file cannot be read: %1</source>
            <translation>Le fichier ne peut pas être lu : %1</translation>
        </message>
        <message>
            <source>A shift moves a sound or subtitle track's timing without encoding: positive later, negative earlier. Sound moved before the start is cut off at a frame boundary; a track moved later begins after a gap, and no silence is added. Outputs hold the picture, then the sound, then the subtitles; an encoding keeps the picture and the sound tracks kept (only the first where its format holds one), without subtitles.</source>
            <translation>Un décalage déplace le minutage d'une piste son ou sous-titres sans encodage : positif plus tard, négatif plus tôt. Le son placé avant le début est coupé à une limite de trame ; une piste retardée commence après un vide, et aucun silence n'est ajouté. Les sorties contiennent l'image, puis le son, puis les sous-titres ; un encodage garde l'image et les pistes son gardées (seulement la première quand son format n'en contient qu'une), sans sous-titres.</translation>
        </message>
    </context>
</TS>
