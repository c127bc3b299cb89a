// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "notes/KeySignature.h"
#include "progress/ForgetReport.h"
#include "progress/History.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class ChallengeTable;
class NoteStaffPicture;
class ProgressChartView;
class ProgressSource;
class QBoxLayout;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class TotalsTable;

// Where the learner stands, from the answer log (or another source of
// answers, such as a pupil's rows on a class's server): every note of both clefs on
// its staff, accuracy and speed over time, and the totals. It reads the log
// when shown and then only what was added since, so it can follow a test
// that is running. The record can be exported as CSV or forgotten here;
// forgetting is asked for through forgetRequested(), since the program's
// answer log does the writing.
class ProgressWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressWindow(const QString &logPath, QWidget *parent = nullptr);
    // Reads from source; a source that cannot be forgotten offers no button for it.
    explicit ProgressWindow(std::unique_ptr<ProgressSource> source, QWidget *parent = nullptr);
    ~ProgressWindow() override;

    QString logPath() const { return m_path; }
    const History &history() const { return m_history; }
    NoteStaffPicture *staffPicture() const { return m_picture; }
    // The chart, or where it would be a note why it cannot be shown.
    QWidget *chartWidget() const { return m_chartWidget; }
    bool hasChart() const { return m_chart != nullptr; }
    TotalsTable *totals() const { return m_totals; }
    ChallengeTable *challenges() const { return m_challenges; }
    QString statusText() const;
    // The key whose answers the notes show, or none for all of them.
    std::optional<KeySignature> shownKey() const;
    void setShownKey(std::optional<KeySignature> key);

public slots:
    // Reads what was written since the last reading, at once.
    void refresh();
    // The same a moment later, once for any number of calls; while the
    // window is hidden it waits until it is shown.
    void scheduleRefresh();
    // Forgets what was read and reads the whole log again.
    void reload();
    // The record was emptied, or could not be; says what remains.
    void forgetDone(const ForgetReport &report);
    // The record is now kept at path: reads it from there.
    void setLogPath(const QString &path);
    // Asks for a file and writes the record there as CSV.
    void exportCsv();
    // Asks whether to forget the record; emits forgetRequested() on yes.
    void confirmForget();

signals:
    void forgetRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QWidget *buildContent();
    void retranslate();
    void showFigures();
    void fitScreen();

    QString m_path;
    std::unique_ptr<ProgressSource> m_source;
    History m_history;
    bool m_placed = false;
    bool m_stale = true;
    QTimer *m_refreshTimer;

    QLabel *m_notesHeading = nullptr;
    QLabel *m_keyLabel = nullptr;
    QComboBox *m_keyChoice = nullptr;
    QLabel *m_legend = nullptr;
    QLabel *m_timeHeading = nullptr;
    QLabel *m_totalsHeading = nullptr;
    QLabel *m_challengesHeading = nullptr;
    QLabel *m_status = nullptr;
    NoteStaffPicture *m_picture = nullptr;
    ProgressChartView *m_chart = nullptr;
    QWidget *m_chartWidget = nullptr;
    TotalsTable *m_totals = nullptr;
    ChallengeTable *m_challenges = nullptr;
    QBoxLayout *m_lower = nullptr;
    QBoxLayout *m_buttons = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_forget = nullptr;
    QPushButton *m_close = nullptr;
};
