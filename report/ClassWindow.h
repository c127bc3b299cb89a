// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/ClassReport.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QThread;
class ProgressWindow;

// File > Class...: the class's server and the pupil's login, and how the
// sending stands. On a teacher's login it shows the class report, one line
// per pupil, and opens a pupil's Progress window from the server's rows.
// Whatever it asks the server, it asks from a thread of its own, so a slow
// server never holds the window up. Choosing or leaving a class is only
// said through classChosen() and classLeft(): the program keeps it.
class ClassWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ClassWindow(QWidget *parent = nullptr);
    ~ClassWindow() override;

    // The class as kept; asks the server who the login is.
    void setClass(const QString &url, const QString &pupil);
    void setStatus(const QString &text);

    QLineEdit *urlEdit() const { return m_url; }
    QLineEdit *pupilEdit() const { return m_pupil; }
    QPushButton *joinButton() const { return m_join; }
    QTableWidget *table() const { return m_table; }
    QString message() const;
    // Whether the login reads the whole class; false until the server said so.
    bool isTeacher() const { return m_teacher; }
    // Whether the server is being asked.
    bool isBusy() const { return m_job != nullptr; }
    ProgressWindow *progressWindow() const;

public slots:
    // Checks the fields and announces the class.
    void join();
    void leave();
    // Asks the server for the report again.
    void refresh();
    // Opens the Progress window of the pupil in the table's current row.
    void openProgress();

signals:
    void classChosen(const QString &url, const QString &pupil);
    void classLeft();
    // The server's answer arrived and is shown.
    void answered();

protected:
    void changeEvent(QEvent *event) override;

private:
    struct Answer;
    void retranslate();
    void ask();
    void showAnswer(const Answer &answer);
    void showReport(const QList<PupilFigures> &pupils);
    // Runs work on a thread of its own, then what it returns on the window's.
    void run(std::function<std::function<void()>()> work);
    void say(const QString &text);

    QLabel *m_intro;
    QLabel *m_urlLabel;
    QLabel *m_pupilLabel;
    QLineEdit *m_url;
    QLineEdit *m_pupil;
    QPushButton *m_join;
    QPushButton *m_leave;
    QLabel *m_status;
    QLabel *m_message;
    QLabel *m_tableHeading;
    QTableWidget *m_table;
    QPushButton *m_refresh;
    QPushButton *m_progressButton;
    QPushButton *m_close;
    QBoxLayout *m_column = nullptr;
    QThread *m_job = nullptr;
    bool m_teacher = false;
    QString m_keptUrl;
    QString m_keptPupil;
    QPointer<ProgressWindow> m_progress;
};
