<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Challenge</name>
    <message>
        <source>Get ready… %1</source>
        <extracomment>The score line while a one-minute challenge counts in: 3, 2, 1.</extracomment>
        <translation>Attention… %1</translation>
    </message>
    <message>
        <source>%1 — %2 right of %3</source>
        <extracomment>The score line in a one-minute challenge: the time left, then the right answers of those given.</extracomment>
        <translation>%1 — %2 justes sur %3</translation>
    </message>
</context>
<context>
    <name>ChallengeResultBox</name>
    <message>
        <source>One-Minute Challenge</source>
        <translation>Défi d&apos;une minute</translation>
    </message>
    <message>
        <source>Right notes:</source>
        <translation>Notes justes :</translation>
    </message>
    <message>
        <source>Wrong notes:</source>
        <translation>Notes fausses :</translation>
    </message>
    <message>
        <source>Right notes per minute:</source>
        <translation>Notes justes par minute :</translation>
    </message>
    <message>
        <source>Median time per right note:</source>
        <translation>Temps médian par note juste :</translation>
    </message>
    <message>
        <source>Best so far with these settings:</source>
        <translation>Meilleur résultat avec ces réglages :</translation>
    </message>
    <message>
        <source>Again</source>
        <translation>Encore</translation>
    </message>
    <message>
        <source>New personal best!</source>
        <translation>Nouveau record personnel !</translation>
    </message>
    <message>
        <source>Time’s up!</source>
        <translation>Temps écoulé !</translation>
    </message>
    <message>
        <source>Ended early</source>
        <translation>Arrêté avant la fin</translation>
    </message>
    <message>
        <source>none yet</source>
        <translation>aucun pour l&apos;instant</translation>
    </message>
    <message>
        <source>A challenge ended before its minute is up never counts as a best.</source>
        <translation>Un défi arrêté avant la fin de sa minute ne compte jamais comme record.</translation>
    </message>
</context>
<context>
    <name>ChallengeTable</name>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Set on</source>
        <translation>Obtenu le</translation>
    </message>
    <message>
        <source>Challenges</source>
        <translation>Défis</translation>
    </message>
    <message>
        <source>No one-minute challenge has run its whole minute yet: start one with File → One-Minute Challenge (Ctrl+M).</source>
        <translation>Aucun défi d&apos;une minute n&apos;a encore duré toute sa minute : lancez-en un avec Fichier → Défi d&apos;une minute (Ctrl+M).</translation>
    </message>
</context>
<context>
    <name>ClassConnection</name>
    <message>
        <source>Qt&apos;s PostgreSQL driver is not installed, so Velkaro cannot reach a class&apos;s server (on Debian and Ubuntu, install the package libqt6sql6-psql).</source>
        <translation>Le pilote PostgreSQL de Qt n’est pas installé&#xa0;: Velkaro ne peut pas joindre le serveur d’une classe (sous Debian et Ubuntu, installez le paquet libqt6sql6-psql).</translation>
    </message>
    <message>
        <source>The class server %1 cannot be reached: %2</source>
        <translation>Le serveur de la classe %1 est injoignable&#xa0;: %2</translation>
    </message>
    <message>
        <source>The class server %1 answered with an error: %2</source>
        <translation>Le serveur de la classe %1 a répondu par une erreur&#xa0;: %2</translation>
    </message>
</context>
<context>
    <name>ClassCopier</name>
    <message>
        <source>The practice record %1 cannot be read: %2</source>
        <translation>L’historique d’exercices %1 est illisible&#xa0;: %2</translation>
    </message>
    <message>
        <source>The practice record %1 was written by a newer version of Velkaro.</source>
        <translation>L’historique d’exercices %1 a été écrit par une version plus récente de Velkaro.</translation>
    </message>
</context>
<context>
    <name>ClassLink</name>
    <message>
        <source>Class: sent</source>
        <translation>Classe&#xa0;: envoyé</translation>
    </message>
    <message>
        <source>Every answer is on the class&apos;s server.</source>
        <translation>Toutes les réponses sont sur le serveur de la classe.</translation>
    </message>
    <message numerus="yes">
        <source>Class: %n to send</source>
        <translation>
            <numerusform>Classe&#xa0;: %n à envoyer</numerusform>
            <numerusform>Classe&#xa0;: %n à envoyer</numerusform>
        </translation>
    </message>
    <message>
        <source>Class: offline</source>
        <translation>Classe&#xa0;: hors ligne</translation>
    </message>
    <message numerus="yes">
        <source>%n answers wait to be sent. %1</source>
        <translation>
            <numerusform>%n réponse attend d’être envoyée. %1</numerusform>
            <numerusform>%n réponses attendent d’être envoyées. %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Class: PostgreSQL driver missing</source>
        <translation>Classe&#xa0;: pilote PostgreSQL manquant</translation>
    </message>
</context>
<context>
    <name>ClassReport</name>
    <message>
        <source>The class report could not be read: %1</source>
        <translation>Le bilan de la classe est illisible&#xa0;: %1</translation>
    </message>
    <message>
        <source>Pupil</source>
        <translation>Élève</translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>Réponses</translation>
    </message>
    <message>
        <source>Right %</source>
        <translation>Justes %</translation>
    </message>
    <message>
        <source>Right/min</source>
        <translation>Justes/min</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>7 derniers jours</translation>
    </message>
    <message>
        <source>Last 7 days right %</source>
        <translation>7 derniers jours justes %</translation>
    </message>
    <message>
        <source>Missed most</source>
        <translation>Les plus manquées</translation>
    </message>
</context>
<context>
    <name>ClassSchema</name>
    <message>
        <source>The class&apos;s tables could not be made: %1</source>
        <translation>Les tables de la classe n’ont pas pu être créées&#xa0;: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be a pupil&apos;s name: use letters, digits, &apos;_&apos;, &apos;.&apos; and &apos;-&apos;.</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas être un nom d’élève&#xa0;: utilisez des lettres, des chiffres, «&#xa0;_&#xa0;», «&#xa0;.&#xa0;» et «&#xa0;-&#xa0;».</translation>
    </message>
    <message>
        <source>The pupil %1 could not be added: %2</source>
        <translation>L’élève %1 n’a pas pu être ajouté&#xa0;: %2</translation>
    </message>
    <message>
        <source>The server has no class&apos;s tables: the teacher makes them with velkaro --class-setup.</source>
        <translation>Le serveur n’a pas les tables d’une classe&#xa0;: l’enseignant les crée avec velkaro --class-setup.</translation>
    </message>
</context>
<context>
    <name>ClassUrl</name>
    <message>
        <source>A class server is named by a URL such as postgresql://school.example/velkaro.</source>
        <translation>Le serveur d’une classe se désigne par une URL comme postgresql://school.example/velkaro.</translation>
    </message>
    <message>
        <source>The class server&apos;s URL must not hold a password: give it to PostgreSQL in ~/.pgpass, PGPASSWORD or a service file instead.</source>
        <translation>L’URL du serveur de la classe ne doit pas contenir de mot de passe&#xa0;: donnez-le plutôt à PostgreSQL dans ~/.pgpass, PGPASSWORD ou un fichier de service.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a port number.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un numéro de port.</translation>
    </message>
    <message>
        <source>The class server&apos;s URL has a parameter without a value.</source>
        <translation>L’URL du serveur de la classe a un paramètre sans valeur.</translation>
    </message>
    <message>
        <source>The value of %1 in the class server&apos;s URL must not hold a semicolon.</source>
        <translation>La valeur de %1 dans l’URL du serveur de la classe ne doit pas contenir de point-virgule.</translation>
    </message>
    <message>
        <source>The database name in the class server&apos;s URL holds connection settings: name the database alone.</source>
        <translation>Le nom de base de données dans l’URL du serveur de la classe contient des réglages de connexion&#xa0;: indiquez seulement la base.</translation>
    </message>
</context>
<context>
    <name>ClassWindow</name>
    <message>
        <source>Class – Velkaro</source>
        <translation>Classe – Velkaro</translation>
    </message>
    <message>
        <source>Your answers are always kept on this computer. With a class&apos;s server they are also sent there, where your teacher sees how you practise. The password is not kept here: PostgreSQL reads it from ~/.pgpass.</source>
        <translation>Vos réponses sont toujours gardées sur cet ordinateur. Avec le serveur d’une classe, elles y sont aussi envoyées, et votre enseignant voit comment vous vous exercez. Le mot de passe n’est pas gardé ici&#xa0;: PostgreSQL le lit dans ~/.pgpass.</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>&amp;Serveur&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Login name:</source>
        <translation>&amp;Identifiant&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Join</source>
        <translation>&amp;Rejoindre</translation>
    </message>
    <message>
        <source>&amp;Leave class</source>
        <translation>&amp;Quitter la classe</translation>
    </message>
    <message>
        <source>The class</source>
        <translation>La classe</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Actualiser</translation>
    </message>
    <message>
        <source>&amp;Progress…</source>
        <translation>&amp;Progrès…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be a login name: use letters, digits, &apos;_&apos;, &apos;.&apos; and &apos;-&apos;.</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas être un identifiant&#xa0;: utilisez des lettres, des chiffres, «&#xa0;_&#xa0;», «&#xa0;.&#xa0;» et «&#xa0;-&#xa0;».</translation>
    </message>
    <message>
        <source>You practise alone: your answers stay on this computer.</source>
        <translation>Vous vous exercez seul&#xa0;: vos réponses restent sur cet ordinateur.</translation>
    </message>
    <message>
        <source>Asking the server…</source>
        <translation>Interrogation du serveur…</translation>
    </message>
    <message>
        <source>You are the class&apos;s teacher: double-click a pupil for their progress.</source>
        <translation>Vous êtes l’enseignant de la classe&#xa0;: double-cliquez sur un élève pour voir ses progrès.</translation>
    </message>
    <message>
        <source>Your answers are sent to this class as %1.</source>
        <translation>Vos réponses sont envoyées à cette classe en tant que %1.</translation>
    </message>
    <message>
        <source>your login</source>
        <translation>votre identifiant</translation>
    </message>
    <message>
        <source>Reading %1&apos;s answers…</source>
        <translation>Lecture des réponses de %1…</translation>
    </message>
    <message>
        <source>Progress of %1 – Velkaro</source>
        <translation>Progrès de %1 – Velkaro</translation>
    </message>
</context>
<context>
    <name>CsvExport</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d’écrire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>it is the record of answers itself</source>
        <translation>c’est l’historique des réponses lui-même</translation>
    </message>
</context>
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
    <name>NoteStaffPicture</name>
    <message>
        <source>%1: never asked</source>
        <translation>%1&#xa0;: jamais demandée</translation>
    </message>
    <message>
        <source>Answers: %1, right: %2</source>
        <translation>Réponses&#xa0;: %1, justes&#xa0;: %2</translation>
    </message>
    <message>
        <source>Of the last %1: %2 right</source>
        <translation>Sur les %1 dernières&#xa0;: %2 justes</translation>
    </message>
    <message>
        <source>Median time of those right: %1</source>
        <translation>Temps médian des justes&#xa0;: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
</context>
<context>
    <name>ProgressChart</name>
    <message>
        <source>Right answers (%)</source>
        <translation>Réponses justes (%)</translation>
    </message>
    <message>
        <source>Notes per minute of test time</source>
        <translation>Notes par minute de test</translation>
    </message>
    <message>
        <source>MMM d</source>
        <extracomment>The date format of the labels under the chart (d day, M month, MMM its short name).</extracomment>
        <translation>d/M</translation>
    </message>
    <message>
        <source>No tests in the last %1 days</source>
        <translation>Aucun test ces %1 derniers jours</translation>
    </message>
    <message>
        <source>Accuracy and speed, day by day</source>
        <translation>Justesse et vitesse, jour par jour</translation>
    </message>
    <message>
        <source>Accuracy and speed, week by week</source>
        <translation>Justesse et vitesse, semaine par semaine</translation>
    </message>
    <message>
        <source>Right notes in the day&apos;s best one-minute challenge</source>
        <translation>Notes justes du meilleur défi du jour</translation>
    </message>
    <message>
        <source>Right notes in the week&apos;s best one-minute challenge</source>
        <translation>Notes justes du meilleur défi de la semaine</translation>
    </message>
</context>
<context>
    <name>ProgressFile</name>
    <message>
        <source>There is no record of answers at %1.</source>
        <translation>Il n’y a pas d’historique des réponses à %1.</translation>
    </message>
    <message>
        <source>%1 is not a record of answers.</source>
        <translation>%1 n’est pas un historique des réponses.</translation>
    </message>
    <message>
        <source>The record of answers %1 cannot be read: %2</source>
        <translation>L’historique des réponses %1 ne peut pas être lu&#xa0;: %2</translation>
    </message>
    <message>
        <source>it cannot be copied to be read</source>
        <translation>il ne peut pas être copié pour être lu</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>The chart cannot be shown: %1</source>
        <translation>Le graphique ne peut pas être affiché&#xa0;: %1</translation>
    </message>
    <message>
        <source>Progress – Velkaro</source>
        <translation>Progrès – Velkaro</translation>
    </message>
    <message>
        <source>Note by note</source>
        <translation>Note par note</translation>
    </message>
    <message>
        <source>Each note is coloured by its last ten answers, from red for always wrong to green for always right; an open grey note was never asked. Under it stands the median time of its right answers among those ten. Point at a note for its figures.</source>
        <translation>Chaque note est colorée selon ses dix dernières réponses, du rouge pour toujours fausse au vert pour toujours juste&#xa0;; une note grise et vide n’a jamais été demandée. En dessous figure le temps médian de ses réponses justes parmi ces dix. Pointez une note pour voir ses chiffres.</translation>
    </message>
    <message>
        <source>Over time</source>
        <translation>Au fil du temps</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Totaux</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Exporter en CSV…</translation>
    </message>
    <message>
        <source>Forget my record…</source>
        <translation>Oublier mon historique…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>No answers recorded yet.</source>
        <translation>Aucune réponse enregistrée pour l’instant.</translation>
    </message>
    <message>
        <source>Answers from %1</source>
        <translation>Réponses de %1</translation>
    </message>
    <message>
        <source>Forget my record</source>
        <translation>Oublier mon historique</translation>
    </message>
    <message>
        <source>The record could not be emptied: %1 cannot be written.</source>
        <translation>L’historique n’a pas pu être vidé&#xa0;: %1 n’est pas modifiable.</translation>
    </message>
    <message numerus="yes">
        <source>Forget all %n answers in your record? This cannot be undone.</source>
        <translation>
            <numerusform>Oublier la réponse de votre historique&#xa0;? Cela ne peut pas être annulé.</numerusform>
            <numerusform>Oublier les %n réponses de votre historique&#xa0;? Cela ne peut pas être annulé.</numerusform>
        </translation>
    </message>
    <message>
        <source>Forget</source>
        <translation>Oublier</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exporter en CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Fichiers CSV (*.csv)</translation>
    </message>
    <message numerus="yes">
        <source>%n answers written to %1</source>
        <translation>
            <numerusform>%n réponse écrite dans %1</numerusform>
            <numerusform>%n réponses écrites dans %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Your answers are forgotten, but traces of them may remain in the file %1 until Velkaro next writes to it: another program was reading it.</source>
        <translation>Vos réponses sont oubliées, mais des traces peuvent en rester dans le fichier %1 jusqu’à ce que Velkaro y écrive de nouveau : un autre programme le lisait.</translation>
    </message>
    <message>
        <source>These copies beside the record still hold old answers; delete them too if you want them gone:
%1</source>
        <translation>Ces copies à côté du relevé contiennent encore d’anciennes réponses ; supprimez-les aussi si vous voulez qu’elles disparaissent :
%1</translation>
    </message>
    <message>
        <source>Key:</source>
        <translation>Tonalité :</translation>
    </message>
    <message>
        <source>All keys</source>
        <translation>Toutes les tonalités</translation>
    </message>
    <message>
        <source>One-minute challenges: your bests</source>
        <translation>Défis d&apos;une minute : vos records</translation>
    </message>
</context>
<context>
    <name>ReportText</name>
    <message>
        <source>%1 s</source>
        <comment>seconds</comment>
        <translation>%1&#xa0;s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1&#xa0;min</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1&#xa0;h %2&#xa0;min</translation>
    </message>
    <message>
        <source>%1%</source>
        <extracomment>A whole percentage; %1 is the number.</extracomment>
        <translation>%1&#xa0;%</translation>
    </message>
    <message>
        <source>Treble clef</source>
        <translation>Clé de sol</translation>
    </message>
    <message>
        <source>Bass clef</source>
        <translation>Clé de fa</translation>
    </message>
    <message>
        <source>Alto clef</source>
        <translation>Clé d&apos;ut 3e ligne</translation>
    </message>
    <message>
        <source>Tenor clef</source>
        <translation>Clé d&apos;ut 4e ligne</translation>
    </message>
    <message>
        <source>Grand staff</source>
        <translation>Grande portée</translation>
    </message>
    <message>
        <source>the clef&apos;s two octaves</source>
        <translation>les deux octaves de la clé</translation>
    </message>
    <message>
        <source>on the staff</source>
        <translation>sur la portée</translation>
    </message>
    <message>
        <source>staff and two ledger lines</source>
        <translation>portée et deux lignes supplémentaires</translation>
    </message>
    <message>
        <source>staff and four ledger lines</source>
        <translation>portée et quatre lignes supplémentaires</translation>
    </message>
    <message>
        <source>a changing key</source>
        <translation>tonalité changeante</translation>
    </message>
    <message>
        <source>with accidentals</source>
        <translation>avec altérations</translation>
    </message>
    <message>
        <source>more of the notes missed</source>
        <translation>davantage les notes manquées</translation>
    </message>
    <message>
        <source>notes at random</source>
        <translation>notes au hasard</translation>
    </message>
</context>
<context>
    <name>ServerProgress</name>
    <message>
        <source>%1 on %2</source>
        <translation>%1 sur %2</translation>
    </message>
</context>
<context>
    <name>TotalsTable</name>
    <message>
        <source>All time</source>
        <translation>Depuis le début</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>7 derniers jours</translation>
    </message>
    <message>
        <source>Notes answered</source>
        <translation>Notes répondues</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Justes</translation>
    </message>
    <message>
        <source>Time in tests</source>
        <translation>Temps en test</translation>
    </message>
    <message>
        <source>Tests</source>
        <translation>Tests</translation>
    </message>
    <message>
        <source>Longest run of right answers</source>
        <translation>Plus longue série de réponses justes</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
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
    <message>
        <source>Progress</source>
        <translation>Progrès</translation>
    </message>
    <message>
        <source>%1 is not a Velkaro practice record, or it is damaged. Velkaro leaves it as it is and does not record your answers this time.</source>
        <translation>%1 n’est pas un relevé d’exercices de Velkaro, ou il est endommagé. Velkaro le laisse tel quel et n’enregistre pas vos réponses cette fois.</translation>
    </message>
    <message>
        <source>Another file has taken the place of your practice record. Velkaro has left that file alone and saved your record, with every answer, as %1; it goes on recording there.</source>
        <translation>Un autre fichier a pris la place de votre relevé d’exercices. Velkaro n’a pas touché à ce fichier et a enregistré votre relevé, avec toutes vos réponses, sous %1 ; il continue d’y enregistrer.</translation>
    </message>
    <message>
        <source>Your practice record was deleted or moved away while Velkaro was running. Velkaro has saved it again, with every answer, at %1 and goes on recording there.</source>
        <translation>Votre relevé d’exercices a été supprimé ou déplacé pendant que Velkaro tournait. Velkaro l’a de nouveau enregistré, avec toutes vos réponses, sous %1 et continue d’y enregistrer.</translation>
    </message>
    <message>
        <source>Saving your answers…</source>
        <translation>Enregistrement de vos réponses…</translation>
    </message>
    <message>
        <source>Another program is holding your practice record %1. Velkaro quits as soon as your answers are saved.</source>
        <translation>Un autre programme occupe votre relevé d’exercices %1. Velkaro se fermera dès que vos réponses seront enregistrées.</translation>
    </message>
    <message>
        <source>Quit without saving them</source>
        <translation>Quitter sans les enregistrer</translation>
    </message>
    <message>
        <source>Class…</source>
        <translation>Classe…</translation>
    </message>
    <message>
        <source>One-Minute Challenge</source>
        <translation>Défi d&apos;une minute</translation>
    </message>
</context>
<context>
    <name>VKKbConfig</name>
    <message>
        <source>Four Octaves</source>
        <translation>Quatre octaves</translation>
    </message>
    <message>
        <source>All 88 Keys</source>
        <translation>Les 88 touches</translation>
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
        <extracomment>The name of a note under the staff, as a learner of this language names it: a letter (C) or a syllable (Do). Keep it short.</extracomment>
        <translation>Do</translation>
    </message>
    <message>
        <source>D</source>
        <comment>note name</comment>
        <translation>Ré</translation>
    </message>
    <message>
        <source>E</source>
        <comment>note name</comment>
        <translation>Mi</translation>
    </message>
    <message>
        <source>F</source>
        <comment>note name</comment>
        <translation>Fa</translation>
    </message>
    <message>
        <source>G</source>
        <comment>note name</comment>
        <translation>Sol</translation>
    </message>
    <message>
        <source>A</source>
        <comment>note name</comment>
        <translation>La</translation>
    </message>
    <message>
        <source>B</source>
        <comment>note name</comment>
        <translation>Si</translation>
    </message>
    <message>
        <source>C♯</source>
        <comment>note name</comment>
        <extracomment>A sharp note&apos;s name (German Cis, French Do♯).</extracomment>
        <translation>Do♯</translation>
    </message>
    <message>
        <source>D♯</source>
        <comment>note name</comment>
        <translation>Ré♯</translation>
    </message>
    <message>
        <source>E♯</source>
        <comment>note name</comment>
        <translation>Mi♯</translation>
    </message>
    <message>
        <source>F♯</source>
        <comment>note name</comment>
        <translation>Fa♯</translation>
    </message>
    <message>
        <source>G♯</source>
        <comment>note name</comment>
        <translation>Sol♯</translation>
    </message>
    <message>
        <source>A♯</source>
        <comment>note name</comment>
        <translation>La♯</translation>
    </message>
    <message>
        <source>B♯</source>
        <comment>note name</comment>
        <translation>Si♯</translation>
    </message>
    <message>
        <source>C♭</source>
        <comment>note name</comment>
        <extracomment>A flat note&apos;s name (German Ces, Es, As, B; French Do♭).</extracomment>
        <translation>Do♭</translation>
    </message>
    <message>
        <source>D♭</source>
        <comment>note name</comment>
        <translation>Ré♭</translation>
    </message>
    <message>
        <source>E♭</source>
        <comment>note name</comment>
        <translation>Mi♭</translation>
    </message>
    <message>
        <source>F♭</source>
        <comment>note name</comment>
        <translation>Fa♭</translation>
    </message>
    <message>
        <source>G♭</source>
        <comment>note name</comment>
        <translation>Sol♭</translation>
    </message>
    <message>
        <source>A♭</source>
        <comment>note name</comment>
        <translation>La♭</translation>
    </message>
    <message>
        <source>B♭</source>
        <comment>note name</comment>
        <translation>Si♭</translation>
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
    <message>
        <source>Key:</source>
        <translation>Tonalité :</translation>
    </message>
    <message>
        <source>Changing</source>
        <translation>Changeante</translation>
    </message>
    <message>
        <source>With accidentals</source>
        <translation>Avec altérations</translation>
    </message>
    <message>
        <source>%1 major / %2 minor</source>
        <extracomment>A key in the Test settings: %1 the major key&apos;s note, %2 its relative minor&apos;s.</extracomment>
        <translation>%1 majeur / %2 mineur</translation>
    </message>
    <message>
        <source>Alto</source>
        <translation>Clé d&apos;ut 3e ligne</translation>
    </message>
    <message>
        <source>Tenor</source>
        <translation>Clé d&apos;ut 4e ligne</translation>
    </message>
    <message>
        <source>Range:</source>
        <translation>Étendue&#xa0;:</translation>
    </message>
    <message>
        <source>The clef&apos;s two octaves</source>
        <translation>Les deux octaves de la clé</translation>
    </message>
    <message>
        <source>On the staff</source>
        <translation>Sur la portée</translation>
    </message>
    <message>
        <source>Staff and two ledger lines</source>
        <translation>Portée et deux lignes supplémentaires</translation>
    </message>
    <message>
        <source>Staff and four ledger lines</source>
        <translation>Portée et quatre lignes supplémentaires</translation>
    </message>
    <message>
        <source>My own: from … to …</source>
        <translation>À mon choix&#xa0;: de … à …</translation>
    </message>
    <message>
        <source>From</source>
        <translation>De</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>Treble staff: from</source>
        <translation>Portée de sol&#xa0;: de</translation>
    </message>
    <message>
        <source>Bass staff: from</source>
        <translation>Portée de fa&#xa0;: de</translation>
    </message>
    <message>
        <source>Write a range&apos;s lowest and highest notes as a letter, a # or b if it has one, and an octave, such as A3 and C6, the lower first.</source>
        <translation>Écrivez la note la plus grave et la plus aiguë en notation anglaise, une lettre, un # ou un b s&apos;il y a lieu, et l&apos;octave, par exemple A3 et C6 pour la3 et do6, la plus grave en premier.</translation>
    </message>
    <message>
        <source>The piano&apos;s keys go from A0 to C8.</source>
        <translation>Les touches du piano vont de A0 (la0) à C8 (do8).</translation>
    </message>
    <message>
        <source>On the grand staff the treble staff holds notes from C4 to C8, the bass staff from A0 to B3; leave a staff&apos;s fields empty for no notes on it.</source>
        <translation>Sur la grande portée, la portée de sol porte les notes de C4 à C8, celle de fa les notes de A0 à B3&#xa0;; laissez vides les champs d&apos;une portée pour qu&apos;elle n&apos;en porte aucune.</translation>
    </message>
    <message>
        <source>Give the treble staff or the bass staff a range: with both left empty there is nothing to test.</source>
        <translation>Donnez une étendue à la portée de sol ou à celle de fa&#xa0;: si les deux restent vides, il n&apos;y a rien à tester.</translation>
    </message>
</context>
</TS>
