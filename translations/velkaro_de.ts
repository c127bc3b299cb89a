<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Challenge</name>
    <message>
        <source>Get ready… %1</source>
        <extracomment>The score line while a one-minute challenge counts in: 3, 2, 1.</extracomment>
        <translation>Achtung… %1</translation>
    </message>
    <message>
        <source>%1 — %2 right of %3</source>
        <extracomment>The score line in a one-minute challenge: the time left, then the right answers of those given.</extracomment>
        <translation>%1 — %2 richtig von %3</translation>
    </message>
</context>
<context>
    <name>ChallengeResultBox</name>
    <message>
        <source>One-Minute Challenge</source>
        <translation>Eine-Minute-Herausforderung</translation>
    </message>
    <message>
        <source>Right notes:</source>
        <translation>Richtige Noten:</translation>
    </message>
    <message>
        <source>Wrong notes:</source>
        <translation>Falsche Noten:</translation>
    </message>
    <message>
        <source>Right notes per minute:</source>
        <translation>Richtige Noten pro Minute:</translation>
    </message>
    <message>
        <source>Median time per right note:</source>
        <translation>Medianzeit pro richtiger Note:</translation>
    </message>
    <message>
        <source>Best so far with these settings:</source>
        <translation>Bisher bestes Ergebnis mit diesen Einstellungen:</translation>
    </message>
    <message>
        <source>Again</source>
        <translation>Noch einmal</translation>
    </message>
    <message>
        <source>New personal best!</source>
        <translation>Neue persönliche Bestleistung!</translation>
    </message>
    <message>
        <source>Time’s up!</source>
        <translation>Die Zeit ist um!</translation>
    </message>
    <message>
        <source>Ended early</source>
        <translation>Vorzeitig beendet</translation>
    </message>
    <message>
        <source>none yet</source>
        <translation>noch keines</translation>
    </message>
    <message>
        <source>A challenge ended before its minute is up never counts as a best.</source>
        <translation>Eine vor Ablauf ihrer Minute beendete Herausforderung zählt nie als Bestleistung.</translation>
    </message>
</context>
<context>
    <name>ChallengeTable</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Bestleistung</translation>
    </message>
    <message>
        <source>Set on</source>
        <translation>Erreicht am</translation>
    </message>
    <message>
        <source>Challenges</source>
        <translation>Herausforderungen</translation>
    </message>
    <message>
        <source>No one-minute challenge has run its whole minute yet: start one with File → One-Minute Challenge (Ctrl+M).</source>
        <translation>Noch keine Eine-Minute-Herausforderung ist über die ganze Minute gelaufen: Sie beginnt mit Datei → Eine-Minute-Herausforderung (Strg+M).</translation>
    </message>
</context>
<context>
    <name>ClassConnection</name>
    <message>
        <source>Qt&apos;s PostgreSQL driver is not installed, so Velkaro cannot reach a class&apos;s server (on Debian and Ubuntu, install the package libqt6sql6-psql).</source>
        <translation>Der PostgreSQL-Treiber von Qt ist nicht installiert, darum kann Velkaro den Server einer Klasse nicht erreichen (unter Debian und Ubuntu: Paket libqt6sql6-psql installieren).</translation>
    </message>
    <message>
        <source>The class server %1 cannot be reached: %2</source>
        <translation>Der Klassenserver %1 ist nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>The class server %1 answered with an error: %2</source>
        <translation>Der Klassenserver %1 meldet einen Fehler: %2</translation>
    </message>
</context>
<context>
    <name>ClassCopier</name>
    <message>
        <source>The practice record %1 cannot be read: %2</source>
        <translation>Die Übungsaufzeichnung %1 ist nicht lesbar: %2</translation>
    </message>
    <message>
        <source>The practice record %1 was written by a newer version of Velkaro.</source>
        <translation>Die Übungsaufzeichnung %1 stammt von einer neueren Version von Velkaro.</translation>
    </message>
</context>
<context>
    <name>ClassLink</name>
    <message>
        <source>Class: sent</source>
        <translation>Klasse: gesendet</translation>
    </message>
    <message>
        <source>Every answer is on the class&apos;s server.</source>
        <translation>Jede Antwort ist auf dem Server der Klasse.</translation>
    </message>
    <message numerus="yes">
        <source>Class: %n to send</source>
        <translation>
            <numerusform>Klasse: %n zu senden</numerusform>
            <numerusform>Klasse: %n zu senden</numerusform>
        </translation>
    </message>
    <message>
        <source>Class: offline</source>
        <translation>Klasse: offline</translation>
    </message>
    <message numerus="yes">
        <source>%n answers wait to be sent. %1</source>
        <translation>
            <numerusform>%n Antwort wartet auf das Senden. %1</numerusform>
            <numerusform>%n Antworten warten auf das Senden. %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Class: PostgreSQL driver missing</source>
        <translation>Klasse: PostgreSQL-Treiber fehlt</translation>
    </message>
</context>
<context>
    <name>ClassReport</name>
    <message>
        <source>The class report could not be read: %1</source>
        <translation>Der Klassenbericht ist nicht lesbar: %1</translation>
    </message>
    <message>
        <source>Pupil</source>
        <translation>Schüler</translation>
    </message>
    <message>
        <source>Answers</source>
        <translation>Antworten</translation>
    </message>
    <message>
        <source>Right %</source>
        <translation>Richtig %</translation>
    </message>
    <message>
        <source>Right/min</source>
        <translation>Richtig/min</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Letzte 7 Tage</translation>
    </message>
    <message>
        <source>Last 7 days right %</source>
        <translation>Letzte 7 Tage richtig %</translation>
    </message>
    <message>
        <source>Missed most</source>
        <translation>Am häufigsten verfehlt</translation>
    </message>
</context>
<context>
    <name>ClassSchema</name>
    <message>
        <source>The class&apos;s tables could not be made: %1</source>
        <translation>Die Tabellen der Klasse konnten nicht angelegt werden: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be a pupil&apos;s name: use letters, digits, &apos;_&apos;, &apos;.&apos; and &apos;-&apos;.</source>
        <translation>„%1“ kann kein Schülername sein: erlaubt sind Buchstaben, Ziffern, „_“, „.“ und „-“.</translation>
    </message>
    <message>
        <source>The pupil %1 could not be added: %2</source>
        <translation>Der Schüler %1 konnte nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The server has no class&apos;s tables: the teacher makes them with velkaro --class-setup.</source>
        <translation>Der Server hat keine Tabellen einer Klasse: die Lehrkraft legt sie mit velkaro --class-setup an.</translation>
    </message>
</context>
<context>
    <name>ClassUrl</name>
    <message>
        <source>A class server is named by a URL such as postgresql://school.example/velkaro.</source>
        <translation>Ein Klassenserver wird mit einer URL wie postgresql://school.example/velkaro angegeben.</translation>
    </message>
    <message>
        <source>The class server&apos;s URL must not hold a password: give it to PostgreSQL in ~/.pgpass, PGPASSWORD or a service file instead.</source>
        <translation>Die URL des Klassenservers darf kein Passwort enthalten: gib es PostgreSQL stattdessen in ~/.pgpass, PGPASSWORD oder einer Servicedatei.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a port number.</source>
        <translation>„%1“ ist keine Portnummer.</translation>
    </message>
    <message>
        <source>The class server&apos;s URL has a parameter without a value.</source>
        <translation>Die URL des Klassenservers hat einen Parameter ohne Wert.</translation>
    </message>
    <message>
        <source>The value of %1 in the class server&apos;s URL must not hold a semicolon.</source>
        <translation>Der Wert von %1 in der URL des Klassenservers darf kein Semikolon enthalten.</translation>
    </message>
    <message>
        <source>The database name in the class server&apos;s URL holds connection settings: name the database alone.</source>
        <translation>Der Datenbankname in der URL des Klassenservers enthält Verbindungseinstellungen: gib nur den Namen der Datenbank an.</translation>
    </message>
</context>
<context>
    <name>ClassWindow</name>
    <message>
        <source>Class – Velkaro</source>
        <translation>Klasse – Velkaro</translation>
    </message>
    <message>
        <source>Your answers are always kept on this computer. With a class&apos;s server they are also sent there, where your teacher sees how you practise. The password is not kept here: PostgreSQL reads it from ~/.pgpass.</source>
        <translation>Deine Antworten werden immer auf diesem Computer aufbewahrt. Mit dem Server einer Klasse werden sie auch dorthin gesendet, wo deine Lehrkraft sieht, wie du übst. Das Passwort wird hier nicht gespeichert: PostgreSQL liest es aus ~/.pgpass.</translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation>&amp;Server:</translation>
    </message>
    <message>
        <source>&amp;Login name:</source>
        <translation>&amp;Anmeldename:</translation>
    </message>
    <message>
        <source>&amp;Join</source>
        <translation>&amp;Beitreten</translation>
    </message>
    <message>
        <source>&amp;Leave class</source>
        <translation>Klasse &amp;verlassen</translation>
    </message>
    <message>
        <source>The class</source>
        <translation>Die Klasse</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Progress…</source>
        <translation>&amp;Fortschritt…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be a login name: use letters, digits, &apos;_&apos;, &apos;.&apos; and &apos;-&apos;.</source>
        <translation>„%1“ kann kein Anmeldename sein: erlaubt sind Buchstaben, Ziffern, „_“, „.“ und „-“.</translation>
    </message>
    <message>
        <source>You practise alone: your answers stay on this computer.</source>
        <translation>Du übst allein: deine Antworten bleiben auf diesem Computer.</translation>
    </message>
    <message>
        <source>Asking the server…</source>
        <translation>Der Server wird gefragt…</translation>
    </message>
    <message>
        <source>You are the class&apos;s teacher: double-click a pupil for their progress.</source>
        <translation>Du bist die Lehrkraft der Klasse: ein Doppelklick auf einen Schüler zeigt seinen Fortschritt.</translation>
    </message>
    <message>
        <source>Your answers are sent to this class as %1.</source>
        <translation>Deine Antworten werden als %1 an diese Klasse gesendet.</translation>
    </message>
    <message>
        <source>your login</source>
        <translation>deine Anmeldung</translation>
    </message>
    <message>
        <source>Reading %1&apos;s answers…</source>
        <translation>Die Antworten von %1 werden gelesen…</translation>
    </message>
    <message>
        <source>Progress of %1 – Velkaro</source>
        <translation>Fortschritt von %1 – Velkaro</translation>
    </message>
</context>
<context>
    <name>CsvExport</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>it is the record of answers itself</source>
        <translation>es ist die Antwortaufzeichnung selbst</translation>
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
    <name>NoteStaffPicture</name>
    <message>
        <source>%1: never asked</source>
        <translation>%1: nie abgefragt</translation>
    </message>
    <message>
        <source>Answers: %1, right: %2</source>
        <translation>Antworten: %1, richtig: %2</translation>
    </message>
    <message>
        <source>Of the last %1: %2 right</source>
        <translation>Von den letzten %1: %2 richtig</translation>
    </message>
    <message>
        <source>Median time of those right: %1</source>
        <translation>Medianzeit der richtigen: %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
</context>
<context>
    <name>ProgressChart</name>
    <message>
        <source>Right answers (%)</source>
        <translation>Richtige Antworten (%)</translation>
    </message>
    <message>
        <source>Notes per minute of test time</source>
        <translation>Noten pro Minute Testzeit</translation>
    </message>
    <message>
        <source>MMM d</source>
        <extracomment>The date format of the labels under the chart (d day, M month, MMM its short name).</extracomment>
        <translation>d.M.</translation>
    </message>
    <message>
        <source>No tests in the last %1 days</source>
        <translation>Keine Tests in den letzten %1 Tagen</translation>
    </message>
    <message>
        <source>Accuracy and speed, day by day</source>
        <translation>Genauigkeit und Tempo, Tag für Tag</translation>
    </message>
    <message>
        <source>Accuracy and speed, week by week</source>
        <translation>Genauigkeit und Tempo, Woche für Woche</translation>
    </message>
    <message>
        <source>Right notes in the day&apos;s best one-minute challenge</source>
        <translation>Richtige Noten in der besten Herausforderung des Tages</translation>
    </message>
    <message>
        <source>Right notes in the week&apos;s best one-minute challenge</source>
        <translation>Richtige Noten in der besten Herausforderung der Woche</translation>
    </message>
</context>
<context>
    <name>ProgressFile</name>
    <message>
        <source>There is no record of answers at %1.</source>
        <translation>Unter %1 gibt es keine Antwortaufzeichnung.</translation>
    </message>
    <message>
        <source>%1 is not a record of answers.</source>
        <translation>%1 ist keine Antwortaufzeichnung.</translation>
    </message>
    <message>
        <source>The record of answers %1 cannot be read: %2</source>
        <translation>Die Antwortaufzeichnung %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>it cannot be copied to be read</source>
        <translation>sie lässt sich zum Lesen nicht kopieren</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>The chart cannot be shown: %1</source>
        <translation>Das Diagramm kann nicht gezeigt werden: %1</translation>
    </message>
    <message>
        <source>Progress – Velkaro</source>
        <translation>Fortschritt – Velkaro</translation>
    </message>
    <message>
        <source>Note by note</source>
        <translation>Note für Note</translation>
    </message>
    <message>
        <source>Each note is coloured by its last ten answers, from red for always wrong to green for always right; an open grey note was never asked. Under it stands the median time of its right answers among those ten. Point at a note for its figures.</source>
        <translation>Jede Note ist nach ihren letzten zehn Antworten gefärbt, von Rot für immer falsch bis Grün für immer richtig; eine offene graue Note wurde nie abgefragt. Darunter steht die Medianzeit ihrer richtigen Antworten unter diesen zehn. Zeigen Sie auf eine Note, um ihre Zahlen zu sehen.</translation>
    </message>
    <message>
        <source>Over time</source>
        <translation>Im Lauf der Zeit</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Summen</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Als CSV exportieren…</translation>
    </message>
    <message>
        <source>Forget my record…</source>
        <translation>Meine Aufzeichnung vergessen…</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>No answers recorded yet.</source>
        <translation>Noch keine Antworten aufgezeichnet.</translation>
    </message>
    <message>
        <source>Answers from %1</source>
        <translation>Antworten aus %1</translation>
    </message>
    <message>
        <source>Forget my record</source>
        <translation>Meine Aufzeichnung vergessen</translation>
    </message>
    <message>
        <source>The record could not be emptied: %1 cannot be written.</source>
        <translation>Die Aufzeichnung konnte nicht geleert werden: %1 ist nicht beschreibbar.</translation>
    </message>
    <message numerus="yes">
        <source>Forget all %n answers in your record? This cannot be undone.</source>
        <translation>
            <numerusform>Die eine Antwort Ihrer Aufzeichnung vergessen? Das lässt sich nicht rückgängig machen.</numerusform>
            <numerusform>Alle %n Antworten Ihrer Aufzeichnung vergessen? Das lässt sich nicht rückgängig machen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Forget</source>
        <translation>Vergessen</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Als CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message numerus="yes">
        <source>%n answers written to %1</source>
        <translation>
            <numerusform>%n Antwort in %1 geschrieben</numerusform>
            <numerusform>%n Antworten in %1 geschrieben</numerusform>
        </translation>
    </message>
    <message>
        <source>Your answers are forgotten, but traces of them may remain in the file %1 until Velkaro next writes to it: another program was reading it.</source>
        <translation>Ihre Antworten sind vergessen, doch Spuren davon können in der Datei %1 bleiben, bis Velkaro das nächste Mal hineinschreibt: Ein anderes Programm las sie gerade.</translation>
    </message>
    <message>
        <source>These copies beside the record still hold old answers; delete them too if you want them gone:
%1</source>
        <translation>Diese Kopien neben dem Protokoll enthalten noch alte Antworten; löschen Sie sie ebenfalls, wenn sie verschwinden sollen:
%1</translation>
    </message>
    <message>
        <source>Key:</source>
        <translation>Tonart:</translation>
    </message>
    <message>
        <source>All keys</source>
        <translation>Alle Tonarten</translation>
    </message>
    <message>
        <source>One-minute challenges: your bests</source>
        <translation>Eine-Minute-Herausforderungen: Ihre Bestleistungen</translation>
    </message>
</context>
<context>
    <name>ReportText</name>
    <message>
        <source>%1 s</source>
        <comment>seconds</comment>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1%</source>
        <extracomment>A whole percentage; %1 is the number.</extracomment>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Treble clef</source>
        <translation>Violinschlüssel</translation>
    </message>
    <message>
        <source>Bass clef</source>
        <translation>Bassschlüssel</translation>
    </message>
    <message>
        <source>Alto clef</source>
        <translation>Altschlüssel</translation>
    </message>
    <message>
        <source>Tenor clef</source>
        <translation>Tenorschlüssel</translation>
    </message>
    <message>
        <source>Grand staff</source>
        <translation>Klaviersystem</translation>
    </message>
    <message>
        <source>the clef&apos;s two octaves</source>
        <translation>die zwei Oktaven des Schlüssels</translation>
    </message>
    <message>
        <source>on the staff</source>
        <translation>im Liniensystem</translation>
    </message>
    <message>
        <source>staff and two ledger lines</source>
        <translation>Liniensystem und zwei Hilfslinien</translation>
    </message>
    <message>
        <source>staff and four ledger lines</source>
        <translation>Liniensystem und vier Hilfslinien</translation>
    </message>
    <message>
        <source>a changing key</source>
        <translation>wechselnde Tonart</translation>
    </message>
    <message>
        <source>with accidentals</source>
        <translation>mit Vorzeichen</translation>
    </message>
    <message>
        <source>more of the notes missed</source>
        <translation>öfter die verfehlten Noten</translation>
    </message>
    <message>
        <source>notes at random</source>
        <translation>Noten zufällig</translation>
    </message>
</context>
<context>
    <name>ServerProgress</name>
    <message>
        <source>%1 on %2</source>
        <translation>%1 auf %2</translation>
    </message>
</context>
<context>
    <name>TotalsTable</name>
    <message>
        <source>All time</source>
        <translation>Insgesamt</translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation>Letzte 7 Tage</translation>
    </message>
    <message>
        <source>Notes answered</source>
        <translation>Beantwortete Noten</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Richtig</translation>
    </message>
    <message>
        <source>Time in tests</source>
        <translation>Zeit in Tests</translation>
    </message>
    <message>
        <source>Tests</source>
        <translation>Tests</translation>
    </message>
    <message>
        <source>Longest run of right answers</source>
        <translation>Längste Reihe richtiger Antworten</translation>
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
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>%1 is not a Velkaro practice record, or it is damaged. Velkaro leaves it as it is and does not record your answers this time.</source>
        <translation>%1 ist kein Übungsprotokoll von Velkaro oder ist beschädigt. Velkaro lässt die Datei, wie sie ist, und zeichnet Ihre Antworten diesmal nicht auf.</translation>
    </message>
    <message>
        <source>Another file has taken the place of your practice record. Velkaro has left that file alone and saved your record, with every answer, as %1; it goes on recording there.</source>
        <translation>Eine andere Datei hat den Platz Ihres Übungsprotokolls eingenommen. Velkaro lässt diese Datei unberührt und hat Ihr Protokoll mit allen Antworten als %1 gespeichert; dort zeichnet es weiter auf.</translation>
    </message>
    <message>
        <source>Your practice record was deleted or moved away while Velkaro was running. Velkaro has saved it again, with every answer, at %1 and goes on recording there.</source>
        <translation>Ihr Übungsprotokoll wurde gelöscht oder verschoben, während Velkaro lief. Velkaro hat es mit allen Antworten wieder unter %1 gespeichert und zeichnet dort weiter auf.</translation>
    </message>
    <message>
        <source>Saving your answers…</source>
        <translation>Ihre Antworten werden gespeichert…</translation>
    </message>
    <message>
        <source>Another program is holding your practice record %1. Velkaro quits as soon as your answers are saved.</source>
        <translation>Ein anderes Programm hält Ihr Übungsprotokoll %1 belegt. Velkaro wird beendet, sobald Ihre Antworten gespeichert sind.</translation>
    </message>
    <message>
        <source>Quit without saving them</source>
        <translation>Ohne Speichern beenden</translation>
    </message>
    <message>
        <source>Class…</source>
        <translation>Klasse…</translation>
    </message>
    <message>
        <source>One-Minute Challenge</source>
        <translation>Eine-Minute-Herausforderung</translation>
    </message>
</context>
<context>
    <name>VKKbConfig</name>
    <message>
        <source>Four Octaves</source>
        <translation>Vier Oktaven</translation>
    </message>
    <message>
        <source>All 88 Keys</source>
        <translation>Alle 88 Tasten</translation>
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
        <extracomment>The name of a note under the staff, as a learner of this language names it: a letter (C) or a syllable (Do). Keep it short.</extracomment>
        <translation>C</translation>
    </message>
    <message>
        <source>D</source>
        <comment>note name</comment>
        <translation>D</translation>
    </message>
    <message>
        <source>E</source>
        <comment>note name</comment>
        <translation>E</translation>
    </message>
    <message>
        <source>F</source>
        <comment>note name</comment>
        <translation>F</translation>
    </message>
    <message>
        <source>G</source>
        <comment>note name</comment>
        <translation>G</translation>
    </message>
    <message>
        <source>A</source>
        <comment>note name</comment>
        <translation>A</translation>
    </message>
    <message>
        <source>B</source>
        <comment>note name</comment>
        <translation>H</translation>
    </message>
    <message>
        <source>C♯</source>
        <comment>note name</comment>
        <extracomment>A sharp note&apos;s name (German Cis, French Do♯).</extracomment>
        <translation>Cis</translation>
    </message>
    <message>
        <source>D♯</source>
        <comment>note name</comment>
        <translation>Dis</translation>
    </message>
    <message>
        <source>E♯</source>
        <comment>note name</comment>
        <translation>Eis</translation>
    </message>
    <message>
        <source>F♯</source>
        <comment>note name</comment>
        <translation>Fis</translation>
    </message>
    <message>
        <source>G♯</source>
        <comment>note name</comment>
        <translation>Gis</translation>
    </message>
    <message>
        <source>A♯</source>
        <comment>note name</comment>
        <translation>Ais</translation>
    </message>
    <message>
        <source>B♯</source>
        <comment>note name</comment>
        <translation>His</translation>
    </message>
    <message>
        <source>C♭</source>
        <comment>note name</comment>
        <extracomment>A flat note&apos;s name (German Ces, Es, As, B; French Do♭).</extracomment>
        <translation>Ces</translation>
    </message>
    <message>
        <source>D♭</source>
        <comment>note name</comment>
        <translation>Des</translation>
    </message>
    <message>
        <source>E♭</source>
        <comment>note name</comment>
        <translation>Es</translation>
    </message>
    <message>
        <source>F♭</source>
        <comment>note name</comment>
        <translation>Fes</translation>
    </message>
    <message>
        <source>G♭</source>
        <comment>note name</comment>
        <translation>Ges</translation>
    </message>
    <message>
        <source>A♭</source>
        <comment>note name</comment>
        <translation>As</translation>
    </message>
    <message>
        <source>B♭</source>
        <comment>note name</comment>
        <translation>B</translation>
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
    <message>
        <source>Key:</source>
        <translation>Tonart:</translation>
    </message>
    <message>
        <source>Changing</source>
        <translation>Wechselnd</translation>
    </message>
    <message>
        <source>With accidentals</source>
        <translation>Mit Vorzeichen</translation>
    </message>
    <message>
        <source>%1 major / %2 minor</source>
        <extracomment>A key in the Test settings: %1 the major key&apos;s note, %2 its relative minor&apos;s.</extracomment>
        <translation>%1-Dur / %2-Moll</translation>
    </message>
    <message>
        <source>Alto</source>
        <translation>Altschlüssel</translation>
    </message>
    <message>
        <source>Tenor</source>
        <translation>Tenorschlüssel</translation>
    </message>
    <message>
        <source>Range:</source>
        <translation>Tonumfang:</translation>
    </message>
    <message>
        <source>The clef&apos;s two octaves</source>
        <translation>Die zwei Oktaven des Schlüssels</translation>
    </message>
    <message>
        <source>On the staff</source>
        <translation>Im Liniensystem</translation>
    </message>
    <message>
        <source>Staff and two ledger lines</source>
        <translation>Liniensystem und zwei Hilfslinien</translation>
    </message>
    <message>
        <source>Staff and four ledger lines</source>
        <translation>Liniensystem und vier Hilfslinien</translation>
    </message>
    <message>
        <source>My own: from … to …</source>
        <translation>Eigener: von … bis …</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Von</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Treble staff: from</source>
        <translation>Violinsystem: von</translation>
    </message>
    <message>
        <source>Bass staff: from</source>
        <translation>Basssystem: von</translation>
    </message>
    <message>
        <source>Write a range&apos;s lowest and highest notes as a letter, a # or b if it has one, and an octave, such as A3 and C6, the lower first.</source>
        <translation>Schreiben Sie die tiefste und die höchste Note als Buchstaben, gegebenenfalls mit # oder b, und Oktave, etwa A3 und C6 (für H3 also B3), die tiefere zuerst.</translation>
    </message>
    <message>
        <source>The piano&apos;s keys go from A0 to C8.</source>
        <translation>Die Tasten des Klaviers reichen von A0 bis C8.</translation>
    </message>
    <message>
        <source>On the grand staff the treble staff holds notes from C4 to C8, the bass staff from A0 to B3; leave a staff&apos;s fields empty for no notes on it.</source>
        <translation>Im Klaviersystem trägt das Violinsystem die Noten von C4 bis C8, das Basssystem die von A0 bis B3 (H3); lassen Sie die Felder eines Systems leer, wenn es keine Noten tragen soll.</translation>
    </message>
    <message>
        <source>Give the treble staff or the bass staff a range: with both left empty there is nothing to test.</source>
        <translation>Geben Sie dem Violinsystem oder dem Basssystem einen Tonumfang: Sind beide leer, gibt es nichts abzufragen.</translation>
    </message>
</context>
</TS>
