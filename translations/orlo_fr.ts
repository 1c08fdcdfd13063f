<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AnalogPages</name>
    <message>
        <source>Capteur</source>
        <translation>Capteur</translation>
    </message>
    <message>
        <source>Etalonnage</source>
        <translation>Etalonnage</translation>
    </message>
    <message>
        <source>Unité :</source>
        <translation>Unité :</translation>
    </message>
    <message>
        <source>Valeur minimum</source>
        <translation>Valeur minimum</translation>
    </message>
    <message>
        <source>pour I = 4mA</source>
        <translation>pour I = 4mA</translation>
    </message>
    <message>
        <source>Valeur maximum</source>
        <translation>Valeur maximum</translation>
    </message>
    <message>
        <source>pour I = 20mA</source>
        <translation>pour I = 20mA</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>Résolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>Valeur mesurée</source>
        <translation>Valeur mesurée</translation>
    </message>
    <message>
        <source>Configuration Analogique</source>
        <translation>Configuration Analogique</translation>
    </message>
    <message>
        <source>Période échantillonnage : </source>
        <translation>Période échantillonnage : </translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 minutes</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 minutes</translation>
    </message>
    <message>
        <source>1 heure</source>
        <translation>1 heure</translation>
    </message>
    <message>
        <source>2 heures</source>
        <translation>2 heures</translation>
    </message>
    <message>
        <source>Seuils</source>
        <translation>Seuils</translation>
    </message>
    <message>
        <source>Seuil bas</source>
        <translation>Seuil bas</translation>
    </message>
    <message>
        <source>Seuil haut</source>
        <translation>Seuil haut</translation>
    </message>
    <message>
        <source>Trame de vie</source>
        <translation>Trame de vie</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <source>Tous les 5 jours</source>
        <translation>Tous les 5 jours</translation>
    </message>
    <message>
        <source>Type de relevé</source>
        <translation>Type de relevé</translation>
    </message>
    <message>
        <source>Dépassement de seuil</source>
        <translation>Dépassement de seuil</translation>
    </message>
    <message>
        <source>Périodique</source>
        <translation>Périodique</translation>
    </message>
    <message>
        <source>Envoi valeur</source>
        <translation>Envoi valeur</translation>
    </message>
    <message>
        <source>Envoi n°1</source>
        <translation>Envoi n°1</translation>
    </message>
    <message>
        <source>Envoi n°2</source>
        <translation>Envoi n°2</translation>
    </message>
    <message>
        <source>Envoi n°3</source>
        <translation>Envoi n°3</translation>
    </message>
    <message>
        <source>Période de relevé</source>
        <translation>Période de relevé</translation>
    </message>
    <message>
        <source>Configuration Digitale</source>
        <translation>Configuration Digitale</translation>
    </message>
    <message>
        <source>Entrée 1</source>
        <translation>Entrée 1</translation>
    </message>
    <message>
        <source>Front :</source>
        <translation>Front :</translation>
    </message>
    <message>
        <source>Entrée 2</source>
        <translation>Entrée 2</translation>
    </message>
    <message>
        <source>Configurer</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>Brisane
Digital and analog SF8</source>
        <translation>Brisane
Num. et analogique SF8</translation>
    </message>
    <message>
        <source>Sampling period</source>
        <translation>Période échant.</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Étalonnage</translation>
    </message>
    <message>
        <source>Unit :</source>
        <translation>Unité :</translation>
    </message>
    <message>
        <source>Minimum value</source>
        <translation>Valeur min.</translation>
    </message>
    <message>
        <source>Maximum value</source>
        <translation>Valeur max.</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Seuil</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Bas</translation>
    </message>
    <message>
        <source>High </source>
        <translation>Haut </translation>
    </message>
    <message>
        <source>Analog measurement</source>
        <translation>Mesure analogique</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Tension</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Courant</translation>
    </message>
    <message>
        <source>Over threshold</source>
        <translation>Sur seuil</translation>
    </message>
    <message>
        <source>Temperature sent</source>
        <translation>Envoi temp.</translation>
    </message>
    <message>
        <source>Sending n°1</source>
        <translation>Envoi n°1</translation>
    </message>
    <message>
        <source>Sending n°2</source>
        <translation>Envoi n°2</translation>
    </message>
    <message>
        <source>Sending n°3</source>
        <translation>Envoi n°3</translation>
    </message>
    <message>
        <source>Periodical</source>
        <translation>Périodique</translation>
    </message>
    <message>
        <source>Statement period</source>
        <translation>Période relevé</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>pour U = 0V</source>
        <translation>pour U = 0V</translation>
    </message>
    <message>
        <source>pour U = 10V</source>
        <translation>pour U = 10V</translation>
    </message>
</context>
<context>
    <name>BridgePage</name>
    <message>
        <source>Brisane
Radio 868/SF8 and Serial</source>
        <translation>Brisane
Radio 868/SF8 et série</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Maître</translation>
    </message>
    <message>
        <source>Serial parameters</source>
        <translation>Paramètres série</translation>
    </message>
    <message>
        <source>Statement period</source>
        <translation>Période relevé</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Timeout</translation>
    </message>
    <message>
        <source>Code function</source>
        <translation>Code fonction</translation>
    </message>
    <message>
        <source>Frames parameters</source>
        <translation>Paramètres trames</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Long. :</translation>
    </message>
    <message>
        <source>Frame1</source>
        <translation>Trame1</translation>
    </message>
    <message>
        <source>Frame2</source>
        <translation>Trame2</translation>
    </message>
    <message>
        <source>Frame3</source>
        <translation>Trame3</translation>
    </message>
    <message>
        <source>Frame4</source>
        <translation>Trame4</translation>
    </message>
    <message>
        <source>Frame5</source>
        <translation>Trame5</translation>
    </message>
    <message>
        <source>Frame6</source>
        <translation>Trame6</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Esclave</translation>
    </message>
    <message>
        <source>Bridge</source>
        <translation>Pont</translation>
    </message>
    <message>
        <source>Bridge mode</source>
        <translation>Mode pont</translation>
    </message>
    <message>
        <source>Short range radio</source>
        <translation>Radio locale</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Avancé</translation>
    </message>
    <message>
        <source>Energy saving mode</source>
        <translation>Économie d&apos;énergie</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Inactif</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Défaut</translation>
    </message>
    <message>
        <source>The master mode is not suported by your Orlo!</source>
        <translation>Le mode maître n&apos;est pas pris en charge par votre Orlo !</translation>
    </message>
</context>
<context>
    <name>ConfigurationFiles</name>
    <message>
        <source>Configurations (*.json);;All files (*)</source>
        <translation>Configurations (*.json);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Own address of the series&apos; first module:</source>
        <translation>Adresse propre du premier module de la série :</translation>
    </message>
    <message>
        <source>Nothing was saved: the page sends no configuration yet (its module was not read, or a field is refused).</source>
        <translation>Rien n&apos;a été enregistré : la page n&apos;envoie pas encore de configuration (son module n&apos;a pas été lu, ou un champ est refusé).</translation>
    </message>
    <message>
        <source>The configuration could not be saved in %1: %2.</source>
        <translation>La configuration n&apos;a pas pu être enregistrée dans %1 : %2.</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 enregistré</translation>
    </message>
    <message>
        <source>the file is larger than 1 MiB</source>
        <translation>le fichier dépasse 1 Mio</translation>
    </message>
    <message>
        <source>The configuration in %1 cannot be opened: %2.</source>
        <translation>La configuration de %1 ne peut pas être ouverte : %2.</translation>
    </message>
    <message>
        <source>The series of %1 stops: %2, so no address is left for this module. The page shows the module&apos;s own configuration.</source>
        <translation>La série de %1 s&apos;arrête : %2, il ne reste donc aucune adresse pour ce module. La page montre la configuration propre du module.</translation>
    </message>
    <message>
        <source>The configuration in %1 cannot be applied to this module: %2. The page shows the module&apos;s own configuration.</source>
        <translation>La configuration de %1 ne peut pas être appliquée à ce module : %2. La page montre la configuration propre du module.</translation>
    </message>
    <message>
        <source> Fill the page with it all the same?</source>
        <translation> Remplir quand même la page avec elle ?</translation>
    </message>
    <message>
        <source>The journal holds %1 row(s) that the history %2 could not keep. Save the journal before quitting?</source>
        <translation>Le journal contient %1 ligne(s) que l&apos;historique %2 n&apos;a pas pu garder. Enregistrer le journal avant de quitter ?</translation>
    </message>
    <message>
        <source>History not written</source>
        <translation>Historique non écrit</translation>
    </message>
    <message>
        <source>Rows kept in memory: %1.</source>
        <translation>Lignes gardées en mémoire : %1.</translation>
    </message>
    <message>
        <source>Benches sharing a history server number a series of this name together</source>
        <translation>Les bancs qui partagent un serveur d&apos;historique numérotent ensemble une série de ce nom</translation>
    </message>
    <message>
        <source>Series name:</source>
        <translation>Nom de la série :</translation>
    </message>
    <message>
        <source>A numbered series takes its own addresses from the history server, which cannot be reached: %1. No address is guessed: the series keeps each module&apos;s own until the server answers.</source>
        <translation>Une série numérotée prend ses adresses propres au serveur d&apos;historique, qui ne peut pas être joint : %1. Aucune adresse n&apos;est devinée : la série garde celle de chaque module jusqu&apos;à ce que le serveur réponde.</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) waiting for the history server</source>
        <translation>
            <numerusform>%n ligne en attente du serveur d&apos;historique</numerusform>
            <numerusform>%n lignes en attente du serveur d&apos;historique</numerusform>
        </translation>
    </message>
    <message>
        <source>The series of %1 stops: %2. The page shows the module&apos;s own configuration.</source>
        <translation>La série de %1 s&apos;arrête : %2. La page montre la configuration propre du module.</translation>
    </message>
</context>
<context>
    <name>DigitalInputPages</name>
    <message>
        <source>Trame de vie</source>
        <translation>Trame de vie</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <source>Tous les 5 jours</source>
        <translation>Tous les 5 jours</translation>
    </message>
    <message>
        <source>Période de relevé compteur(s)</source>
        <translation>Période de relevé compteur(s)</translation>
    </message>
    <message>
        <source>Détection rupture câble</source>
        <translation>Détection rupture câble</translation>
    </message>
    <message>
        <source>Entrée 1</source>
        <translation>Entrée 1</translation>
    </message>
    <message>
        <source>Entrée numérique</source>
        <translation>Entrée numérique</translation>
    </message>
    <message>
        <source>Compteur</source>
        <translation>Compteur</translation>
    </message>
    <message>
        <source>Entrée 2</source>
        <translation>Entrée 2</translation>
    </message>
    <message>
        <source>Configurer</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>RAZ</source>
        <translation>RAZ</translation>
    </message>
    <message>
        <source>Brisane
Digital Input 2</source>
        <translation>Brisane
Entrée numérique 2</translation>
    </message>
    <message>
        <source>Keep alive</source>
        <translation>Trame de vie</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Par semaine</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Par jour</translation>
    </message>
    <message>
        <source>Periodical meter reading</source>
        <translation>Relevé périodique</translation>
    </message>
    <message>
        <source>Cable break detection</source>
        <translation>Détect. rupture câble</translation>
    </message>
    <message>
        <source>Input 1</source>
        <translation>Entrée 1</translation>
    </message>
    <message>
        <source>Digital input</source>
        <translation>Entrée numérique</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Compteur</translation>
    </message>
    <message>
        <source>Last stored value</source>
        <translation>Dernière valeur</translation>
    </message>
    <message>
        <source>Input 2</source>
        <translation>Entrée 2</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Brisane
Digital Input 4</source>
        <translation>Brisane
Entrée numérique 4</translation>
    </message>
    <message>
        <source>With local radio transmission</source>
        <translation>Avec émission radio locale</translation>
    </message>
    <message>
        <source>Counter 1</source>
        <translation>Compteur 1</translation>
    </message>
    <message>
        <source>Counter 2</source>
        <translation>Compteur 2</translation>
    </message>
    <message>
        <source>Digital input 3</source>
        <translation>Entrée numérique 3</translation>
    </message>
    <message>
        <source>Digital input 4</source>
        <translation>Entrée numérique 4</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Configurateur Orlo</source>
        <translation>Configurateur Orlo</translation>
    </message>
    <message>
        <source>Connect Orlo device</source>
        <translation>Connecter un Orlo</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Update...</source>
        <translation>Mise à jour...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Open configuration…</source>
        <translation>Ouvrir config…</translation>
    </message>
    <message>
        <source>Save configuration…</source>
        <translation>Enregistrer config…</translation>
    </message>
    <message>
        <source>Apply to every module</source>
        <translation>Appliquer à tous les modules</translation>
    </message>
    <message>
        <source>Number own addresses…</source>
        <translation>Numéroter adr. propres…</translation>
    </message>
    <message>
        <source>Verify after write</source>
        <translation>Relire après config.</translation>
    </message>
    <message>
        <source>Journal…</source>
        <translation>Journal…</translation>
    </message>
    <message>
        <source>Export journal…</source>
        <translation>Exporter journal…</translation>
    </message>
    <message>
        <source>Download new version</source>
        <translation>Télécharger nouvelle version</translation>
    </message>
    <message>
        <source>Module found, no access: install the udev rule (README), replug it.</source>
        <translation>Module trouvé, pas d&apos;accès : installez la règle udev (README), rebranchez-le.</translation>
    </message>
    <message>
        <source>The module&apos;s configuration could not be read: reading it again...</source>
        <translation>La configuration du module n&apos;a pas pu être lue : nouvelle lecture...</translation>
    </message>
</context>
<context>
    <name>MirrorPages</name>
    <message>
        <source>Brisane
Digital Input 868</source>
        <translation>Brisane
Entrée numérique 868</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Esclave</translation>
    </message>
    <message>
        <source>Addresses</source>
        <translation>Adresses</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Maître</translation>
    </message>
    <message>
        <source>Periodical meter reading</source>
        <translation>Relevé périodique</translation>
    </message>
    <message>
        <source>Input 1</source>
        <translation>Entrée 1</translation>
    </message>
    <message>
        <source>Digital input</source>
        <translation>Entrée TOR</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Compteur</translation>
    </message>
    <message>
        <source>Last stored value</source>
        <translation>Dernière valeur</translation>
    </message>
    <message>
        <source>Input 2</source>
        <translation>Entrée 2</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Défaut</translation>
    </message>
    <message>
        <source>Brisane
Digital input and output</source>
        <translation>Brisane
Entrée/sortie numérique</translation>
    </message>
    <message>
        <source>TimeOut</source>
        <translation>Timeout</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>sec</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Miroir</translation>
    </message>
    <message>
        <source>Operating mode</source>
        <translation>Fonctionnement</translation>
    </message>
    <message>
        <source>Slave mirror</source>
        <translation>Miroir esclave</translation>
    </message>
    <message>
        <source>Master mirror</source>
        <translation>Miroir maître</translation>
    </message>
    <message>
        <source>Brisane
Digital input and output LoRa</source>
        <translation>Brisane
Entrée/sortie numérique LoRa</translation>
    </message>
</context>
<context>
    <name>TemperaturePages</name>
    <message>
        <source>Période de mesure :</source>
        <translation>Période de mesure :</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 minutes</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 minutes</translation>
    </message>
    <message>
        <source>1 heure</source>
        <translation>1 heure</translation>
    </message>
    <message>
        <source>2 heures</source>
        <translation>2 heures</translation>
    </message>
    <message>
        <source>Seuils</source>
        <translation>Seuils</translation>
    </message>
    <message>
        <source>Seuil bas :</source>
        <translation>Seuil bas :</translation>
    </message>
    <message>
        <source>Seuil haut :</source>
        <translation>Seuil haut :</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>Trame de vie</source>
        <translation>Trame de vie</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <source>Tous les 5 jours</source>
        <translation>Tous les 5 jours</translation>
    </message>
    <message>
        <source>Type de relevé</source>
        <translation>Type de relevé</translation>
    </message>
    <message>
        <source>Dépassement de seuil</source>
        <translation>Dépassement de seuil</translation>
    </message>
    <message>
        <source>Périodique</source>
        <translation>Périodique</translation>
    </message>
    <message>
        <source>Envoi n°1</source>
        <translation>Envoi n°1</translation>
    </message>
    <message>
        <source>Envoi n°2</source>
        <translation>Envoi n°2</translation>
    </message>
    <message>
        <source>Envoi n°3</source>
        <translation>Envoi n°3</translation>
    </message>
    <message>
        <source>Relevé toutes les :</source>
        <translation>Relevé toutes les :</translation>
    </message>
    <message>
        <source>Configurer</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>Sampling period :</source>
        <translation>Période échant. :</translation>
    </message>
    <message>
        <source>Thresholds</source>
        <translation>Seuils</translation>
    </message>
    <message>
        <source>Low threshold :</source>
        <translation>Seuil bas :</translation>
    </message>
    <message>
        <source>High threshold :</source>
        <translation>Seuil haut :</translation>
    </message>
    <message>
        <source>Life frame</source>
        <translation>Trame de vie</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Par semaine</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Par jour</translation>
    </message>
    <message>
        <source>Statement type</source>
        <translation>Type de relevé</translation>
    </message>
    <message>
        <source>Over threshold</source>
        <translation>Sur seuil</translation>
    </message>
    <message>
        <source>Sending n°1</source>
        <translation>Envoi n°1</translation>
    </message>
    <message>
        <source>Sending n°2</source>
        <translation>Envoi n°2</translation>
    </message>
    <message>
        <source>Sending n°3</source>
        <translation>Envoi n°3</translation>
    </message>
    <message>
        <source>Periodical</source>
        <translation>Périodique</translation>
    </message>
    <message>
        <source>Statement every :</source>
        <translation>Période relevé :</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>Brisane
1 Digital Temperature</source>
        <translation>Brisane
Température 1 sonde</translation>
    </message>
    <message>
        <source>Thresholds, probe 1</source>
        <translation>Seuils, sonde 1</translation>
    </message>
    <message>
        <source>Thresholds, probe 2</source>
        <translation>Seuils, sonde 2</translation>
    </message>
    <message>
        <source>Sonde 1 :</source>
        <translation>Sonde 1 :</translation>
    </message>
    <message>
        <source>Sonde 2 :</source>
        <translation>Sonde 2 :</translation>
    </message>
    <message>
        <source>Brisane
Temperature and Humidity SF8</source>
        <translation>Brisane
Température et humidité SF8</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Esclave</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Maître</translation>
    </message>
    <message>
        <source>Statement period</source>
        <translation>Période relevé</translation>
    </message>
    <message>
        <source>Addresses</source>
        <translation>Adresses</translation>
    </message>
    <message>
        <source>Modem address :</source>
        <translation>Adresse modem :</translation>
    </message>
    <message>
        <source>Remote address :</source>
        <translation>Adr. distante :</translation>
    </message>
    <message>
        <source>Brisane
Temperature SF8</source>
        <translation>Brisane
Température SF8</translation>
    </message>
    <message>
        <source>Brisane
2 Digital Temperature</source>
        <translation>Brisane
Température 2 sondes</translation>
    </message>
</context>
<context>
    <name>Wdlora</name>
    <message>
        <source>Baudrate (bps) :</source>
        <translation>Vitesse (bps) :</translation>
    </message>
    <message>
        <source>Channel :</source>
        <translation>Canal :</translation>
    </message>
    <message>
        <source>Max power :</source>
        <translation>Puiss. max :</translation>
    </message>
</context>
<context>
    <name>Wdradio</name>
    <message>
        <source>Baudrate (bps) :</source>
        <translation>Vitesse (bps) :</translation>
    </message>
    <message>
        <source>Channel :</source>
        <translation>Canal :</translation>
    </message>
    <message>
        <source>Max power :</source>
        <translation>Puiss. max :</translation>
    </message>
    <message>
        <source>Compatibility with Kelo modem</source>
        <translation>Compatibilité modem Kelo</translation>
    </message>
</context>
<context>
    <name>WmOrloRpt</name>
    <message>
        <source>Brisane 
Gateway 868 to SF8</source>
        <translation>Brisane 
Passerelle 868 vers SF8</translation>
    </message>
    <message>
        <source>ORLO 868 parameters</source>
        <translation>Paramètres ORLO 868</translation>
    </message>
    <message>
        <source>ORLO SF8 parameters</source>
        <translation>Paramètres ORLO SF8</translation>
    </message>
    <message>
        <source>Max Sigfox frame:</source>
        <translation>Trames max :</translation>
    </message>
    <message>
        <source>/Day</source>
        <translation>/jour</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Défaut</translation>
    </message>
    <message>
        <source>Several ORLO has the same LSB!</source>
        <translation>Plusieurs ORLO ont le même LSB !</translation>
    </message>
</context>
<context>
    <name>WmOrloRsLw</name>
    <message>
        <source>Brisane
LoRaWan and Serial</source>
        <translation>Brisane
LoRaWan et série</translation>
    </message>
    <message>
        <source>Serial parameters</source>
        <translation>Paramètres série</translation>
    </message>
    <message>
        <source>Baudrate:</source>
        <translation>Vitesse :</translation>
    </message>
    <message>
        <source>LoRa parameters</source>
        <translation>Paramètres LoRa</translation>
    </message>
    <message>
        <source>Enable OTAA</source>
        <translation>Activer OTAA</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Maître</translation>
    </message>
    <message>
        <source>Statement period</source>
        <translation>Période relevé</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Timeout</source>
        <translation>Timeout</translation>
    </message>
    <message>
        <source>Code function</source>
        <translation>Code fonction</translation>
    </message>
    <message>
        <source>Frame1</source>
        <translation>Trame1</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Long. :</translation>
    </message>
    <message>
        <source>Frame2</source>
        <translation>Trame2</translation>
    </message>
    <message>
        <source>Frame3</source>
        <translation>Trame3</translation>
    </message>
    <message>
        <source>Frame4</source>
        <translation>Trame4</translation>
    </message>
    <message>
        <source>Frame5</source>
        <translation>Trame5</translation>
    </message>
    <message>
        <source>Frame6</source>
        <translation>Trame6</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Esclave</translation>
    </message>
    <message>
        <source>Bridge</source>
        <translation>Pont</translation>
    </message>
    <message>
        <source>Ready to use!</source>
        <translation>Prêt !</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Configurer</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Défaut</translation>
    </message>
</context>
<context>
    <name>about</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:12pt; font-weight:600;&quot;&gt;.: Orlo modem configurator :.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:12pt; font-weight:600;&quot;&gt;.: Configurateur Orlo :.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>&lt;p&gt;Version 3.7.7&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;mailto:%1?subject=Help on Orlo product&quot;&gt;Technical support&lt;/a&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%2&quot;&gt;Orlo Plateform&lt;/a&gt;&lt;/p&gt;&lt;p&gt;Thank you for working with &lt;a href=&quot;%3&quot;&gt;Velka&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Version 3.7.7&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;mailto:%1?subject=Aide sur un produit Orlo&quot;&gt;Support technique&lt;/a&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%2&quot;&gt;Plateforme Orlo&lt;/a&gt;&lt;/p&gt;&lt;p&gt;Merci de travailler avec &lt;a href=&quot;%3&quot;&gt;Velka&lt;/a&gt;.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>orlo::JournalDialog</name>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>JSON lines (*.jsonl)</source>
        <translation>Lignes JSON (*.jsonl)</translation>
    </message>
    <message>
        <source>Export the journal</source>
        <translation>Exporter le journal</translation>
    </message>
    <message>
        <source>No row shown</source>
        <translation>Aucune ligne affichée</translation>
    </message>
    <message>
        <source>1 row shown</source>
        <translation>1 ligne affichée</translation>
    </message>
    <message>
        <source>%1 rows shown</source>
        <translation>%1 lignes affichées</translation>
    </message>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 existe déjà. Le remplacer ?</translation>
    </message>
    <message>
        <source>The journal could not be saved in %1: %2.</source>
        <translation>Le journal n&apos;a pas pu être enregistré dans %1 : %2.</translation>
    </message>
    <message>
        <source>Journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Du</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Au</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
    <message>
        <source>Product</source>
        <translation>Produit</translation>
    </message>
    <message>
        <source>Any</source>
        <translation>Toutes</translation>
    </message>
    <message>
        <source>Own address</source>
        <translation>Adresse propre</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>All benches</source>
        <translation>Tous les bancs</translation>
    </message>
    <message>
        <source>Bench</source>
        <translation>Banc</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exporter…</translation>
    </message>
    <message>
        <source>. %1 kept in memory only: %2.</source>
        <translation>. %1 en mémoire seulement : %2.</translation>
    </message>
    <message>
        <source>1 row is</source>
        <translation>1 ligne est</translation>
    </message>
    <message>
        <source>%1 rows are</source>
        <translation>%1 lignes sont</translation>
    </message>
</context>
<context>
    <name>orlo::Series</name>
    <message>
        <source>Series: %1, %2 written</source>
        <translation>Série : %1, %2 écrit(s)</translation>
    </message>
    <message>
        <source>, next address %1</source>
        <translation>, adresse suivante %1</translation>
    </message>
    <message>
        <source>From %1, not written yet: press Write</source>
        <translation>De %1, pas encore écrit : appuyez sur Configurer</translation>
    </message>
    <message>
        <source>The configuration in %1 was saved from a module with a %2 input; the plugged module has a %3 input. They are different sensors.</source>
        <translation>La configuration de %1 a été enregistrée depuis un module à entrée %2 ; le module branché a une entrée %3. Ce sont des capteurs différents.</translation>
    </message>
    <message>
        <source>, series %1 numbered by the history server</source>
        <translation>, série %1 numérotée par le serveur d&apos;historique</translation>
    </message>
    <message>
        <source>, last address %1</source>
        <translation>, dernière adresse %1</translation>
    </message>
</context>
<context>
    <name>orlo::checks</name>
    <message>
        <source>	Champ heure de relevé non configuré.
</source>
        <translation>	Champ heure de relevé non configuré.
</translation>
    </message>
    <message>
        <source>	Champ minutes de relevé non configuré.
</source>
        <translation>	Champ minutes de relevé non configuré.
</translation>
    </message>
    <message>
        <source>	Champ heure     de l&apos;heure n°1 non configuré.
</source>
        <translation>	Champ heure     de l&apos;heure n°1 non configuré.
</translation>
    </message>
    <message>
        <source>	Champ minutes de l&apos;heure n°1 non configuré.
</source>
        <translation>	Champ minutes de l&apos;heure n°1 non configuré.
</translation>
    </message>
    <message>
        <source>	Champ heure     de l&apos;heure n°2 non configuré.
</source>
        <translation>	Champ heure     de l&apos;heure n°2 non configuré.
</translation>
    </message>
    <message>
        <source>	Champ minutes de l&apos;heure n°2 non configuré.
</source>
        <translation>	Champ minutes de l&apos;heure n°2 non configuré.
</translation>
    </message>
    <message>
        <source>	Champ heure     de l&apos;heure n°3 non configuré.
</source>
        <translation>	Champ heure     de l&apos;heure n°3 non configuré.
</translation>
    </message>
    <message>
        <source>	Champ minutes de l&apos;heure n°3 non configuré.
</source>
        <translation>	Champ minutes de l&apos;heure n°3 non configuré.
</translation>
    </message>
    <message>
        <source>	Hour field     n°1 non configuré.
</source>
        <translation>	Champ heure     de l&apos;heure n°1 non configuré.
</translation>
    </message>
    <message>
        <source>	Hour field     n°2 non configured.
</source>
        <translation>	Champ heure     de l&apos;heure n°2 non configuré.
</translation>
    </message>
    <message>
        <source>	Hour field     de l&apos;heure n°3 non configuré.
</source>
        <translation>	Champ heure     de l&apos;heure n°3 non configuré.
</translation>
    </message>
    <message>
        <source>	Champ heure de relevé compteur non configuré.
</source>
        <translation>	Champ heure de relevé compteur non configuré.
</translation>
    </message>
    <message>
        <source>	Champ minutes de relevé compteur non configuré.
</source>
        <translation>	Champ minutes de relevé compteur non configuré.
</translation>
    </message>
    <message>
        <source>	Meter reading hour time is not set.
</source>
        <translation>	Heure de relevé compteur non réglée.
</translation>
    </message>
    <message>
        <source>	Meter reading minute time is not set.
</source>
        <translation>	Minutes de relevé compteur non réglées.
</translation>
    </message>
    <message>
        <source>	1200,38400,57600,115200 is not available
</source>
        <translation>	1200,38400,57600,115200 ne sont pas disponibles
</translation>
    </message>
    <message>
        <source>	Datarate 183bps and 335bps are not available
</source>
        <translation>	Les débits 183bps et 335bps ne sont pas disponibles
</translation>
    </message>
    <message>
        <source>	Plage d&apos;étalonnage nulle : la valeur maximum doit différer de la valeur minimum.
</source>
        <translation>	Plage d&apos;étalonnage nulle : la valeur maximum doit différer de la valeur minimum.
</translation>
    </message>
    <message>
        <source>- The module stores a role no tab shows: choose Master, Slave or Bridge.
</source>
        <translation>- Le module contient un rôle qu&apos;aucun onglet ne montre : choisissez Maître, Esclave ou Pont.
</translation>
    </message>
    <message>
        <source>	Channel %1 is not in the channel plan of this data rate
</source>
        <translation>	Le canal %1 n&apos;est pas dans le plan de canaux de ce débit
</translation>
    </message>
</context>
<context>
    <name>orlo::limits</name>
    <message>
        <source>15 minutes</source>
        <translation>15 minutes</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 minutes</translation>
    </message>
    <message>
        <source>1 heure</source>
        <translation>1 heure</translation>
    </message>
    <message>
        <source>2 heures</source>
        <translation>2 heures</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <source>Tous les 5 jours</source>
        <translation>Tous les 5 jours</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Par semaine</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Par jour</translation>
    </message>
    <message>
        <source>Slave mirror</source>
        <translation>Miroir esclave</translation>
    </message>
    <message>
        <source>Master mirror</source>
        <translation>Miroir maître</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Tension</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Courant</translation>
    </message>
    <message>
        <source>Join mode : OTAA</source>
        <translation>Mode d&apos;accès : OTAA</translation>
    </message>
    <message>
        <source>Join mode : ABP</source>
        <translation>Mode d&apos;accès : ABP</translation>
    </message>
</context>
<context>
    <name>orlo::modbus</name>
    <message>
        <source>7 bits</source>
        <translation>7 bits</translation>
    </message>
    <message>
        <source>8 bits</source>
        <translation>8 bits</translation>
    </message>
    <message>
        <source>Odd parity</source>
        <translation>Parité impaire</translation>
    </message>
    <message>
        <source>Even parity</source>
        <translation>Parité paire</translation>
    </message>
    <message>
        <source>No parity</source>
        <translation>Sans parité</translation>
    </message>
    <message>
        <source>1 stop bit</source>
        <translation>1 bit de stop</translation>
    </message>
    <message>
        <source>2 stop bits</source>
        <translation>2 bits de stop</translation>
    </message>
    <message>
        <source>Read Holding Registers (0x03)</source>
        <translation>Read Holding Registers (0x03)</translation>
    </message>
    <message>
        <source>Read Inputs Registers (0x04)</source>
        <translation>Read Inputs Registers (0x04)</translation>
    </message>
</context>
<context>
    <name>orlo::records</name>
    <message>
        <source>the file is larger than 1 MiB</source>
        <translation>le fichier dépasse 1 Mio</translation>
    </message>
    <message>
        <source>it is not JSON (%1 at byte %2)</source>
        <translation>ce n&apos;est pas du JSON (%1 à l&apos;octet %2)</translation>
    </message>
    <message>
        <source>it is not a module configuration (its &quot;format&quot; is not &quot;%1&quot;)</source>
        <translation>ce n&apos;est pas une configuration de module (son « format » n&apos;est pas « %1 »)</translation>
    </message>
    <message>
        <source>its format version is not %1, the one this program reads</source>
        <translation>sa version de format n&apos;est pas %1, celle que ce programme lit</translation>
    </message>
    <message>
        <source>its &quot;product id&quot; is no module of the family</source>
        <translation>son « product id » n&apos;est aucun module de la famille</translation>
    </message>
    <message>
        <source>it is for a %1 module (%2), the plugged module is a %3 (%4). A file opens on a module of the same type only (%5)</source>
        <translation>il est pour un module %1 (%2), le module branché est un %3 (%4). Un fichier ne s&apos;ouvre que sur un module du même type (%5)</translation>
    </message>
</context>
<context>
    <name>orlo::result</name>
    <message>
        <source>Configuration...</source>
        <translation>Configuration...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Echec</source>
        <translation>Echec</translation>
    </message>
    <message>
        <source>Invalide</source>
        <translation>Invalide</translation>
    </message>
    <message>
        <source>OK, verified</source>
        <translation>OK, vérifié</translation>
    </message>
</context>
<context>
    <name>orlo::rs</name>
    <message>
        <source>	The ORLO SF8 parameters need a Sigfox identifier; the gateway has none
</source>
        <translation>	Les paramètres ORLO SF8 nécessitent un identifiant Sigfox ; la passerelle n&apos;en a aucun
</translation>
    </message>
    <message>
        <source>version %1</source>
        <translation>la version %1</translation>
    </message>
    <message>
        <source>a version not yet known</source>
        <translation>une version encore inconnue</translation>
    </message>
    <message>
        <source>	%1 needs firmware %2 or later; the module has %3
</source>
        <translation>	%1 nécessite le firmware %2 ou plus récent ; le module a %3
</translation>
    </message>
    <message>
        <source>The Master role</source>
        <translation>Le rôle Maître</translation>
    </message>
    <message>
        <source>A function code other than the first</source>
        <translation>Un code fonction autre que le premier</translation>
    </message>
    <message>
        <source>A serial format other than 8 bits, no parity, 1 stop bit</source>
        <translation>Un format série autre que 8 bits, sans parité, 1 bit de stop</translation>
    </message>
    <message>
        <source>The energy saving mode</source>
        <translation>Le mode économie d&apos;énergie</translation>
    </message>
    <message>
        <source>	The Sigfox bridge mode needs a Sigfox identifier; the module has %1
</source>
        <translation>	Le mode pont Sigfox nécessite un identifiant Sigfox ; identifiant du module : %1
</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>not told its own yet</source>
        <translation>pas encore communiqué</translation>
    </message>
</context>
<context>
    <name>orlo::warning</name>
    <message>
        <source>CONFIGURATION INVALIDE.

Au moins un champ horaire d&apos;un des 3 envois de température possible n&apos;est pas configuré :

</source>
        <translation>CONFIGURATION INVALIDE.

Au moins un champ horaire d&apos;un des 3 envois de température possible n&apos;est pas configuré :

</translation>
    </message>
    <message>
        <source>INVALID CONFIGURATION.

At least one time field of a temperature sending is not configured :

</source>
        <translation>CONFIGURATION INVALIDE.

Au moins un champ horaire d&apos;un envoi de température n&apos;est pas configuré :

</translation>
    </message>
    <message>
        <source>INVALID CONFIGURATION.

At least one time field of a sending is not configured.

</source>
        <translation>CONFIGURATION INVALIDE.

Au moins un champ horaire d&apos;un envoi n&apos;est pas configuré.

</translation>
    </message>
    <message>
        <source>
To continue, click &quot;OK&quot;, enter a valid configuration
and click again on &quot;Configurer&quot;
</source>
        <translation>
Pour continuer, cliquez sur &quot;OK&quot;, entrez une configuration valide
et cliquez à nouveau sur &quot;Configurer&quot;
</translation>
    </message>
    <message>
        <source>INVALID CONFIGURATION.

Warning

</source>
        <translation>CONFIGURATION INVALIDE.

Attention

</translation>
    </message>
    <message>
        <source>
Click the tab of the role to write, then &quot;Configurer&quot; again.
</source>
        <translation>
Cliquez sur l&apos;onglet du rôle à écrire, puis à nouveau sur &quot;Configurer&quot;.
</translation>
    </message>
    <message>
        <source>Configuration invalide</source>
        <translation>Configuration invalide</translation>
    </message>
    <message>
        <source>Invalid configuration</source>
        <translation>Configuration invalide</translation>
    </message>
    <message>
        <source>CONFIGURATION INVALIDE.

</source>
        <translation>CONFIGURATION INVALIDE.

</translation>
    </message>
    <message>
        <source>INVALID CONFIGURATION.

</source>
        <translation>CONFIGURATION INVALIDE.

</translation>
    </message>
    <message>
        <source>
Pour continuer, cliquez sur &quot;OK&quot;, entrez une configuration valide
et cliquez à nouveau sur &quot;Configurer&quot;
</source>
        <translation>
Pour continuer, cliquez sur &quot;OK&quot;, entrez une configuration valide
et cliquez à nouveau sur &quot;Configurer&quot;
</translation>
    </message>
    <message>
        <source>
To continue, click &quot;OK&quot;, enter a valid configuration
and click again on &quot;Write&quot;
</source>
        <translation>
Pour continuer, cliquez sur &quot;OK&quot;, entrez une configuration valide
et cliquez à nouveau sur &quot;Configurer&quot;
</translation>
    </message>
</context>
</TS>
