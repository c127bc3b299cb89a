// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class ClassSender;
class ClassWindow;
struct ClassStatus;
class QWidget;

// The learner's class: the server kept in the settings, the sender that
// copies the record there, and File > Class..., wired together for the
// main window, which shows statusChanged() in its status line.
class ClassLink : public QObject
{
    Q_OBJECT
public:
    explicit ClassLink(QWidget *window);
    ~ClassLink() override;

    // Starts sending the record at recordPath to the kept class, if any.
    void start(const QString &recordPath);
    ClassSender *sender() const { return m_sender.get(); }
    ClassWindow *window() const;
    // The status line's text: "Class: sent", "Class: 12 to send",
    // "Class: offline" or, without Qt's PostgreSQL driver, "Class:
    // PostgreSQL driver missing"; empty without a class.
    QString statusText() const { return m_text; }

public slots:
    // Keeps this class and sends to it from now on.
    void choose(const QString &url, const QString &pupil);
    void leave();
    void answersRecorded();
    // The record was written again at recordPath, beside a file that took
    // its place: its rows go on to the server from there, under its id.
    void recordMoved(const QString &recordPath);
    void showWindow();

signals:
    void statusChanged(const QString &text, const QString &toolTip);

private:
    void restart();
    void showStatus(const ClassStatus &status);

    QWidget *m_parent;
    QString m_recordPath;
    bool m_started = false;
    std::unique_ptr<ClassSender> m_sender;
    QPointer<ClassWindow> m_window;
    QString m_text;
};
