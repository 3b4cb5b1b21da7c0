<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>Fenster</name>
    <message>
        <source>Diagramm speichern</source>
        <translation>Save chart</translation>
    </message>
    <message>
        <source>Verkehr protokollieren...</source>
        <translation>Trace line traffic...</translation>
    </message>
    <message>
        <source>Verkehr protokollieren</source>
        <translation>Trace line traffic</translation>
    </message>
    <message>
        <source>Protokoll beenden</source>
        <translation>Stop trace</translation>
    </message>
    <message>
        <source>Suche nach Gerät %1</source>
        <translation>Looking for device %1</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Achtung: Das ständige Abfragen der Istwerte beansprucht das Regelmodul
stärker als im Normalbetrieb.
Es sind daher Abweichungen im Regelverhalten möglich!
Außerdem können schnelle Schwingungen hier nicht dargestellt werden. </source>
        <translation>Caution: polling the actual values all the time loads the controller module
more than normal operation does.
The control behaviour may therefore deviate!
Fast oscillations cannot be shown here either. </translation>
    </message>
    <message>
        <source>lese...</source>
        <translation>reading...</translation>
    </message>
    <message>
        <source>schreibe...</source>
        <translation>writing...</translation>
    </message>
    <message>
        <source>Parametersatz schreiben</source>
        <translation>Write parameter set</translation>
    </message>
    <message>
        <source>Die Parameter auf den Seiten &quot;Regler 1&quot; und &quot;Regler 2&quot; wurden weder vom Modul
gelesen noch aus einer Datei geladen. Trotzdem zum Modul schreiben?</source>
        <translation>The parameters on the pages &quot;Controller 1&quot; and &quot;Controller 2&quot; were neither read
from the module nor loaded from a file. Write them to the module anyway?</translation>
    </message>
    <message>
        <source>Aufzeichnung beenden</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>Messwerte aufzeichnen...</source>
        <translation>Record actual values...</translation>
    </message>
    <message>
        <source>ZAN-1B Steuerung – Aufzeichnung: %1</source>
        <translation>ZAN-1B Control – Recording: %1</translation>
    </message>
    <message>
        <source>ZAN-1B Steuerung</source>
        <translation>ZAN-1B Control</translation>
    </message>
    <message>
        <source>Messwerte aufzeichnen</source>
        <translation>Record actual values</translation>
    </message>
    <message>
        <source>Die Verbindung ist beendet, und mit ihr die Aufzeichnung in %1.</source>
        <translation>The connection has ended, and with it the recording into %1.</translation>
    </message>
    <message>
        <source>Aufzeichnung beendet</source>
        <translation>Recording stopped</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Laden</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Regler 1</source>
        <translation>Controller 1</translation>
    </message>
    <message>
        <source>Regler 2</source>
        <translation>Controller 2</translation>
    </message>
    <message>
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Parametersatz laden</source>
        <translation>Load parameter set</translation>
    </message>
    <message>
        <source>Parametersatz speichern</source>
        <translation>Save parameter set</translation>
    </message>
    <message>
        <source>Diagramm speichern...</source>
        <translation>Save chart...</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Konfiguration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Skalieren...</source>
        <translation>Scaling...</translation>
    </message>
    <message>
        <source>Info...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>alle</source>
        <translation>all</translation>
    </message>
    <message>
        <source>verbinden</source>
        <translation>connect</translation>
    </message>
    <message>
        <source>trennen</source>
        <translation>disconnect</translation>
    </message>
    <message>
        <source>Istwert [%1]</source>
        <translation>Actual value [%1]</translation>
    </message>
    <message>
        <source>Lesen</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>Schreiben</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>Stellwert 1</source>
        <translation>Manipulated value 1</translation>
    </message>
    <message>
        <source>Stellwert 2</source>
        <translation>Manipulated value 2</translation>
    </message>
    <message>
        <source>Sollwert 1</source>
        <translation>Setpoint 1</translation>
    </message>
    <message>
        <source>Sollwert 2</source>
        <translation>Setpoint 2</translation>
    </message>
    <message>
        <source>Istwert 1</source>
        <translation>Actual value 1</translation>
    </message>
    <message>
        <source>Istwert 2</source>
        <translation>Actual value 2</translation>
    </message>
    <message>
        <source>Diagramm Zoom
(bezogen auf Istwert 1)</source>
        <translation>Chart zoom
(in actual value 1&apos;s unit)</translation>
    </message>
    <message>
        <source>min.</source>
        <translation>min.</translation>
    </message>
    <message>
        <source>max.</source>
        <translation>max.</translation>
    </message>
    <message>
        <source>Zoom 1:1</source>
        <translation>Zoom 1:1</translation>
    </message>
    <message>
        <source>ZAN-1 Adresse</source>
        <translation>ZAN-1 address</translation>
    </message>
    <message>
        <source>COM-Port</source>
        <translation>COM port</translation>
    </message>
    <message>
        <source>Scann</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>ID lesen</source>
        <translation>Read ID</translation>
    </message>
    <message>
        <source>PARAMETER</source>
        <translation>PARAMETERS</translation>
    </message>
    <message>
        <source>COM-Einstellungen</source>
        <translation>COM settings</translation>
    </message>
    <message>
        <source>Fehler</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>P-Anteil</source>
        <translation>P share</translation>
    </message>
    <message>
        <source>I-Anteil</source>
        <translation>I share</translation>
    </message>
    <message>
        <source>D-Anteil</source>
        <translation>D share</translation>
    </message>
    <message>
        <source>min. Stellgröße [V]</source>
        <translation>min. output [V]</translation>
    </message>
    <message>
        <source>max. Stellgröße [V]</source>
        <translation>max. output [V]</translation>
    </message>
    <message>
        <source>Sollwert beim
Einschalten</source>
        <translation>Setpoint at
power-on</translation>
    </message>
    <message>
        <source>max. Anstiegsgeschwindigkeit
des Sollwertes</source>
        <translation>max. rate of rise
of the setpoint</translation>
    </message>
    <message>
        <source>Betriebsart</source>
        <translation>Operating mode</translation>
    </message>
    <message>
        <source>Digitaler Sollwert</source>
        <translation>Digital setpoint</translation>
    </message>
    <message>
        <source>Analoger Sollwert</source>
        <translation>Analog setpoint</translation>
    </message>
    <message>
        <source>Stellbetrieb</source>
        <translation>Manual output</translation>
    </message>
    <message>
        <source>Stellwert wird Null wenn Istwert gleich Null</source>
        <translation>Output goes to zero when the actual value is zero</translation>
    </message>
    <message>
        <source>Sonderfunktionen:</source>
        <translation>Special functions:</translation>
    </message>
    <message>
        <source>ZAN1B-Steuerung</source>
        <translation>ZAN1B Control</translation>
    </message>
    <message>
        <source>VEK Elektronik, Deutschland</source>
        <translation>VEK Elektronik, Germany</translation>
    </message>
    <message>
        <source>Mit ZAN1.1-Steuerung können die Regelparameter
eines ZAN-1 Regelmoduls mit zwei Reglern eingestellt
werden.</source>
        <translation>With ZAN1.1 Control you set the control parameters
of a ZAN-1 controller module with two controllers.</translation>
    </message>
    <message>
        <source>Skalierung von Sollwert und Istwert</source>
        <translation>Scaling of setpoint and actual value</translation>
    </message>
    <message>
        <source>auf Standardwerte zurücksetzen</source>
        <translation>Reset to defaults</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>(Einheit)</source>
        <translation>(unit)</translation>
    </message>
    <message>
        <source>V bis</source>
        <translation>V to</translation>
    </message>
    <message>
        <source>V am ZAN-1</source>
        <translation>V at the ZAN-1</translation>
    </message>
    <message>
        <source>wird umgerechnet in</source>
        <translation>is converted into</translation>
    </message>
    <message>
        <source>bis</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Über ZAN1-Steuerung</source>
        <translation>About ZAN1 Control</translation>
    </message>
    <message>
        <source>Istwert %1 %2</source>
        <translation>Actual value %1 %2</translation>
    </message>
</context>
<context>
    <name>QtView</name>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;No</translation>
    </message>
</context>
</TS>
