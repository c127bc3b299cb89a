// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MidiStatusBar.h"

#include <QEvent>
#include <QLabel>
#include <QRegularExpression>

#include <algorithm>

namespace {
const QString Separator = QStringLiteral("   \u00b7   ");
} // namespace

MidiStatusBar::MidiStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("MidiStatusBar"));
    setSizeGripEnabled(false);
    m_label = new QLabel(this);
    // However long the names, the line never makes the window wider: the
    // text is cut short to fit, and the tool tip has it whole.
    m_label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    addWidget(m_label, 1);
    hide();
}

QString MidiStatusBar::textFor(const QStringList &sources)
{
    // The ALSA sequencer's names end in the client and port numbers, which
    // mean nothing to a player.
    static const QRegularExpression numbers(QStringLiteral("\\s+\\d+:\\d+$"));
    QStringList shown;
    for (QString name : sources) {
        name.remove(numbers);
        //: In the status line, one per MIDI keyboard the program listens
        //: to; %1 is the keyboard's name.
        shown << tr("MIDI: %1").arg(name);
    }
    return shown.join(Separator);
}

void MidiStatusBar::setSources(const QStringList &sources)
{
    m_sources = sources;
    showText();
    setVisible(!sources.isEmpty() || (m_class && !m_class->text().isEmpty()));
}

void MidiStatusBar::setClassStatus(const QString &text, const QString &toolTip)
{
    if (!m_class) {
        m_class = new QLabel(this);
        addPermanentWidget(m_class);
    }
    m_class->setText(text);
    m_class->setToolTip(toolTip);
    m_class->setVisible(!text.isEmpty());
    setVisible(!m_sources.isEmpty() || !text.isEmpty());
}

void MidiStatusBar::showText()
{
    const QString full = text();
    m_label->setToolTip(full);
    m_label->setText(
        m_label->fontMetrics().elidedText(full, Qt::ElideRight, std::max(0, m_label->width())));
}

void MidiStatusBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange || event->type() == QEvent::FontChange)
        showText();
    QStatusBar::changeEvent(event);
}

void MidiStatusBar::resizeEvent(QResizeEvent *event)
{
    QStatusBar::resizeEvent(event);
    showText();
}
