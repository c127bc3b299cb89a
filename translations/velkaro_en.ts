<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>HelpWindow</name>
    <message>
        <source>Navigation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User&apos;s Guide</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MidiStatusBar</name>
    <message>
        <source>MIDI: %1</source>
        <extracomment>In the status line, one per MIDI keyboard the program listens to; %1 is the keyboard&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VKControl</name>
    <message>
        <source>Velkaro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User&apos;s Guide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help file not found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your practice record could not be read, so Velkaro has started a new one. The old file is kept as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velkaro can no longer write to your practice record %1 (the disk may be full), so it has stopped recording your answers. Everything else works as usual.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your practice record %1 was written by a newer version of Velkaro. This version leaves it untouched and does not record your answers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velkaro cannot write your practice record to %1, so your answers are not recorded this time. Everything else works as usual.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Practice record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The grand staff needs a screen at least %1 pixels wide.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VKScore</name>
    <message>
        <source>Score: %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VKTest</name>
    <message>
        <source>C</source>
        <comment>note name</comment>
        <extracomment>The name of the note C under a note on the staff, as a learner of this language names it: a letter (C) or a syllable (Do). Keep it short.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D</source>
        <comment>note name</comment>
        <extracomment>The note D (Re, Ré).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E</source>
        <comment>note name</comment>
        <extracomment>The note E (Mi).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F</source>
        <comment>note name</comment>
        <extracomment>The note F (Fa).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G</source>
        <comment>note name</comment>
        <extracomment>The note G (Sol).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A</source>
        <comment>note name</comment>
        <extracomment>The note A (La).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B</source>
        <comment>note name</comment>
        <extracomment>The note B, the white key below C (Si; H in German).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B</source>
        <comment>note name of B flat</comment>
        <extracomment>The note B flat written as a flat, at the step of B (Si; B in German, where B alone means B flat).</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VKTestConfig</name>
    <message>
        <source>Clef</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Treble</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note Interval:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mSec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The note interval must be a whole number of milliseconds from %1 to %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>at random</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more of those I miss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the right key after a miss</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Both (grand staff)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
