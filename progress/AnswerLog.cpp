// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress/AnswerLog.h"

#include "progress/RecordQueries.h"
#include "progress/RecordWriter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// A log destroyed with writes still waiting (not through the window's quit,
// which waits as long as the learner likes) gives another program this long
// to let go of the file.
constexpr int ShutdownWaitMs = 10000;
} // namespace

AnswerLog::AnswerLog(const QString &path, QObject *parent) : QObject(parent), m_path(path) {}

AnswerLog::~AnswerLog()
{
    // Waiting delivers the writer's last reports; whoever listened to this
    // log may already be half destroyed (a window that owns it), so they
    // go unheard.
    blockSignals(true);
    if (m_writer && !m_writer->waitUntilDone(ShutdownWaitMs)) {
        qWarning("%d answers could not be written to %s: another program holds it",
                 m_writer->pending(), qPrintable(m_path));
        m_writer->abandon();
    }
}

QString AnswerLog::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/velkaro/progress.sqlite");
}

void AnswerLog::setPath(const QString &path)
{
    if (m_state == State::Closed)
        m_path = path;
}

void AnswerLog::start()
{
    if (m_writer)
        return;
    // Only the default record is ours to clear the way for.
    const bool rescue =
        QFileInfo(m_path).absoluteFilePath() == QFileInfo(defaultPath()).absoluteFilePath();
    m_writer = std::make_unique<RecordWriter>(m_path, rescue);
    connect(m_writer.get(), &RecordWriter::opened, this, &AnswerLog::takeOpening);
    connect(m_writer.get(), &RecordWriter::written, this, [this](const Answer &answer) {
        m_session = answer.session;
        emit recorded(answer);
    });
    connect(m_writer.get(), &RecordWriter::writtenAgain, this,
            [this](const QString &path, bool beside) {
                m_path = path;
                if (m_queries)
                    m_queries->setPath(path);
                emit writtenAgain(path, beside);
            });
    connect(m_writer.get(), &RecordWriter::failed, this, [this](const QString &why) {
        if (m_state != State::Recording)
            return;
        qWarning("Answers are no longer recorded in %s: %s", qPrintable(m_path), qPrintable(why));
        m_state = State::Unwritable;
        emit stopped();
    });
    connect(m_writer.get(), &RecordWriter::forgotten, this, &AnswerLog::forgotten);
    connect(m_writer.get(), &RecordWriter::done, this, &AnswerLog::allWritten);
    m_state = State::Opening;
    m_writer->start();
}

void AnswerLog::openInBackground()
{
    if (m_state == State::Closed)
        start();
}

AnswerLog::State AnswerLog::open()
{
    if (m_state == State::Closed)
        start();
    if (m_state == State::Opening) {
        m_writer->waitForOpen();
        QCoreApplication::sendPostedEvents(m_writer.get(), QEvent::MetaCall);
    }
    return m_state;
}

void AnswerLog::takeOpening(RecordFile::State state, const QString &path, const QString &movedAside,
                            const QString &keptCopy, const QString &why)
{
    m_path = path;
    m_movedAside = movedAside;
    m_keptCopy = keptCopy;
    switch (state) {
    case RecordFile::State::Open:
        m_state = State::Recording;
        m_queries = std::make_unique<RecordQueries>(m_path);
        break;
    case RecordFile::State::Newer:
        m_state = State::Newer;
        break;
    case RecordFile::State::NotOurs:
        m_state = State::NotOurs;
        break;
    case RecordFile::State::Closed:
    case RecordFile::State::Busy:
    case RecordFile::State::Unwritable:
        m_state = State::Unwritable;
        qWarning("Answers are not recorded in %s: %s", qPrintable(m_path), qPrintable(why));
        break;
    }
    emit opened(m_state);
}

void AnswerLog::beginSession(const QString &kind, const QJsonObject &settings, const QDateTime &at)
{
    if (m_writer)
        m_writer->beginSession(kind, settings, at);
}

void AnswerLog::endSession(const QDateTime &at)
{
    if (m_writer)
        m_writer->endSession(at);
}

bool AnswerLog::record(Answer answer)
{
    if (m_state != State::Recording && m_state != State::Opening)
        return false;
    if (answer.at.isNull())
        answer.at = QDateTime::currentDateTimeUtc();
    m_writer->record(answer);
    return true;
}

void AnswerLog::forget()
{
    if (m_writer && (m_state == State::Recording || m_state == State::Opening)) {
        m_writer->forget();
        return;
    }
    emit forgotten(ForgetReport());
}

int AnswerLog::pendingWrites() const
{
    return m_writer ? m_writer->pending() : 0;
}

bool AnswerLog::finishWrites(int timeoutMs)
{
    return !m_writer || m_writer->waitUntilDone(timeoutMs);
}

void AnswerLog::abandonWrites()
{
    if (m_writer)
        m_writer->abandon();
}

QHash<int, QList<PastAnswer>> AnswerLog::recentAnswers(int lowest, int highest, int perNote) const
{
    if (!isRecording() || !m_queries)
        return {};
    return m_queries->recentAnswers(lowest, highest, perNote);
}

QHash<int, QList<PastAnswer>> AnswerLog::recentAnswers(int key, int lowest, int highest,
                                                       int perNote) const
{
    if (!isRecording() || !m_queries)
        return {};
    return m_queries->recentAnswers(key, lowest, highest, perNote);
}

History AnswerLog::challenges() const
{
    if (!isRecording() || !m_queries)
        return {};
    return m_queries->challenges();
}
