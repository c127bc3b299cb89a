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
</context>
<context>
    <name>VKScore</name>
    <message>
        <source>Score: %1 of %2</source>
        <translation>Score&#xa0;: %1 sur %2</translation>
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
</context>
</TS>
