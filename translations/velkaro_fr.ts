<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>HelpWindow</name>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>User&apos;s Guide</source>
        <translation>Guide de l&apos;utilisateur</translation>
    </message>
</context>
<context>
    <name>MidiStatusBar</name>
    <message>
        <source>MIDI: %1</source>
        <extracomment>In the status line, one per MIDI keyboard the program listens to; %1 is the keyboard&apos;s name.</extracomment>
        <translation>MIDI&#xa0;: %1</translation>
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
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Keyboard</source>
        <translation>Clavier</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>User&apos;s Guide</source>
        <translation>Guide de l&apos;utilisateur</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos de Velkaro</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
    <message>
        <source>Help file not found</source>
        <translation>Fichier d&apos;aide introuvable</translation>
    </message>
    <message>
        <source>Your practice record could not be read, so Velkaro has started a new one. The old file is kept as %1.</source>
        <translation>Votre historique d’exercices était illisible&#xa0;: Velkaro en a commencé un nouveau. L’ancien fichier est conservé sous %1.</translation>
    </message>
    <message>
        <source>Velkaro can no longer write to your practice record %1 (the disk may be full), so it has stopped recording your answers. Everything else works as usual.</source>
        <translation>Velkaro ne peut plus écrire dans votre historique d’exercices %1 (le disque est peut-être plein) et n’enregistre donc plus vos réponses. Tout le reste fonctionne comme d’habitude.</translation>
    </message>
    <message>
        <source>Your practice record %1 was written by a newer version of Velkaro. This version leaves it untouched and does not record your answers.</source>
        <translation>Votre historique d’exercices %1 a été écrit par une version plus récente de Velkaro. Cette version n’y touche pas et n’enregistre pas vos réponses.</translation>
    </message>
    <message>
        <source>Velkaro cannot write your practice record to %1, so your answers are not recorded this time. Everything else works as usual.</source>
        <translation>Velkaro ne peut pas enregistrer votre historique d’exercices dans %1&#xa0;: vos réponses ne sont pas enregistrées cette fois. Tout le reste fonctionne comme d’habitude.</translation>
    </message>
    <message>
        <source>Practice record</source>
        <translation>Historique d’exercices</translation>
    </message>
    <message>
        <source>The grand staff needs a screen at least %1 pixels wide.</source>
        <translation>La grande portée demande un écran d’au moins %1 pixels de large.</translation>
    </message>
</context>
<context>
    <name>VKScore</name>
    <message>
        <source>Score: %1 of %2</source>
        <translation>Score&#xa0;: %1 sur %2</translation>
    </message>
</context>
<context>
    <name>VKTest</name>
    <message>
        <source>C</source>
        <comment>note name</comment>
        <extracomment>The name of the note C under a note on the staff, as a learner of this language names it: a letter (C) or a syllable (Do). Keep it short.</extracomment>
        <translation>Do</translation>
    </message>
    <message>
        <source>D</source>
        <comment>note name</comment>
        <extracomment>The note D (Re, Ré).</extracomment>
        <translation>Ré</translation>
    </message>
    <message>
        <source>E</source>
        <comment>note name</comment>
        <extracomment>The note E (Mi).</extracomment>
        <translation>Mi</translation>
    </message>
    <message>
        <source>F</source>
        <comment>note name</comment>
        <extracomment>The note F (Fa).</extracomment>
        <translation>Fa</translation>
    </message>
    <message>
        <source>G</source>
        <comment>note name</comment>
        <extracomment>The note G (Sol).</extracomment>
        <translation>Sol</translation>
    </message>
    <message>
        <source>A</source>
        <comment>note name</comment>
        <extracomment>The note A (La).</extracomment>
        <translation>La</translation>
    </message>
    <message>
        <source>B</source>
        <comment>note name</comment>
        <extracomment>The note B, the white key below C (Si; H in German).</extracomment>
        <translation>Si</translation>
    </message>
    <message>
        <source>B</source>
        <comment>note name of B flat</comment>
        <extracomment>The note B flat written as a flat, at the step of B (Si; B in German, where B alone means B flat).</extracomment>
        <translation>Si</translation>
    </message>
</context>
<context>
    <name>VKTestConfig</name>
    <message>
        <source>Clef</source>
        <translation>Clé</translation>
    </message>
    <message>
        <source>Treble</source>
        <translation>Clé de sol</translation>
    </message>
    <message>
        <source>Bass</source>
        <translation>Clé de fa</translation>
    </message>
    <message>
        <source>Note Interval:</source>
        <translation>Temps par note&#xa0;:</translation>
    </message>
    <message>
        <source> mSec</source>
        <translation> ms</translation>
    </message>
    <message>
        <source>Label Notes</source>
        <translation>Nommer les notes</translation>
    </message>
    <message>
        <source>The note interval must be a whole number of milliseconds from %1 to %2.</source>
        <translation>L’intervalle entre les notes doit être un nombre entier de millisecondes, de %1 à %2.</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Notes&#xa0;:</translation>
    </message>
    <message>
        <source>at random</source>
        <translation>au hasard</translation>
    </message>
    <message>
        <source>more of those I miss</source>
        <translation>davantage celles que je rate</translation>
    </message>
    <message>
        <source>Show the right key after a miss</source>
        <translation>Montrer la bonne touche après une erreur</translation>
    </message>
    <message>
        <source>Both (grand staff)</source>
        <translation>Les deux (grande portée)</translation>
    </message>
</context>
</TS>
