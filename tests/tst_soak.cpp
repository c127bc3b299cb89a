// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoundServer.h"
#include "WindowDriver.h"

#include "app/VKControl.h"
#include "app/VKScore.h"
#include "notes/Catalogue.h"
#include "platform/QPEApplication.h"
#include "platform/sound/SoundEngine.h"
#include "platform/sound/SoundMixer.h"
#include "progress/AnswerLog.h"
#include "staff/VKTest.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QProcess>
#include <QPushButton>
#include <QTest>

// The heaviest load a user can set up: a test whose every note runs out at
// once, each one drawn and sounded, for a minute (VELKARO_SOAK_SECONDS).
// Memory must stay flat, the sound server must see one stream, and the
// toggle must still end it.

namespace {

long long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const auto lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// Playback streams the sound server has open, from any client.
int serverStreams()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")});
    if (!pactl.waitForFinished(5000))
        return -1;
    return int(pactl.readAllStandardOutput().count('\n'));
}

} // namespace

class SoakTest : public QObject
{
    Q_OBJECT
private slots:
    void intervalZeroForAMinuteStaysFlatBoundedAndStoppable()
    {
        VELKARO_REQUIRE_SOUND_SERVER();
        const int seconds = qEnvironmentVariableIntValue("VELKARO_SOAK_SECONDS") > 0
                                ? qEnvironmentVariableIntValue("VELKARO_SOAK_SECONDS")
                                : 60;
        VKControl window;
        window.resize(800, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPushButton *toggle = WindowDriver::testToggle(&window);
        QVERIFY(toggle);
        window.staffView()->setTestTime(0);
        toggle->setChecked(true);

        // Warm-up: samples decoded, caches filled.
        const int warmUpMs = qMin(10000, seconds * 1000 / 6);
        QTest::qWait(warmUpMs);
        long long lowest = residentKiB();
        long long highest = lowest;
        int mostStreams = 0;
        int mostVoices = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < seconds * 1000 - warmUpMs) {
            QTest::qWait(500);
            const long long rss = residentKiB();
            lowest = qMin(lowest, rss);
            highest = qMax(highest, rss);
            mostVoices = qMax(mostVoices, SoundEngine::instance()->liveVoices());
            mostStreams = qMax(mostStreams, serverStreams());
        }
        const int tested = window.scoreView()->notesTested();
        qInfo("%d notes judged in %d s; resident memory %lld..%lld KiB; at most %d voices and "
              "%d server streams",
              tested, seconds, lowest, highest, mostVoices, mostStreams);

        QVERIFY2(tested > seconds * 10, "the test hardly ran");
        QVERIFY2(highest - lowest <= 2048, "resident memory grew by more than 2 MiB");
        // Every verdict was recorded, and the record's journal kept short.
        const qint64 journal = QFileInfo(window.answerLog()->path() + "-wal").size();
        QVERIFY2(journal <= 16 * 1024 * 1024, qPrintable(QString::number(journal)));
        QVERIFY(mostVoices <= 2 * SoundMixer::MaxVoices);
        QCOMPARE(mostStreams, 1);

        // A click on the toggle still gets through and ends the test.
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(!toggle->isChecked());
        QVERIFY(!window.staffView()->testTimerActive());
        const int afterStop = window.scoreView()->notesTested();
        QTest::qWait(200);
        QCOMPARE(window.scoreView()->notesTested(), afterStop);
    }
};

int main(int argc, char **argv)
{
    QPEApplication app(argc, argv);
    SoakTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_soak.moc"
