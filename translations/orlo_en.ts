<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>AnalogPages</name>
    <message>
        <source>Capteur</source>
        <translation>Sensor</translation>
    </message>
    <message>
        <source>Etalonnage</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Unité :</source>
        <translation>Unit :</translation>
    </message>
    <message>
        <source>Valeur minimum</source>
        <translation>Minimum value</translation>
    </message>
    <message>
        <source>pour I = 4mA</source>
        <translation>for I = 4mA</translation>
    </message>
    <message>
        <source>Valeur maximum</source>
        <translation>Maximum value</translation>
    </message>
    <message>
        <source>pour I = 20mA</source>
        <translation>for I = 20mA</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>Résolution</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>Valeur mesurée</source>
        <translation>Measured value</translation>
    </message>
    <message>
        <source>Configuration Analogique</source>
        <translation>Analog configuration</translation>
    </message>
    <message>
        <source>Période échantillonnage : </source>
        <translation>Sampling period : </translation>
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
        <translation>1 hour</translation>
    </message>
    <message>
        <source>2 heures</source>
        <translation>2 hours</translation>
    </message>
    <message>
        <source>Seuils</source>
        <translation>Thresholds</translation>
    </message>
    <message>
        <source>Seuil bas</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>Seuil haut</source>
        <translation>High</translation>
    </message>
    <message>
        <source>Trame de vie</source>
        <translation>Keep alive</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>Tous les 5 jours</source>
        <translation>Every 5 days</translation>
    </message>
    <message>
        <source>Type de relevé</source>
        <translation>Statement type</translation>
    </message>
    <message>
        <source>Dépassement de seuil</source>
        <translation>Over threshold</translation>
    </message>
    <message>
        <source>Périodique</source>
        <translation>Periodical</translation>
    </message>
    <message>
        <source>Envoi valeur</source>
        <translation>Value sent</translation>
    </message>
    <message>
        <source>Envoi n°1</source>
        <translation>Send n°1</translation>
    </message>
    <message>
        <source>Envoi n°2</source>
        <translation>Send n°2</translation>
    </message>
    <message>
        <source>Envoi n°3</source>
        <translation>Send n°3</translation>
    </message>
    <message>
        <source>Période de relevé</source>
        <translation>Statement period</translation>
    </message>
    <message>
        <source>Configuration Digitale</source>
        <translation>Digital configuration</translation>
    </message>
    <message>
        <source>Entrée 1</source>
        <translation>Input 1</translation>
    </message>
    <message>
        <source>Front :</source>
        <translation>Edge :</translation>
    </message>
    <message>
        <source>Entrée 2</source>
        <translation>Input 2</translation>
    </message>
    <message>
        <source>Configurer</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Brisane
Digital and analog SF8</source>
        <translation>Brisane
Digital and analog SF8</translation>
    </message>
    <message>
        <source>Sampling period</source>
        <translation>Sampling period</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Unit :</source>
        <translation>Unit :</translation>
    </message>
    <message>
        <source>Minimum value</source>
        <translation>Minimum value</translation>
    </message>
    <message>
        <source>Maximum value</source>
        <translation>Maximum value</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>High </source>
        <translation>High </translation>
    </message>
    <message>
        <source>Analog measurement</source>
        <translation>Analog measurement</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Over threshold</source>
        <translation>Over threshold</translation>
    </message>
    <message>
        <source>Temperature sent</source>
        <translation>Temperature sent</translation>
    </message>
    <message>
        <source>Sending n°1</source>
        <translation>Send n°1</translation>
    </message>
    <message>
        <source>Sending n°2</source>
        <translation>Send n°2</translation>
    </message>
    <message>
        <source>Sending n°3</source>
        <translation>Send n°3</translation>
    </message>
    <message>
        <source>Periodical</source>
        <translation>Periodical</translation>
    </message>
    <message>
        <source>Statement period</source>
        <translation>Statement period</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>pour U = 0V</source>
        <translation>for U = 0V</translation>
    </message>
    <message>
        <source>pour U = 10V</source>
        <translation>for U = 10V</translation>
    </message>
</context>
<context>
    <name>BridgePage</name>
    <message>
        <source>Brisane
Radio 868/SF8 and Serial</source>
        <translation>Brisane
Radio 868/SF8 and Serial</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Serial parameters</source>
        <translation>Serial parameters</translation>
    </message>
    <message>
        <source>Statement period</source>
        <translation>Statement period</translation>
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
        <translation>Code function</translation>
    </message>
    <message>
        <source>Frames parameters</source>
        <translation>Frames parameters</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>Frame1</source>
        <translation>Frame1</translation>
    </message>
    <message>
        <source>Frame2</source>
        <translation>Frame2</translation>
    </message>
    <message>
        <source>Frame3</source>
        <translation>Frame3</translation>
    </message>
    <message>
        <source>Frame4</source>
        <translation>Frame4</translation>
    </message>
    <message>
        <source>Frame5</source>
        <translation>Frame5</translation>
    </message>
    <message>
        <source>Frame6</source>
        <translation>Frame6</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>Bridge</source>
        <translation>Bridge</translation>
    </message>
    <message>
        <source>Bridge mode</source>
        <translation>Bridge mode</translation>
    </message>
    <message>
        <source>Short range radio</source>
        <translation>Short range radio</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Energy saving mode</source>
        <translation>Energy saving mode</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>The master mode is not suported by your Orlo!</source>
        <translation>The master mode is not suported by your Orlo!</translation>
    </message>
</context>
<context>
    <name>ConfigurationFiles</name>
    <message>
        <source>Configurations (*.json);;All files (*)</source>
        <translation>Configurations (*.json);;All files (*)</translation>
    </message>
    <message>
        <source>Own address of the series&apos; first module:</source>
        <translation>Own address of the series&apos; first module:</translation>
    </message>
    <message>
        <source>Nothing was saved: the page sends no configuration yet (its module was not read, or a field is refused).</source>
        <translation>Nothing was saved: the page sends no configuration yet (its module was not read, or a field is refused).</translation>
    </message>
    <message>
        <source>The configuration could not be saved in %1: %2.</source>
        <translation>The configuration could not be saved in %1: %2.</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Saved %1</translation>
    </message>
    <message>
        <source>the file is larger than 1 MiB</source>
        <translation>the file is larger than 1 MiB</translation>
    </message>
    <message>
        <source>The configuration in %1 cannot be opened: %2.</source>
        <translation>The configuration in %1 cannot be opened: %2.</translation>
    </message>
    <message>
        <source>The series of %1 stops: %2, so no address is left for this module. The page shows the module&apos;s own configuration.</source>
        <translation>The series of %1 stops: %2, so no address is left for this module. The page shows the module&apos;s own configuration.</translation>
    </message>
    <message>
        <source>The configuration in %1 cannot be applied to this module: %2. The page shows the module&apos;s own configuration.</source>
        <translation>The configuration in %1 cannot be applied to this module: %2. The page shows the module&apos;s own configuration.</translation>
    </message>
    <message>
        <source> Fill the page with it all the same?</source>
        <translation> Fill the page with it all the same?</translation>
    </message>
    <message>
        <source>The journal holds %1 row(s) that the history %2 could not keep. Save the journal before quitting?</source>
        <translation>The journal holds %1 row(s) that the history %2 could not keep. Save the journal before quitting?</translation>
    </message>
    <message>
        <source>History not written</source>
        <translation>History not written</translation>
    </message>
    <message>
        <source>Rows kept in memory: %1.</source>
        <translation>Rows kept in memory: %1.</translation>
    </message>
    <message>
        <source>Benches sharing a history server number a series of this name together</source>
        <translation>Benches sharing a history server number a series of this name together</translation>
    </message>
    <message>
        <source>Series name:</source>
        <translation>Series name:</translation>
    </message>
    <message>
        <source>A numbered series takes its own addresses from the history server, which cannot be reached: %1. No address is guessed: the series keeps each module&apos;s own until the server answers.</source>
        <translation>A numbered series takes its own addresses from the history server, which cannot be reached: %1. No address is guessed: the series keeps each module&apos;s own until the server answers.</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) waiting for the history server</source>
        <translation>
            <numerusform>%n row waiting for the history server</numerusform>
            <numerusform>%n rows waiting for the history server</numerusform>
        </translation>
    </message>
    <message>
        <source>The series of %1 stops: %2. The page shows the module&apos;s own configuration.</source>
        <translation>The series of %1 stops: %2. The page shows the module&apos;s own configuration.</translation>
    </message>
</context>
<context>
    <name>DigitalInputPages</name>
    <message>
        <source>Trame de vie</source>
        <translation>Keep alive</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>Tous les 5 jours</source>
        <translation>Every 5 days</translation>
    </message>
    <message>
        <source>Période de relevé compteur(s)</source>
        <translation>Counter(s) statement period</translation>
    </message>
    <message>
        <source>Détection rupture câble</source>
        <translation>Cable break detection</translation>
    </message>
    <message>
        <source>Entrée 1</source>
        <translation>Input 1</translation>
    </message>
    <message>
        <source>Entrée numérique</source>
        <translation>Digital input</translation>
    </message>
    <message>
        <source>Compteur</source>
        <translation>Counter</translation>
    </message>
    <message>
        <source>Entrée 2</source>
        <translation>Input 2</translation>
    </message>
    <message>
        <source>Configurer</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>RAZ</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Brisane
Digital Input 2</source>
        <translation>Brisane
Digital Input 2</translation>
    </message>
    <message>
        <source>Keep alive</source>
        <translation>Keep alive</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Every week</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>Periodical meter reading</source>
        <translation>Periodical meter reading</translation>
    </message>
    <message>
        <source>Cable break detection</source>
        <translation>Cable break detection</translation>
    </message>
    <message>
        <source>Input 1</source>
        <translation>Input 1</translation>
    </message>
    <message>
        <source>Digital input</source>
        <translation>Digital input</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Counter</translation>
    </message>
    <message>
        <source>Last stored value</source>
        <translation>Last stored value</translation>
    </message>
    <message>
        <source>Input 2</source>
        <translation>Input 2</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>Brisane
Digital Input 4</source>
        <translation>Brisane
Digital Input 4</translation>
    </message>
    <message>
        <source>With local radio transmission</source>
        <translation>With local radio transmission</translation>
    </message>
    <message>
        <source>Counter 1</source>
        <translation>Counter 1</translation>
    </message>
    <message>
        <source>Counter 2</source>
        <translation>Counter 2</translation>
    </message>
    <message>
        <source>Digital input 3</source>
        <translation>Digital input 3</translation>
    </message>
    <message>
        <source>Digital input 4</source>
        <translation>Digital input 4</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Configurateur Orlo</source>
        <translation>Orlo Configurator</translation>
    </message>
    <message>
        <source>Connect Orlo device</source>
        <translation>Connect Orlo device</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Update...</source>
        <translation>Update...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Open configuration…</source>
        <translation>Open configuration…</translation>
    </message>
    <message>
        <source>Save configuration…</source>
        <translation>Save configuration…</translation>
    </message>
    <message>
        <source>Apply to every module</source>
        <translation>Apply to every module</translation>
    </message>
    <message>
        <source>Number own addresses…</source>
        <translation>Number own addresses…</translation>
    </message>
    <message>
        <source>Verify after write</source>
        <translation>Verify after write</translation>
    </message>
    <message>
        <source>Journal…</source>
        <translation>Journal…</translation>
    </message>
    <message>
        <source>Export journal…</source>
        <translation>Export journal…</translation>
    </message>
    <message>
        <source>Download new version</source>
        <translation>Download new version</translation>
    </message>
    <message>
        <source>Module found, no access: install the udev rule (README), replug it.</source>
        <translation>Module found, no access: install the udev rule (README), replug it.</translation>
    </message>
    <message>
        <source>The module&apos;s configuration could not be read: reading it again...</source>
        <translation>The module&apos;s configuration could not be read: reading it again...</translation>
    </message>
</context>
<context>
    <name>MirrorPages</name>
    <message>
        <source>Brisane
Digital Input 868</source>
        <translation>Brisane
Digital Input 868</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>Addresses</source>
        <translation>Addresses</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Periodical meter reading</source>
        <translation>Periodical meter reading</translation>
    </message>
    <message>
        <source>Input 1</source>
        <translation>Input 1</translation>
    </message>
    <message>
        <source>Digital input</source>
        <translation>Digital input</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>Counter</translation>
    </message>
    <message>
        <source>Last stored value</source>
        <translation>Last stored value</translation>
    </message>
    <message>
        <source>Input 2</source>
        <translation>Input 2</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Brisane
Digital input and output</source>
        <translation>Brisane
Digital input and output</translation>
    </message>
    <message>
        <source>TimeOut</source>
        <translation>TimeOut</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>sec</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Mirror</translation>
    </message>
    <message>
        <source>Operating mode</source>
        <translation>Operating mode</translation>
    </message>
    <message>
        <source>Slave mirror</source>
        <translation>Slave mirror</translation>
    </message>
    <message>
        <source>Master mirror</source>
        <translation>Master mirror</translation>
    </message>
    <message>
        <source>Brisane
Digital input and output LoRa</source>
        <translation>Brisane
Digital input and output LoRa</translation>
    </message>
</context>
<context>
    <name>TemperaturePages</name>
    <message>
        <source>Période de mesure :</source>
        <translation>Sampling period :</translation>
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
        <translation>1 hour</translation>
    </message>
    <message>
        <source>2 heures</source>
        <translation>2 hours</translation>
    </message>
    <message>
        <source>Seuils</source>
        <translation>Thresholds</translation>
    </message>
    <message>
        <source>Seuil bas :</source>
        <translation>Low threshold :</translation>
    </message>
    <message>
        <source>Seuil haut :</source>
        <translation>High threshold :</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>Trame de vie</source>
        <translation>Keep alive</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>Tous les 5 jours</source>
        <translation>Every 5 days</translation>
    </message>
    <message>
        <source>Type de relevé</source>
        <translation>Statement type</translation>
    </message>
    <message>
        <source>Dépassement de seuil</source>
        <translation>Over threshold</translation>
    </message>
    <message>
        <source>Périodique</source>
        <translation>Periodical</translation>
    </message>
    <message>
        <source>Envoi n°1</source>
        <translation>Sending n°1</translation>
    </message>
    <message>
        <source>Envoi n°2</source>
        <translation>Sending n°2</translation>
    </message>
    <message>
        <source>Envoi n°3</source>
        <translation>Sending n°3</translation>
    </message>
    <message>
        <source>Relevé toutes les :</source>
        <translation>Statement every :</translation>
    </message>
    <message>
        <source>Configurer</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Sampling period :</source>
        <translation>Sampling period :</translation>
    </message>
    <message>
        <source>Thresholds</source>
        <translation>Thresholds</translation>
    </message>
    <message>
        <source>Low threshold :</source>
        <translation>Low threshold :</translation>
    </message>
    <message>
        <source>High threshold :</source>
        <translation>High threshold :</translation>
    </message>
    <message>
        <source>Life frame</source>
        <translation>Life frame</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Every week</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>Statement type</source>
        <translation>Statement type</translation>
    </message>
    <message>
        <source>Over threshold</source>
        <translation>Over threshold</translation>
    </message>
    <message>
        <source>Sending n°1</source>
        <translation>Sending n°1</translation>
    </message>
    <message>
        <source>Sending n°2</source>
        <translation>Sending n°2</translation>
    </message>
    <message>
        <source>Sending n°3</source>
        <translation>Sending n°3</translation>
    </message>
    <message>
        <source>Periodical</source>
        <translation>Periodical</translation>
    </message>
    <message>
        <source>Statement every :</source>
        <translation>Statement every :</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Brisane
1 Digital Temperature</source>
        <translation>Brisane
1 Digital Temperature</translation>
    </message>
    <message>
        <source>Thresholds, probe 1</source>
        <translation>Thresholds, probe 1</translation>
    </message>
    <message>
        <source>Thresholds, probe 2</source>
        <translation>Thresholds, probe 2</translation>
    </message>
    <message>
        <source>Sonde 1 :</source>
        <translation>Probe 1 :</translation>
    </message>
    <message>
        <source>Sonde 2 :</source>
        <translation>Probe 2 :</translation>
    </message>
    <message>
        <source>Brisane
Temperature and Humidity SF8</source>
        <translation>Brisane
Temperature and Humidity SF8</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Statement period</source>
        <translation>Statement period</translation>
    </message>
    <message>
        <source>Addresses</source>
        <translation>Addresses</translation>
    </message>
    <message>
        <source>Modem address :</source>
        <translation>Modem address :</translation>
    </message>
    <message>
        <source>Remote address :</source>
        <translation>Remote address :</translation>
    </message>
    <message>
        <source>Brisane
Temperature SF8</source>
        <translation>Brisane
Temperature SF8</translation>
    </message>
    <message>
        <source>Brisane
2 Digital Temperature</source>
        <translation>Brisane
2 Digital Temperature</translation>
    </message>
</context>
<context>
    <name>Wdlora</name>
    <message>
        <source>Baudrate (bps) :</source>
        <translation>Baudrate (bps) :</translation>
    </message>
    <message>
        <source>Channel :</source>
        <translation>Channel :</translation>
    </message>
    <message>
        <source>Max power :</source>
        <translation>Max power :</translation>
    </message>
</context>
<context>
    <name>Wdradio</name>
    <message>
        <source>Baudrate (bps) :</source>
        <translation>Baudrate (bps) :</translation>
    </message>
    <message>
        <source>Channel :</source>
        <translation>Channel :</translation>
    </message>
    <message>
        <source>Max power :</source>
        <translation>Max power :</translation>
    </message>
    <message>
        <source>Compatibility with Kelo modem</source>
        <translation>Compatibility with Kelo modem</translation>
    </message>
</context>
<context>
    <name>WmOrloRpt</name>
    <message>
        <source>Brisane 
Gateway 868 to SF8</source>
        <translation>Brisane 
Gateway 868 to SF8</translation>
    </message>
    <message>
        <source>ORLO 868 parameters</source>
        <translation>ORLO 868 parameters</translation>
    </message>
    <message>
        <source>ORLO SF8 parameters</source>
        <translation>ORLO SF8 parameters</translation>
    </message>
    <message>
        <source>Max Sigfox frame:</source>
        <translation>Max Sigfox frame:</translation>
    </message>
    <message>
        <source>/Day</source>
        <translation>/Day</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Several ORLO has the same LSB!</source>
        <translation>Several ORLO has the same LSB!</translation>
    </message>
</context>
<context>
    <name>WmOrloRsLw</name>
    <message>
        <source>Brisane
LoRaWan and Serial</source>
        <translation>Brisane
LoRaWan and Serial</translation>
    </message>
    <message>
        <source>Serial parameters</source>
        <translation>Serial parameters</translation>
    </message>
    <message>
        <source>Baudrate:</source>
        <translation>Baudrate:</translation>
    </message>
    <message>
        <source>LoRa parameters</source>
        <translation>LoRa parameters</translation>
    </message>
    <message>
        <source>Enable OTAA</source>
        <translation>Enable OTAA</translation>
    </message>
    <message>
        <source>Master</source>
        <translation>Master</translation>
    </message>
    <message>
        <source>Statement period</source>
        <translation>Statement period</translation>
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
        <translation>Code function</translation>
    </message>
    <message>
        <source>Frame1</source>
        <translation>Frame1</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>Frame2</source>
        <translation>Frame2</translation>
    </message>
    <message>
        <source>Frame3</source>
        <translation>Frame3</translation>
    </message>
    <message>
        <source>Frame4</source>
        <translation>Frame4</translation>
    </message>
    <message>
        <source>Frame5</source>
        <translation>Frame5</translation>
    </message>
    <message>
        <source>Frame6</source>
        <translation>Frame6</translation>
    </message>
    <message>
        <source>Slave</source>
        <translation>Slave</translation>
    </message>
    <message>
        <source>Bridge</source>
        <translation>Bridge</translation>
    </message>
    <message>
        <source>Ready to use!</source>
        <translation>Ready to use!</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
</context>
<context>
    <name>about</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:12pt; font-weight:600;&quot;&gt;.: Orlo modem configurator :.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;&lt;span style=&quot; font-size:12pt; font-weight:600;&quot;&gt;.: Orlo modem configurator :.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>&lt;p&gt;Version 3.7.7&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;mailto:%1?subject=Help on Orlo product&quot;&gt;Technical support&lt;/a&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%2&quot;&gt;Orlo Plateform&lt;/a&gt;&lt;/p&gt;&lt;p&gt;Thank you for working with &lt;a href=&quot;%3&quot;&gt;Velka&lt;/a&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Version 3.7.7&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;mailto:%1?subject=Help on Orlo product&quot;&gt;Technical support&lt;/a&gt;&lt;/p&gt;&lt;p&gt;&lt;a href=&quot;%2&quot;&gt;Orlo Platform&lt;/a&gt;&lt;/p&gt;&lt;p&gt;Thank you for working with &lt;a href=&quot;%3&quot;&gt;Velka&lt;/a&gt;.&lt;/p&gt;</translation>
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
        <translation>JSON lines (*.jsonl)</translation>
    </message>
    <message>
        <source>Export the journal</source>
        <translation>Export the journal</translation>
    </message>
    <message>
        <source>No row shown</source>
        <translation>No row shown</translation>
    </message>
    <message>
        <source>1 row shown</source>
        <translation>1 row shown</translation>
    </message>
    <message>
        <source>%1 rows shown</source>
        <translation>%1 rows shown</translation>
    </message>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>The journal could not be saved in %1: %2.</source>
        <translation>The journal could not be saved in %1: %2.</translation>
    </message>
    <message>
        <source>Journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>From</source>
        <translation>From</translation>
    </message>
    <message>
        <source>To</source>
        <translation>To</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Product</source>
        <translation>Product</translation>
    </message>
    <message>
        <source>Any</source>
        <translation>Any</translation>
    </message>
    <message>
        <source>Own address</source>
        <translation>Own address</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>All benches</source>
        <translation>All benches</translation>
    </message>
    <message>
        <source>Bench</source>
        <translation>Bench</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>. %1 kept in memory only: %2.</source>
        <translation>. %1 kept in memory only: %2.</translation>
    </message>
    <message>
        <source>1 row is</source>
        <translation>1 row is</translation>
    </message>
    <message>
        <source>%1 rows are</source>
        <translation>%1 rows are</translation>
    </message>
</context>
<context>
    <name>orlo::Series</name>
    <message>
        <source>Series: %1, %2 written</source>
        <translation>Series: %1, %2 written</translation>
    </message>
    <message>
        <source>, next address %1</source>
        <translation>, next address %1</translation>
    </message>
    <message>
        <source>From %1, not written yet: press Write</source>
        <translation>From %1, not written yet: press Write</translation>
    </message>
    <message>
        <source>The configuration in %1 was saved from a module with a %2 input; the plugged module has a %3 input. They are different sensors.</source>
        <translation>The configuration in %1 was saved from a module with a %2 input; the plugged module has a %3 input. They are different sensors.</translation>
    </message>
    <message>
        <source>, series %1 numbered by the history server</source>
        <translation>, series %1 numbered by the history server</translation>
    </message>
    <message>
        <source>, last address %1</source>
        <translation>, last address %1</translation>
    </message>
</context>
<context>
    <name>orlo::checks</name>
    <message>
        <source>	Champ heure de relevé non configuré.
</source>
        <translation>	Reading hour field not configured.
</translation>
    </message>
    <message>
        <source>	Champ minutes de relevé non configuré.
</source>
        <translation>	Reading minute field not configured.
</translation>
    </message>
    <message>
        <source>	Champ heure     de l&apos;heure n°1 non configuré.
</source>
        <translation>	Hour field     of time n°1 not configured.
</translation>
    </message>
    <message>
        <source>	Champ minutes de l&apos;heure n°1 non configuré.
</source>
        <translation>	Minute field of time n°1 not configured.
</translation>
    </message>
    <message>
        <source>	Champ heure     de l&apos;heure n°2 non configuré.
</source>
        <translation>	Hour field     of time n°2 not configured.
</translation>
    </message>
    <message>
        <source>	Champ minutes de l&apos;heure n°2 non configuré.
</source>
        <translation>	Minute field of time n°2 not configured.
</translation>
    </message>
    <message>
        <source>	Champ heure     de l&apos;heure n°3 non configuré.
</source>
        <translation>	Hour field     of time n°3 not configured.
</translation>
    </message>
    <message>
        <source>	Champ minutes de l&apos;heure n°3 non configuré.
</source>
        <translation>	Minute field of time n°3 not configured.
</translation>
    </message>
    <message>
        <source>	Hour field     n°1 non configuré.
</source>
        <translation>	Hour field     of time n°1 not configured.
</translation>
    </message>
    <message>
        <source>	Hour field     n°2 non configured.
</source>
        <translation>	Hour field     of time n°2 not configured.
</translation>
    </message>
    <message>
        <source>	Hour field     de l&apos;heure n°3 non configuré.
</source>
        <translation>	Hour field     of time n°3 not configured.
</translation>
    </message>
    <message>
        <source>	Champ heure de relevé compteur non configuré.
</source>
        <translation>	Counter reading hour field not configured.
</translation>
    </message>
    <message>
        <source>	Champ minutes de relevé compteur non configuré.
</source>
        <translation>	Counter reading minute field not configured.
</translation>
    </message>
    <message>
        <source>	Meter reading hour time is not set.
</source>
        <translation>	Meter reading hour time is not set.
</translation>
    </message>
    <message>
        <source>	Meter reading minute time is not set.
</source>
        <translation>	Meter reading minute time is not set.
</translation>
    </message>
    <message>
        <source>	1200,38400,57600,115200 is not available
</source>
        <translation>	1200,38400,57600,115200 is not available
</translation>
    </message>
    <message>
        <source>	Datarate 183bps and 335bps are not available
</source>
        <translation>	Datarate 183bps and 335bps are not available
</translation>
    </message>
    <message>
        <source>	Plage d&apos;étalonnage nulle : la valeur maximum doit différer de la valeur minimum.
</source>
        <translation>	Empty calibration range: the maximum value must differ from the minimum value.
</translation>
    </message>
    <message>
        <source>- The module stores a role no tab shows: choose Master, Slave or Bridge.
</source>
        <translation>- The module stores a role no tab shows: choose Master, Slave or Bridge.
</translation>
    </message>
    <message>
        <source>	Channel %1 is not in the channel plan of this data rate
</source>
        <translation>	Channel %1 is not in the channel plan of this data rate
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
        <translation>1 hour</translation>
    </message>
    <message>
        <source>2 heures</source>
        <translation>2 hours</translation>
    </message>
    <message>
        <source>Tous les jours</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>Tous les 5 jours</source>
        <translation>Every 5 days</translation>
    </message>
    <message>
        <source>Every week</source>
        <translation>Every week</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Every day</translation>
    </message>
    <message>
        <source>Slave mirror</source>
        <translation>Slave mirror</translation>
    </message>
    <message>
        <source>Master mirror</source>
        <translation>Master mirror</translation>
    </message>
    <message>
        <source>Voltage</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>Join mode : OTAA</source>
        <translation>Join mode : OTAA</translation>
    </message>
    <message>
        <source>Join mode : ABP</source>
        <translation>Join mode : ABP</translation>
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
        <translation>Odd parity</translation>
    </message>
    <message>
        <source>Even parity</source>
        <translation>Even parity</translation>
    </message>
    <message>
        <source>No parity</source>
        <translation>No parity</translation>
    </message>
    <message>
        <source>1 stop bit</source>
        <translation>1 stop bit</translation>
    </message>
    <message>
        <source>2 stop bits</source>
        <translation>2 stop bits</translation>
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
        <translation>the file is larger than 1 MiB</translation>
    </message>
    <message>
        <source>it is not JSON (%1 at byte %2)</source>
        <translation>it is not JSON (%1 at byte %2)</translation>
    </message>
    <message>
        <source>it is not a module configuration (its &quot;format&quot; is not &quot;%1&quot;)</source>
        <translation>it is not a module configuration (its &quot;format&quot; is not &quot;%1&quot;)</translation>
    </message>
    <message>
        <source>its format version is not %1, the one this program reads</source>
        <translation>its format version is not %1, the one this program reads</translation>
    </message>
    <message>
        <source>its &quot;product id&quot; is no module of the family</source>
        <translation>its &quot;product id&quot; is no module of the family</translation>
    </message>
    <message>
        <source>it is for a %1 module (%2), the plugged module is a %3 (%4). A file opens on a module of the same type only (%5)</source>
        <translation>it is for a %1 module (%2), the plugged module is a %3 (%4). A file opens on a module of the same type only (%5)</translation>
    </message>
</context>
<context>
    <name>orlo::result</name>
    <message>
        <source>Configuration...</source>
        <translation>Writing...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Echec</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Invalide</source>
        <translation>Invalid</translation>
    </message>
    <message>
        <source>OK, verified</source>
        <translation>OK, verified</translation>
    </message>
</context>
<context>
    <name>orlo::rs</name>
    <message>
        <source>	The ORLO SF8 parameters need a Sigfox identifier; the gateway has none
</source>
        <translation>	The ORLO SF8 parameters need a Sigfox identifier; the gateway has none
</translation>
    </message>
    <message>
        <source>version %1</source>
        <translation>version %1</translation>
    </message>
    <message>
        <source>a version not yet known</source>
        <translation>a version not yet known</translation>
    </message>
    <message>
        <source>	%1 needs firmware %2 or later; the module has %3
</source>
        <translation>	%1 needs firmware %2 or later; the module has %3
</translation>
    </message>
    <message>
        <source>The Master role</source>
        <translation>The Master role</translation>
    </message>
    <message>
        <source>A function code other than the first</source>
        <translation>A function code other than the first</translation>
    </message>
    <message>
        <source>A serial format other than 8 bits, no parity, 1 stop bit</source>
        <translation>A serial format other than 8 bits, no parity, 1 stop bit</translation>
    </message>
    <message>
        <source>The energy saving mode</source>
        <translation>The energy saving mode</translation>
    </message>
    <message>
        <source>	The Sigfox bridge mode needs a Sigfox identifier; the module has %1
</source>
        <translation>	The Sigfox bridge mode needs a Sigfox identifier; the module has %1
</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>not told its own yet</source>
        <translation>not told its own yet</translation>
    </message>
</context>
<context>
    <name>orlo::warning</name>
    <message>
        <source>CONFIGURATION INVALIDE.

Au moins un champ horaire d&apos;un des 3 envois de température possible n&apos;est pas configuré :

</source>
        <translation>INVALID CONFIGURATION.

At least one time field of one of the 3 possible temperature sendings is not configured:

</translation>
    </message>
    <message>
        <source>INVALID CONFIGURATION.

At least one time field of a temperature sending is not configured :

</source>
        <translation>INVALID CONFIGURATION.

At least one time field of a temperature sending is not configured :

</translation>
    </message>
    <message>
        <source>INVALID CONFIGURATION.

At least one time field of a sending is not configured.

</source>
        <translation>INVALID CONFIGURATION.

At least one time field of a sending is not configured.

</translation>
    </message>
    <message>
        <source>
To continue, click &quot;OK&quot;, enter a valid configuration
and click again on &quot;Configurer&quot;
</source>
        <translation>
To continue, click &quot;OK&quot;, enter a valid configuration
and click again on &quot;Write&quot;
</translation>
    </message>
    <message>
        <source>INVALID CONFIGURATION.

Warning

</source>
        <translation>INVALID CONFIGURATION.

Warning

</translation>
    </message>
    <message>
        <source>
Click the tab of the role to write, then &quot;Configurer&quot; again.
</source>
        <translation>
Click the tab of the role to write, then &quot;Write&quot; again.
</translation>
    </message>
    <message>
        <source>Configuration invalide</source>
        <translation>Invalid configuration</translation>
    </message>
    <message>
        <source>Invalid configuration</source>
        <translation>Invalid configuration</translation>
    </message>
    <message>
        <source>CONFIGURATION INVALIDE.

</source>
        <translation>INVALID CONFIGURATION.

</translation>
    </message>
    <message>
        <source>INVALID CONFIGURATION.

</source>
        <translation>INVALID CONFIGURATION.

</translation>
    </message>
    <message>
        <source>
Pour continuer, cliquez sur &quot;OK&quot;, entrez une configuration valide
et cliquez à nouveau sur &quot;Configurer&quot;
</source>
        <translation>
To continue, click &quot;OK&quot;, enter a valid configuration
and click again on &quot;Write&quot;
</translation>
    </message>
    <message>
        <source>
To continue, click &quot;OK&quot;, enter a valid configuration
and click again on &quot;Write&quot;
</source>
        <translation>
To continue, click &quot;OK&quot;, enter a valid configuration
and click again on &quot;Write&quot;
</translation>
    </message>
</context>
</TS>
