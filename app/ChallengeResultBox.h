// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
struct ChallengeResult;

// What a one-minute challenge came to, in a box that leaves the window
// usable behind it: right and wrong notes, right notes per minute, the
// median time per right note and the best so far with the same settings,
// with "Again" for another challenge and "Close".
class ChallengeResultBox : public QDialog
{
    Q_OBJECT
public:
    enum Figure { Right, Wrong, PerMinute, Median, Best, FigureCount };

    explicit ChallengeResultBox(QWidget *parent = nullptr);

    void showResult(const ChallengeResult &result);

    QString headline() const;
    QString settingsText() const;
    QString figureText(Figure figure) const;
    // Why an early end does not count; empty after a whole minute.
    QString note() const;
    QPushButton *againButton() const { return m_again; }

signals:
    void againRequested();

private:
    QLabel *m_headline;
    QLabel *m_settings;
    std::array<QLabel *, FigureCount> m_figures{};
    QLabel *m_note;
    QPushButton *m_again;
};
