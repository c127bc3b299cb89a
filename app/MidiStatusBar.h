// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStatusBar>
#include <QStringList>

class QLabel;

// The window's status line: "MIDI: <name>" for each MIDI keyboard listened
// to, so a learner sees that the program found theirs, and beside it how
// the sending to a class's server stands. Hidden while there is neither,
// when the window looks as it does without MIDI.
class MidiStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    explicit MidiStatusBar(QWidget *parent = nullptr);

    // What the line says in full for these sources; empty for none.
    static QString textFor(const QStringList &sources);
    QString text() const { return textFor(m_sources); }

public slots:
    void setSources(const QStringList &sources);
    // The class's status at the right; empty text hides it.
    void setClassStatus(const QString &text, const QString &toolTip);

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showText();

    QLabel *m_label;
    QLabel *m_class = nullptr;
    QStringList m_sources;
};
