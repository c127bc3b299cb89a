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
    <name>MidiStatusBar</name>
    <message>
        <source>MIDI: %1</source>
        <extracomment>In the status line, one per MIDI keyboard the program listens to; %1 is the keyboard&apos;s name.</extracomment>
        <translation>MIDI: %1</translation>
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
    <message>
        <source>Your practice record could not be read, so Velkaro has started a new one. The old file is kept as %1.</source>
        <translation>Deine Übungsaufzeichnung war nicht lesbar, darum hat Velkaro eine neue begonnen. Die alte Datei liegt unter %1.</translation>
    </message>
    <message>
        <source>Velkaro can no longer write to your practice record %1 (the disk may be full), so it has stopped recording your answers. Everything else works as usual.</source>
        <translation>Velkaro kann nicht mehr in deine Übungsaufzeichnung %1 schreiben (vielleicht ist der Datenträger voll) und zeichnet deine Antworten darum nicht mehr auf. Alles andere funktioniert wie gewohnt.</translation>
    </message>
    <message>
        <source>Your practice record %1 was written by a newer version of Velkaro. This version leaves it untouched and does not record your answers.</source>
        <translation>Deine Übungsaufzeichnung %1 stammt von einer neueren Version von Velkaro. Diese Version lässt sie unverändert und zeichnet deine Antworten nicht auf.</translation>
    </message>
    <message>
        <source>Velkaro cannot write your practice record to %1, so your answers are not recorded this time. Everything else works as usual.</source>
        <translation>Velkaro kann deine Übungsaufzeichnung nicht unter %1 speichern, darum werden deine Antworten diesmal nicht aufgezeichnet. Alles andere funktioniert wie gewohnt.</translation>
    </message>
    <message>
        <source>Practice record</source>
        <translation>Übungsaufzeichnung</translation>
    </message>
    <message>
        <source>The grand staff needs a screen at least %1 pixels wide.</source>
        <translation>Das Klaviersystem braucht einen Bildschirm von mindestens %1 Pixeln Breite.</translation>
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
    <name>VKTest</name>
    <message>
        <source>C</source>
        <comment>note name</comment>
        <extracomment>The name of the note C under a note on the staff, as a learner of this language names it: a letter (C) or a syllable (Do). Keep it short.</extracomment>
        <translation>C</translation>
    </message>
    <message>
        <source>D</source>
        <comment>note name</comment>
        <extracomment>The note D (Re, Ré).</extracomment>
        <translation>D</translation>
    </message>
    <message>
        <source>E</source>
        <comment>note name</comment>
        <extracomment>The note E (Mi).</extracomment>
        <translation>E</translation>
    </message>
    <message>
        <source>F</source>
        <comment>note name</comment>
        <extracomment>The note F (Fa).</extracomment>
        <translation>F</translation>
    </message>
    <message>
        <source>G</source>
        <comment>note name</comment>
        <extracomment>The note G (Sol).</extracomment>
        <translation>G</translation>
    </message>
    <message>
        <source>A</source>
        <comment>note name</comment>
        <extracomment>The note A (La).</extracomment>
        <translation>A</translation>
    </message>
    <message>
        <source>B</source>
        <comment>note name</comment>
        <extracomment>The note B, the white key below C (Si; H in German).</extracomment>
        <translation>H</translation>
    </message>
    <message>
        <source>B</source>
        <comment>note name of B flat</comment>
        <extracomment>The note B flat written as a flat, at the step of B (Si; B in German, where B alone means B flat).</extracomment>
        <translation>B</translation>
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
    <message>
        <source>Notes:</source>
        <translation>Noten:</translation>
    </message>
    <message>
        <source>at random</source>
        <translation>zufällig</translation>
    </message>
    <message>
        <source>more of those I miss</source>
        <translation>mehr von denen, die ich verfehle</translation>
    </message>
    <message>
        <source>Show the right key after a miss</source>
        <translation>Nach einem Fehler die richtige Taste zeigen</translation>
    </message>
    <message>
        <source>Both (grand staff)</source>
        <translation>Beide (Klaviersystem)</translation>
    </message>
</context>
</TS>
