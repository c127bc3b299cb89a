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
</context>
<context>
    <name>VKScore</name>
    <message>
        <source>Score: %1 of %2</source>
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
</context>
</TS>
