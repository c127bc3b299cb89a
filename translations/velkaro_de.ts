<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>HelpWindow</name>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>User&apos;s Guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
</context>
<context>
    <name>VKControl</name>
    <message>
        <source>Velkaro</source>
        <translation>Velkaro</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Tastatur</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>User&apos;s Guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Velkaro</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Help file not found</source>
        <translation>Hilfedatei nicht gefunden</translation>
    </message>
</context>
<context>
    <name>VKScore</name>
    <message>
        <source>Score: %1 of %2</source>
        <translation>Punkte: %1 von %2</translation>
    </message>
</context>
<context>
    <name>VKTestConfig</name>
    <message>
        <source>Clef</source>
        <translation>Notenschlüssel</translation>
    </message>
    <message>
        <source>Treble</source>
        <translation>Violinschlüssel</translation>
    </message>
    <message>
        <source>Bass</source>
        <translation>Bassschlüssel</translation>
    </message>
    <message>
        <source>Note Interval:</source>
        <translation>Zeit pro Note:</translation>
    </message>
    <message>
        <source> mSec</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Label Notes</source>
        <translation>Noten beschriften</translation>
    </message>
    <message>
        <source>The note interval must be a whole number of milliseconds from %1 to %2.</source>
        <translation>Das Notenintervall muss eine ganze Zahl von %1 bis %2 Millisekunden sein.</translation>
    </message>
</context>
</TS>
