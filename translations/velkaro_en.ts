<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Challenge</name>
    <message>
        <source>Get ready… %1</source>
        <extracomment>The score line while a one-minute challenge counts in: 3, 2, 1.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 — %2 right of %3</source>
        <extracomment>The score line in a one-minute challenge: the time left, then the right answers of those given.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChallengeResultBox</name>
    <message>
        <source>One-Minute Challenge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right notes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong notes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right notes per minute:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Median time per right note:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best so far with these settings:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New personal best!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time’s up!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ended early</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A challenge ended before its minute is up never counts as a best.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChallengeTable</name>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Challenges</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No one-minute challenge has run its whole minute yet: start one with File → One-Minute Challenge (Ctrl+M).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClassConnection</name>
    <message>
        <source>Qt&apos;s PostgreSQL driver is not installed, so Velkaro cannot reach a class&apos;s server (on Debian and Ubuntu, install the package libqt6sql6-psql).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The class server %1 cannot be reached: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The class server %1 answered with an error: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClassCopier</name>
    <message>
        <source>The practice record %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The practice record %1 was written by a newer version of Velkaro.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClassLink</name>
    <message>
        <source>Class: sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every answer is on the class&apos;s server.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Class: %n to send</source>
        <translation>
            <numerusform>Class: %n to send</numerusform>
            <numerusform>Class: %n to send</numerusform>
        </translation>
    </message>
    <message>
        <source>Class: offline</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n answers wait to be sent. %1</source>
        <translation>
            <numerusform>%n answer waits to be sent. %1</numerusform>
            <numerusform>%n answers wait to be sent. %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Class: PostgreSQL driver missing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClassReport</name>
    <message>
        <source>The class report could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pupil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right/min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last 7 days right %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missed most</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClassSchema</name>
    <message>
        <source>The class&apos;s tables could not be made: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be a pupil&apos;s name: use letters, digits, &apos;_&apos;, &apos;.&apos; and &apos;-&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pupil %1 could not be added: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server has no class&apos;s tables: the teacher makes them with velkaro --class-setup.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClassUrl</name>
    <message>
        <source>A class server is named by a URL such as postgresql://school.example/velkaro.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The class server&apos;s URL must not hold a password: give it to PostgreSQL in ~/.pgpass, PGPASSWORD or a service file instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a port number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The class server&apos;s URL has a parameter without a value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The value of %1 in the class server&apos;s URL must not hold a semicolon.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database name in the class server&apos;s URL holds connection settings: name the database alone.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClassWindow</name>
    <message>
        <source>Class – Velkaro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your answers are always kept on this computer. With a class&apos;s server they are also sent there, where your teacher sees how you practise. The password is not kept here: PostgreSQL reads it from ~/.pgpass.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Login name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Join</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Leave class</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The class</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Progress…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be a login name: use letters, digits, &apos;_&apos;, &apos;.&apos; and &apos;-&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You practise alone: your answers stay on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asking the server…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You are the class&apos;s teacher: double-click a pupil for their progress.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your answers are sent to this class as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>your login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1&apos;s answers…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress of %1 – Velkaro</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CsvExport</name>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is the record of answers itself</source>
        <translation type="unfinished"></translation>
    </message>
</context>
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
    <name>NoteStaffPicture</name>
    <message>
        <source>%1: never asked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answers: %1, right: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Of the last %1: %2 right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Median time of those right: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressChart</name>
    <message>
        <source>Right answers (%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes per minute of test time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MMM d</source>
        <extracomment>The date format of the labels under the chart (d day, M month, MMM its short name).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tests in the last %1 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accuracy and speed, day by day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accuracy and speed, week by week</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right notes in the day&apos;s best one-minute challenge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right notes in the week&apos;s best one-minute challenge</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressFile</name>
    <message>
        <source>There is no record of answers at %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a record of answers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record of answers %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot be copied to be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>The chart cannot be shown: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress – Velkaro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note by note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each note is coloured by its last ten answers, from red for always wrong to green for always right; an open grey note was never asked. Under it stands the median time of its right answers among those ten. Point at a note for its figures.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Over time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Totals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget my record…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No answers recorded yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Answers from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget my record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The record could not be emptied: %1 cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Forget all %n answers in your record? This cannot be undone.</source>
        <translation>
            <numerusform>Forget the one answer in your record? This cannot be undone.</numerusform>
            <numerusform>Forget all %n answers in your record? This cannot be undone.</numerusform>
        </translation>
    </message>
    <message>
        <source>Forget</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n answers written to %1</source>
        <translation>
            <numerusform>%n answer written to %1</numerusform>
            <numerusform>%n answers written to %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Your answers are forgotten, but traces of them may remain in the file %1 until Velkaro next writes to it: another program was reading it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These copies beside the record still hold old answers; delete them too if you want them gone:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One-minute challenges: your bests</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportText</name>
    <message>
        <source>%1 s</source>
        <comment>seconds</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%</source>
        <extracomment>A whole percentage; %1 is the number.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Treble clef</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bass clef</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alto clef</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tenor clef</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grand staff</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the clef&apos;s two octaves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on the staff</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>staff and two ledger lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>staff and four ledger lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a changing key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with accidentals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more of the notes missed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>notes at random</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServerProgress</name>
    <message>
        <source>%1 on %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TotalsTable</name>
    <message>
        <source>All time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last 7 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes answered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time in tests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Longest run of right answers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
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
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a Velkaro practice record, or it is damaged. Velkaro leaves it as it is and does not record your answers this time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another file has taken the place of your practice record. Velkaro has left that file alone and saved your record, with every answer, as %1; it goes on recording there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your practice record was deleted or moved away while Velkaro was running. Velkaro has saved it again, with every answer, at %1 and goes on recording there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving your answers…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another program is holding your practice record %1. Velkaro quits as soon as your answers are saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit without saving them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Class…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One-Minute Challenge</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VKKbConfig</name>
    <message>
        <source>Four Octaves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All 88 Keys</source>
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
        <extracomment>The name of a note under the staff, as a learner of this language names it: a letter (C) or a syllable (Do). Keep it short.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C♯</source>
        <comment>note name</comment>
        <extracomment>A sharp note&apos;s name (German Cis, French Do♯).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D♯</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E♯</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F♯</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G♯</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A♯</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B♯</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C♭</source>
        <comment>note name</comment>
        <extracomment>A flat note&apos;s name (German Ces, Es, As, B; French Do♭).</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D♭</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E♭</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F♭</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>G♭</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A♭</source>
        <comment>note name</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B♭</source>
        <comment>note name</comment>
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
    <message>
        <source>Key:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With accidentals</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 major / %2 minor</source>
        <extracomment>A key in the Test settings: %1 the major key&apos;s note, %2 its relative minor&apos;s.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alto</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tenor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clef&apos;s two octaves</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the staff</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Staff and two ledger lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Staff and four ledger lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>My own: from … to …</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Treble staff: from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bass staff: from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write a range&apos;s lowest and highest notes as a letter, a # or b if it has one, and an octave, such as A3 and C6, the lower first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The piano&apos;s keys go from A0 to C8.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On the grand staff the treble staff holds notes from C4 to C8, the bass staff from A0 to B3; leave a staff&apos;s fields empty for no notes on it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the treble staff or the bass staff a range: with both left empty there is nothing to test.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
